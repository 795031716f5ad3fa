#pragma once

#include "platform/Clock.h"

#include <QString>

#include <memory>
#include <vector>

namespace tracel {

class Recordset;
class TraceWindow;

// The kind of source unit that writes a trace line.
enum eTypeModuleVB : long {
    TypeForm = 1,
    TypeBas = 2,
    TypeClass = 3,
    TypeControl = 4,
    TypePropPage = 5,
    TypeDoc = 6,
};

// One program's trace: an HTML page of numbered lines, coloured by the kind of
// unit, indented by the caller's depth, whose error and tag lines are anchors
// listed in a summary written when the object ends. Also a plain .log file,
// optionally shown in a window of its own, and a recordset dump.
//
// Tracing never changes the outcome of the traced operation: a file that cannot
// be written is skipped (noted once on standard error), nothing here throws.
class Info {
public:
    explicit Info(const platform::Clock& clock = platform::SystemClock::instance());
    ~Info();
    Info(const Info&) = delete;
    Info& operator=(const Info&) = delete;

    // Appends the current date and time, " -> " and the text to the .log file,
    // or to the trace window while StyleVisible is True; nothing while not Active.
    void SetInfo(QString& sInfo);

    bool StyleVisible() const;
    void StyleVisible(bool visible);

    // Folder of the trace files, always ending with "/"; the program's folder by default.
    QString PathTracel() const;
    void PathTracel(const QString& folder);

    void TracelAdo(Recordset& rsRs, QString& sTabulation);

    bool Active() const;
    void Active(bool active);

    long LevelDetail() const;
    void LevelDetail(long level);

    QString NomFichier() const;
    void NomFichier(const QString& name);

    // Starts the HTML trace anew; False when the file cannot be created.
    bool InitHtm(const QString& isTitle);

    // Appends one line to the HTML trace. The error and tag markers of the
    // message are turned into anchors, and the message so changed is written
    // back into isString. Before InitHtm it writes nothing.
    void SetString(QString& isString, eTypeModuleVB ieTypeModuleVB, const QString& isProc, const QString& isModuleVB,
                   long ilNbTab);

    // The trace window while StyleVisible has made one, else null.
    TraceWindow* window() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

}  // namespace tracel
