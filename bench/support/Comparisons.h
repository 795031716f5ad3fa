#pragma once

#include <string>
#include <utility>
#include <vector>

namespace benchsupport {

// A figure the summary prints after the benchmarks. A benchmark's time per
// iteration is the wall clock's with UseRealTime or UseManualTime, else its
// thread's processor time; a limit of 0 means the figure is only shown.
struct Comparison {
    // The subject's time over the baseline's, both measured in the same run,
    // so that the figure means something on any machine.
    static Comparison ratio(std::string what, std::string subject, std::string baseline, double limit = 0.0)
    {
        return {std::move(what), std::move(subject), std::move(baseline), {}, limit};
    }
    // A counter of the subject, for a benchmark that measures its own
    // baseline in turns with its subject.
    static Comparison counterOf(std::string what, std::string subject, std::string counter, double limit = 0.0)
    {
        return {std::move(what), std::move(subject), {}, std::move(counter), limit};
    }
    // The subject's milliseconds per iteration.
    static Comparison time(std::string what, std::string subject, double limitMs = 0.0)
    {
        return {std::move(what), std::move(subject), {}, {}, limitMs};
    }

    // What the figure says, as the summary prints it.
    std::string what;
    // The benchmarks' names as registered.
    std::string subject;
    std::string baseline;
    std::string counter;
    // The figure must not exceed this.
    double limit = 0.0;
};

// Runs the benchmarks the command line selects, reports them on the console,
// then prints one summary line per comparison whose benchmarks ran (the
// median when repetitions were asked for). 0, or 1 when the command line was
// wrong or a benchmark failed; a figure over its limit is reported, not failed.
int runBenchmarks(int argc, char** argv, const std::vector<Comparison>& comparisons);

}  // namespace benchsupport
