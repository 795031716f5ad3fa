#include "Comparisons.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace benchsupport {
namespace {

// The console report, keeping each benchmark's time per iteration in
// milliseconds: the median of repetitions, else the single run. The time is
// the wall clock's for a benchmark that asks for it or times itself (work on
// other threads counts), else the thread's processor time, which the
// machine's other work disturbs less.
class ComparingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed = true;
                continue;
            }
            const std::string name = run.run_name.function_name;
            const bool wallClock = run.run_name.time_type == "real_time" || run.run_name.time_type == "manual_time";
            const double time = wallClock ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            const double ms = time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name != "median")
                    continue;
                medians[name] = ms;
            } else {
                singles[name] = ms;
            }
            // The median run's counters are the medians of the repetitions'.
            for (const auto& [counter, value] : run.counters)
                counters[{name, counter}] = value.value;
        }
    }

    // Nothing when the benchmark did not run.
    const double* figure(const std::string& name) const
    {
        if (const auto m = medians.find(name); m != medians.end())
            return &m->second;
        if (const auto s = singles.find(name); s != singles.end())
            return &s->second;
        return nullptr;
    }

    const double* counter(const std::string& name, const std::string& counterName) const
    {
        const auto found = counters.find({name, counterName});
        return found == counters.end() ? nullptr : &found->second;
    }

    bool failed = false;

private:
    std::map<std::pair<std::string, std::string>, double> counters;
    std::map<std::string, double> medians;
    std::map<std::string, double> singles;
};

std::string verdict(double figure, double limit, const char* unit)
{
    if (limit <= 0.0)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, " (limit %.3f%s) %s", limit, unit, figure <= limit ? "met" : "MISSED");
    return text;
}

}  // namespace

int runBenchmarks(int argc, char** argv, const std::vector<Comparison>& comparisons)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool printed = false;
    for (const Comparison& comparison : comparisons) {
        const double* subject = reporter.figure(comparison.subject);
        if (!subject)
            continue;
        if (!printed)
            std::printf("\n");
        printed = true;
        if (!comparison.counter.empty()) {
            const double* value = reporter.counter(comparison.subject, comparison.counter);
            if (value)
                std::printf("%-44s %s = %.3f%s\n", comparison.what.c_str(), comparison.counter.c_str(), *value,
                            verdict(*value, comparison.limit, "").c_str());
            continue;
        }
        if (comparison.baseline.empty()) {
            std::printf("%-44s %12.6f ms%s\n", comparison.what.c_str(), *subject,
                        verdict(*subject, comparison.limit, " ms").c_str());
            continue;
        }
        const double* baseline = reporter.figure(comparison.baseline);
        if (!baseline || *baseline <= 0.0)
            continue;
        const double ratio = *subject / *baseline;
        std::printf("%-44s %12.6f ms / %12.6f ms = %.3f%s\n", comparison.what.c_str(), *subject, *baseline, ratio,
                    verdict(ratio, comparison.limit, "").c_str());
    }
    std::fflush(stdout);
    return reporter.failed ? 1 : 0;
}

}  // namespace benchsupport
