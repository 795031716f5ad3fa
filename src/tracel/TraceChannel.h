#pragma once

#include "tracel/Info.h"

#include <QString>

#include <memory>

namespace tracel {

// The trace of one program, as its process-wide state holds it: the trace
// object, the trace level and the depth counter that indents every line.
class TraceChannel {
public:
    TraceChannel() = default;
    TraceChannel(const TraceChannel&) = delete;
    TraceChannel& operator=(const TraceChannel&) = delete;

    long level() const { return level_; }
    void setLevel(long level) { level_ = level; }

    long depth() const { return depth_; }
    void raiseDepth() { ++depth_; }
    void lowerDepth() { --depth_; }

    bool isStarted() const { return info_ != nullptr; }
    // True when lines of that level are written now.
    bool isActive(long minLevel = 1) const { return info_ && level_ >= minLevel; }

    // Creates the trace object, points it at the folder and file name and starts
    // the HTML trace with the title. False, with no trace object kept, when the
    // trace file cannot be created.
    bool start(const QString& folder, const QString& fileName, const QString& title,
               const platform::Clock& clock = platform::SystemClock::instance());
    // Ends the trace object, which writes its summary.
    void stop();

    Info* info() const { return info_.get(); }

    // One line at the current depth, when lines of minLevel are written.
    void write(eTypeModuleVB type, const QString& module, const QString& text, long minLevel = 1);
    // A header line naming a procedure, at the current depth.
    void writeHeader(eTypeModuleVB type, const QString& module, const QString& procedure);

private:
    std::unique_ptr<Info> info_;
    long level_ = 0;
    long depth_ = 0;
};

// The entry and exit lines of one traced operation: the entry line names the
// declaration ("Public Function Prepare") and raises the depth; on every way out
// the depth is lowered again and the exit line ("Fin Public Function Prepare")
// written. An operation entered while tracing was off, or below the scope's
// level, writes neither.
class TraceScope {
public:
    TraceScope(TraceChannel& channel, eTypeModuleVB type, QString module, QString declaration, long minLevel = 1);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

    // A detail line inside the operation.
    void line(const QString& text, long minLevel = 1) const;
    // "name = value".
    void value(const QString& name, const QString& text, long minLevel = 1) const;

private:
    TraceChannel& channel_;
    eTypeModuleVB type_;
    QString module_;
    QString declaration_;
    bool entered_ = false;
};

}  // namespace tracel
