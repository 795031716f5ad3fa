// The readers that put the course-data records of both hosts into the course
// model: a component, a question's files and answers, a question's record and
// a module's list of them, a question's videos.

#include "hostsession/CourseRecords.h"
#include "toolkit/ReplyRecords.h"

#include "lumaro/model/Appli.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "support/TempDir.h"
#include "tracel/TraceChannel.h"

#include <gtest/gtest.h>

namespace {

using hostsession::EntryOutcome;

enum class Reader { Component, QuestionInfo, Question, ModuleList, Videos };

// Every case starts from an application that holds component 1 ("Ancien", of
// the first set) and question 5 (no component, lesson and solution expected).
// The records go into component 7 (Component) or question 5 (QuestionInfo,
// Videos); Question reads the reply's text as one question's record, and
// ModuleList each element after the marker as a record of the module's list.
struct Case {
    const char* name;
    Reader reader;
    const char* reply;
    EntryOutcome outcome = EntryOutcome::Entered;
    const char* refused = "";
    long error = 0;             // the run-time error raised, 0 for none
    const char* model = "";     // what the application holds afterwards, as describe() writes it
    const char* calls = "";     // the host's loaders called, in order
    const char* traced = "";    // a line the trace holds
    bool componentLoads = true;
    bool infoLoads = true;
};

QString setOf(bool bis)
{
    return bis ? QStringLiteral("bis") : QStringLiteral("base");
}

const char* const untouched = "dll 1 Ancien base; question 5 dll - base lecon corrige";

QString answersOf(const lumaro::Dll& dll)
{
    QString text;
    for (const QString& letter : {QStringLiteral("A"), QStringLiteral("B")}) {
        if (const auto answer = dll.GetReponse(letter))
            text += QStringLiteral(" %1=%2:%3").arg(letter).arg(answer->IdReponse()).arg(answer->Message());
    }
    return text;
}

QString answersOf(const lumaro::Question& question)
{
    QString text;
    for (const QString& letter : {QStringLiteral("A"), QStringLiteral("B")}) {
        if (const auto answer = question.GetReponse(letter))
            text += QStringLiteral(" %1=%2:%3").arg(letter).arg(answer->IdReponse()).arg(answer->MessageEcran());
    }
    return text;
}

// The components 1 and 7, the questions 5 and 9, their videos and the module's
// results, one "; "-separated part each.
QString describe(const lumaro::Appli& appli, const lumaro::Module& module)
{
    QStringList parts;
    for (const long id : {1L, 7L}) {
        if (const auto dll = appli.Dll(id))
            parts << QStringLiteral("dll %1 %2 %3").arg(id).arg(dll->Nom(), setOf(dll->Bis())) + answersOf(*dll);
    }
    for (const long id : {5L, 9L}) {
        const auto question = appli.Question(id);
        if (!question)
            continue;
        QString text = QStringLiteral("question %1 dll %2 %3")
                           .arg(id)
                           .arg(question->Dll() ? question->Dll()->Nom() : QStringLiteral("-"),
                                setOf(question->BaseBis() == lumaro::QuestionBis));
        if (!question->Intitule().isEmpty())
            text += QStringLiteral(" [%1 %2 %3 %4 %5]")
                        .arg(question->DureePrevue(), question->HtmlBravo(), question->HtmlQuestion())
                        .arg(question->Instance())
                        .arg(question->Intitule());
        if (question->HasVideoLecon())
            text += QStringLiteral(" lecon");
        if (question->HasVideoCorrige())
            text += QStringLiteral(" corrige");
        QStringList files;
        for (long i = 1; i <= question->NbFichiersAssocie(); ++i)
            files << question->FichierAssocie(i);
        if (!files.isEmpty())
            text += QStringLiteral(" files ") + files.join(u',');
        parts << text + answersOf(*question);
        for (const QString& type : {QStringLiteral("L"), QStringLiteral("C")}) {
            if (const auto video = appli.VideoByType(id, type))
                parts << QStringLiteral("video %1 %2 %3 %4 %5 seq%6")
                             .arg(type)
                             .arg(video->IdVideo())
                             .arg(video->FichierVideo(), video->DureeVideo())
                             .arg(video->NbSeq())
                             .arg(video->PasSansSon() ? QStringLiteral(" PasSansSon") : QString());
        }
    }
    for (long i = 1; i <= module.NbQuest(); ++i) {
        const auto result = module.ResultQuestions(i);
        parts << QStringLiteral("result %1 %2 %3")
                     .arg(result->IdQuestion())
                     .arg(result->TypeAffichage())
                     .arg(result->TypeReponse());
    }
    return parts.join(QStringLiteral("; "));
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class CourseRecordsTest : public testsupport::TempDirTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CourseRecordsTest, RecordsGoIntoTheModel)
{
    const Case& c = GetParam();
    lumaro::LumaroContext lumaro;
    const auto appli = std::make_shared<lumaro::Appli>(lumaro);
    lumaro::Module module(lumaro);
    module.Appli(appli);
    ASSERT_TRUE(appli->AddDll(1));
    appli->Dll(1)->Nom(QStringLiteral("Ancien"));
    ASSERT_TRUE(appli->AddQuestion(5));
    appli->Question(5)->BaseBis(lumaro::QuestionBase);
    appli->Question(5)->HasVideoLecon(true);
    appli->Question(5)->HasVideoCorrige(true);

    tracel::TraceChannel trace;
    trace.setLevel(1);
    ASSERT_TRUE(trace.start(dir(), QStringLiteral("Records"), QStringLiteral("Records")));
    QStringList calls;
    hostsession::QuestionLoading loading;
    loading.hasVideoCorrige = true;
    loading.loadComponent = [&](long idDll) {
        calls << QStringLiteral("component %1").arg(idDll);
        if (c.componentLoads) {
            appli->AddDll(idDll);
            appli->Dll(idDll)->Nom(QStringLiteral("Nouveau"));
            appli->Dll(idDll)->Bis(true);
        }
        return c.componentLoads;
    };
    loading.loadInfo = [&](long idQuestion) {
        calls << QStringLiteral("info %1").arg(idQuestion);
        return c.infoLoads;
    };

    hostsession::ModelEntry entry{EntryOutcome::AlreadyKnown, QStringLiteral("not read")};
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const tracel::TraceScope scope(trace, tracel::TypeClass, QStringLiteral("Test"), QStringLiteral("Sub Test"));
        const QString reply = QString::fromUtf8(c.reply);
        const toolkit::ReplyRecords records(reply);
        switch (c.reader) {
        case Reader::Component:
            entry = hostsession::enterComponent(*appli, 7, records);
            break;
        case Reader::QuestionInfo:
            entry = hostsession::enterQuestionInfo(*appli->Question(5), records);
            break;
        case Reader::Question:
            entry = hostsession::enterQuestion(
                *appli,
                hostsession::readQuestionRecord(toolkit::splitReplyText(reply, toolkit::replyFieldSeparator), false),
                loading, scope);
            break;
        case Reader::ModuleList: {
            std::vector<hostsession::QuestionRecord> list;
            for (qsizetype i = 1; i < records.count(); ++i)
                list.push_back(hostsession::readQuestionRecord(
                    toolkit::splitReplyText(records.element(i), toolkit::replyFieldSeparator), true));
            for (const hostsession::QuestionRecord& record : list) {
                entry = hostsession::enterQuestion(*appli, record, loading, scope);
                if (entry.failed())
                    return;
            }
            hostsession::addResultQuestions(module, list);
            break;
        }
        case Reader::Videos:
            entry = hostsession::enterVideos(*appli, 5, records, scope);
            break;
        }
    });
    trace.stop();

    EXPECT_EQ(error ? error->number() : 0, c.error) << (error ? error->text().toStdString() : "");
    if (!c.error) {
        EXPECT_EQ(entry.outcome, c.outcome);
        EXPECT_EQ(entry.refused.toStdString(), c.refused);
    }
    EXPECT_EQ(describe(*appli, module).toStdString(), c.model);
    EXPECT_EQ(calls.join(QStringLiteral(", ")).toStdString(), c.calls);
    if (*c.traced) {
        EXPECT_TRUE(traceTextUnder(QString()).contains(QString::fromUtf8(c.traced))) << c.traced;
    }
}

constexpr long Missing = platform::SubscriptOutOfRange;
constexpr long NoNumber = platform::TypeMismatch;

INSTANTIATE_TEST_SUITE_P(
    Readers, CourseRecordsTest,
    ::testing::Values(
        // A component: name, second-set marker, general answers.
        Case{.name = "ComponentWithItsGeneralAnswers", .reader = Reader::Component,
             .reply = "#KAV_OK#|EXERVA|EB|A^11^Bien|B^12^Non",
             .model = "dll 1 Ancien base; dll 7 EXERVA bis A=11:Bien B=12:Non; question 5 dll - base lecon corrige"},
        Case{.name = "ComponentOfTheFirstSetWithoutAnswers", .reader = Reader::Component, .reply = "#KAV_OK#|EXERVA|E",
             .model = "dll 1 Ancien base; dll 7 EXERVA base; question 5 dll - base lecon corrige"},
        Case{.name = "SameGeneralAnswerTwiceKeepsTheFirst", .reader = Reader::Component,
             .reply = "#KAV_OK#|EXERVA|E|A^11^x|A^12^y", .outcome = EntryOutcome::AnswerRefused, .refused = "A",
             .model = "dll 1 Ancien base; dll 7 EXERVA base A=11:x; question 5 dll - base lecon corrige"},
        Case{.name = "ComponentReplyWithoutItsMarkerElement", .reader = Reader::Component, .reply = "#KAV_OK#|EXERVA",
             .error = Missing, .model = untouched},
        Case{.name = "GeneralAnswerWithoutItsMessageLeavesNoComponent", .reader = Reader::Component,
             .reply = "#KAV_OK#|EXERVA|E|A^11^x|B^12", .error = Missing, .model = untouched},
        Case{.name = "GeneralAnswerIdentifierNotANumber", .reader = Reader::Component,
             .reply = "#KAV_OK#|EXERVA|E|A^1x^x", .error = NoNumber, .model = untouched},

        // A question's associated files and particular answers.
        Case{.name = "QuestionFilesAndAnswers", .reader = Reader::QuestionInfo,
             .reply = "#KAV_OK#|a.doc^b.xls|11\u00a4A\u00a4Bravo^12\u00a4B\u00a4Non",
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige files a.doc,b.xls A=11:Bravo B=12:Non"},
        Case{.name = "QuestionWithoutFilesOrAnswers", .reader = Reader::QuestionInfo, .reply = "#KAV_OK#||",
             .model = untouched},
        Case{.name = "SameAnswerLetterTwiceKeepsTheFirst", .reader = Reader::QuestionInfo,
             .reply = "#KAV_OK#|a.doc|11\u00a4A\u00a4x^12\u00a4A\u00a4y", .outcome = EntryOutcome::AnswerRefused,
             .refused = "A", .model = "dll 1 Ancien base; question 5 dll - base lecon corrige files a.doc A=11:x"},
        Case{.name = "AnswerWithoutItsMessageLeavesNoFile", .reader = Reader::QuestionInfo,
             .reply = "#KAV_OK#|a.doc|11\u00a4A", .error = Missing, .model = untouched},
        Case{.name = "QuestionReplyWithoutItsAnswersElement", .reader = Reader::QuestionInfo, .reply = "#KAV_OK#|a.doc",
             .error = Missing, .model = untouched},

        // A question's record, its component and its own records loaded by the host.
        Case{.name = "QuestionWithANewComponent", .reader = Reader::Question,
             .reply = "9^7^0000:05^bravo.htm^q.htm^2^Titre",
             .model = "dll 1 Ancien base; dll 7 Nouveau bis; question 5 dll - base lecon corrige; "
                      "question 9 dll Nouveau bis [0000:05 bravo.htm q.htm 2 Titre] corrige",
             .calls = "component 7, info 9"},
        Case{.name = "QuestionWithAKnownComponent", .reader = Reader::Question,
             .reply = "9^1^0000:05^bravo.htm^q.htm^2^Titre^extra",
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige; "
                      "question 9 dll Ancien base [0000:05 bravo.htm q.htm 2 Titre] corrige",
             .calls = "info 9"},
        Case{.name = "QuestionKnownAlreadyStaysAsItIs", .reader = Reader::Question,
             .reply = "5^7^0000:05^bravo.htm^q.htm^2^Titre", .outcome = EntryOutcome::AlreadyKnown,
             .model = untouched},
        Case{.name = "ComponentNotLoaded", .reader = Reader::Question, .reply = "9^7^0000:05^bravo.htm^q.htm^2^Titre",
             .outcome = EntryOutcome::ComponentNotLoaded,
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige; question 9 dll - bis",
             .calls = "component 7", .traced = "piRenseigneDll retourne false", .componentLoads = false},
        Case{.name = "QuestionInfoNotLoaded", .reader = Reader::Question, .reply = "9^1^0000:05^bravo.htm^q.htm^2^Titre",
             .outcome = EntryOutcome::InfoNotLoaded,
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige; "
                      "question 9 dll Ancien base [0000:05 bravo.htm q.htm 2 Titre] corrige",
             .calls = "info 9", .traced = "piRenseigneInfoQuestion retourne false", .infoLoads = false},
        Case{.name = "QuestionRecordWithoutItsTitle", .reader = Reader::Question,
             .reply = "9^1^0000:05^bravo.htm^q.htm^2", .error = Missing, .model = untouched},
        Case{.name = "QuestionInstanceNotANumber", .reader = Reader::Question,
             .reply = "9^1^0000:05^bravo.htm^q.htm^deux^Titre", .error = NoNumber, .model = untouched},

        // A module's list: every record read before the first question goes in,
        // then a result per record, the known question's included.
        Case{.name = "ModuleListWithItsResults", .reader = Reader::ModuleList,
             .reply = "#KAV_OK#|5^1^0000:01^b.htm^q.htm^1^Autre^0|9^1^0000:05^b.htm^q.htm^2^Titre^3",
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige; "
                      "question 9 dll Ancien base [0000:05 b.htm q.htm 2 Titre] corrige; result 5 0 -1; result 9 3 -1",
             .calls = "info 9"},
        Case{.name = "ModuleRecordWithoutItsDisplayType", .reader = Reader::ModuleList,
             .reply = "#KAV_OK#|9^1^0000:05^b.htm^q.htm^2^Titre^3|5^1^0000:01^b.htm^q.htm^1^Autre", .error = Missing,
             .model = untouched},
        Case{.name = "ModuleDisplayTypeNotANumber", .reader = Reader::ModuleList,
             .reply = "#KAV_OK#|9^1^0000:05^b.htm^q.htm^2^Titre^x", .error = NoNumber, .model = untouched},

        // A question's videos: a record and a sequence element each.
        Case{.name = "LessonAndSolution", .reader = Reader::Videos,
             .reply = "#KAV_OK#|31^L5.mp4^01:30^L|NO_SEQ|32^C5.mp4^02:00^C|00:00:00-00:40:00\u00a4<p>Copier</p>\u00a41",
             .model = "dll 1 Ancien base; question 5 dll - base lecon corrige; video L 31 L5.mp4 01:30 0 seq PasSansSon; "
                      "video C 32 C5.mp4 02:00 1 seq",
             .traced = "lNbVideo = 2"},
        Case{.name = "NoVideoTakesLessonAndSolutionAway", .reader = Reader::Videos, .reply = "#KAV_OK#",
             .outcome = EntryOutcome::NoVideo, .model = "dll 1 Ancien base; question 5 dll - base",
             .traced = "pas de video"},
        Case{.name = "OneMalformedVideoLeavesNoneIn", .reader = Reader::Videos,
             .reply = "#KAV_OK#|31^L5.mp4^01:30^L|NO_SEQ|32^C5.mp4^02:00|NO_SEQ", .error = Missing, .model = untouched},
        Case{.name = "VideoIdentifierNotANumber", .reader = Reader::Videos, .reply = "#KAV_OK#|3x^L5.mp4^01:30^L|NO_SEQ",
             .error = NoNumber, .model = untouched}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
