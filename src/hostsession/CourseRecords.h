#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace lumaro {
class Appli;
class Module;
class Question;
}  // namespace lumaro

namespace tracel {
class TraceScope;
}  // namespace tracel

namespace toolkit {
class ReplyRecords;
struct SessionState;
}  // namespace toolkit

namespace hostsession {

// The readers of the course-data records into the course model, shared by the
// plug-in and the launcher. Each host asks for the records its own way and
// keeps its step codes and trace lines: a reader reads and checks every record
// of a reply before anything goes into the model (a missing field raises
// error 9, an identifier that is no number error 13) and answers what became
// of it, for the host to map to its codes.

// When a loader writes the reply it received into the trace.
enum class ReplyTrace { Always, WhenUnrecognised, Never };

// The frame of a course-data loader around the host's request: `request` asks
// for the page and gives the reply, or nothing when none came (leaving its own
// step code). The reply's trace and bounds line follow; `read` reads the
// records of a "#KAV_OK#" reply and answers the loader's result, and any other
// reply is recorded as recordServerReply does with `serverCode` (an empty one
// as error 9, since it says nothing the server could have meant). An
// unexpected error, the request's included, leaves `unexpectedCode` with the
// error recorded. False unless `read` answered true.
bool loadCourseRecords(toolkit::SessionState& state, const std::function<std::optional<QString>()>& request,
                       long serverCode, long unexpectedCode, ReplyTrace replyTrace, const tracel::TraceScope& scope,
                       const std::function<bool(const toolkit::ReplyRecords&)>& read);

// What became of the records.
enum class EntryOutcome {
    Entered,
    AlreadyKnown,        // the model held it already: nothing changed
    ComponentNotLoaded,  // the host's component loader answered false
    InfoNotLoaded,       // the host's question loader answered false
    FileRefused,         // the question refused an associated file, named in `refused`
    AnswerRefused,       // the model refused an answer letter, named in `refused`
    NoVideo,             // the reply lists no video: the question has neither lesson nor solution
};

struct ModelEntry {
    EntryOutcome outcome = EntryOutcome::Entered;
    QString refused;

    // Neither entered nor known already.
    bool failed() const { return outcome != EntryOutcome::Entered && outcome != EntryOutcome::AlreadyKnown; }
};

// One question's record: identifier, component, planned duration, congratulation
// and question pages, instance, title and, in a module's list, the display type.
struct QuestionRecord {
    long idQuestion = 0;
    long idDll = 0;
    QString dureePrevue;
    QString htmlBravo;
    QString htmlQuestion;
    long instance = 0;
    QString intitule;
    long typeAffichage = 0;
};

// Reads the fields of a question's record: seven, or eight with the display
// type when `inModuleList`.
QuestionRecord readQuestionRecord(const QStringList& fields, bool inModuleList);

// A component's reply: its name, its second-set marker ("EB") and its general
// answers (letter, identifier, message), from element 3 on. Nothing changes
// when the application already holds the component.
ModelEntry enterComponent(lumaro::Appli& appli, long idDll, const toolkit::ReplyRecords& records);

// What a question going in takes from its host: its video flags, and the
// loaders of its component (called when the application does not hold it) and
// of its own files and answers.
struct QuestionLoading {
    bool hasVideoCorrige = false;
    bool hasVideoLecon = false;
    std::function<bool(long idDll)> loadComponent;
    std::function<bool(long idQuestion)> loadInfo;
};

// Adds the question to the application with its component and fills it from
// its record, then has its files and answers loaded; a loader that answers
// false is named in the trace ("piRenseigneDll" for the component,
// "piRenseigneInfoQuestion" for the question). A question the application
// holds already is left as it is.
ModelEntry enterQuestion(lumaro::Appli& appli, const QuestionRecord& record, const QuestionLoading& loading,
                         const tracel::TraceScope& scope);

// Adds the module's list of results, one per question in the records' order,
// with its display type and no result yet.
void addResultQuestions(lumaro::Module& module, const std::vector<QuestionRecord>& records);

// A question's reply: its associated files, then its answers (identifier,
// letter, message), each as one element.
ModelEntry enterQuestionInfo(lumaro::Question& question, const toolkit::ReplyRecords& records);

// A question's video reply: a record and a sequence element per video. Traces
// the count; without any video the question loses its lesson and solution
// (NoVideo), and a video the application already holds stays as it is.
ModelEntry enterVideos(lumaro::Appli& appli, long idQuestion, const toolkit::ReplyRecords& records,
                       const tracel::TraceScope& scope);

}  // namespace hostsession
