#pragma once

#include "frmLoading.h"

#include <QString>

#include <memory>

namespace tracel {
class TraceChannel;
}

namespace lumaro {

// The question player's four loading-window operations. Each PrepareFrmLoading
// opens a fresh window in place of any earlier one; without a window the
// setters only write a trace line, and TerminateFrmLoading does nothing.
class LoadingWindowHost {
public:
    explicit LoadingWindowHost(tracel::TraceChannel& trace) : trace_(trace) {}
    LoadingWindowHost(const LoadingWindowHost&) = delete;
    LoadingWindowHost& operator=(const LoadingWindowHost&) = delete;

    void PrepareFrmLoading(const QString& isTypeFormEval);
    void SetMessageLoading(const QString& isMessage);
    void SetPourcentLoading(long ilPourcent);
    void TerminateFrmLoading();

    // The window shown, null when there is none.
    frmLoading* window() const { return window_.get(); }

private:
    void traceMissingWindow(const QString& operation) const;

    tracel::TraceChannel& trace_;
    std::unique_ptr<frmLoading> window_;
};

}  // namespace lumaro
