// The HTML trace log: how many lines a second it writes while tracing is on,
// and what a traced operation costs while tracing is off, against the same
// operation without its trace calls.

#include "support/Comparisons.h"
#include "toolkit/ReplyRecords.h"
#include "tracel/TraceChannel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

const QString unitName = QStringLiteral("clsBarreManager");
// A component's reply as the course server sends it.
const QString reply = QStringLiteral("#KAV_OK#|EXERVA||A^1^Bravo !|B^2^Relisez la consigne.|C^3^Presque.");

// A started trace of its own for each benchmark, removed with it.
struct StartedTrace {
    bool start(long level)
    {
        channel.setLevel(level);
        return folder.isValid() && channel.start(folder.path(), QStringLiteral("Bench"), QStringLiteral("Mesure"));
    }

    // First, so that it outlives the trace, whose end writes the summary.
    QTemporaryDir folder;
    tracel::TraceChannel channel;
};

long readAnswers(const toolkit::ReplyRecords& records)
{
    long sum = 0;
    for (qsizetype i = 3; i < records.count(); ++i) {
        const QStringList answer = toolkit::splitReplyText(records.element(i), toolkit::replyFieldSeparator);
        if (answer.size() >= 3)
            sum += toolkit::replyWholeNumber(answer.at(1));
    }
    return sum;
}

// What a loader does with a component's reply: its status, its name, its
// answers read one by one.
long readComponent(const QString& text, QString& name)
{
    const toolkit::ReplyRecords records(text);
    if (records.status() != toolkit::ReplyStatus::Ok || records.count() < 3)
        return 0;
    name = records.element(1);
    return readAnswers(records);
}

// The same work with the trace calls a loader makes around it.
long readComponentTraced(tracel::TraceChannel& channel, const QString& text, long id, QString& name)
{
    const tracel::TraceScope scope(channel, tracel::TypeClass, unitName, QStringLiteral("Private Function piRenseigneDll"));
    scope.value(QStringLiteral("ilIdDll"), QString::number(id));
    scope.line(QStringLiteral("sDataRetour = ") + text, 2);
    const toolkit::ReplyRecords records(text);
    scope.line(records.boundsLine());
    if (records.status() != toolkit::ReplyStatus::Ok || records.count() < 3)
        return 0;
    name = records.element(1);
    scope.line(QStringLiteral(".Nom = ") + name);
    return readAnswers(records);
}

// This thread's processor time in nanoseconds.
double threadTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// The two forms of the operation in turns of a few hundred microseconds,
// so that whatever else the machine does weighs on both alike: the ratio of
// their times is the figure.
template <typename Plain, typename Traced>
void paired(benchmark::State& state, Plain plain, Traced traced)
{
    constexpr int batch = 200;
    double plainTime = 0.0;
    double tracedTime = 0.0;
    bool plainFirst = true;
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            const bool runPlain = (pass == 0) == plainFirst;
            const double start = threadTime();
            for (int i = 0; i < batch; ++i)
                benchmark::DoNotOptimize(runPlain ? plain() : traced());
            (runPlain ? plainTime : tracedTime) += threadTime() - start;
        }
        plainFirst = !plainFirst;
    }
    if (plainTime > 0.0)
        state.counters["traced/untraced"] = tracedTime / plainTime;
    state.counters["untraced_ns"] = plainTime / double(state.iterations() * batch);
    state.counters["traced_ns"] = tracedTime / double(state.iterations() * batch);
}

void untraced(benchmark::State& state)
{
    QString name;
    for (auto _ : state)
        benchmark::DoNotOptimize(readComponent(reply, name));
}

// Tracing off as a program runs without it: the channel never started.
void tracedOff(benchmark::State& state)
{
    tracel::TraceChannel channel;
    QString name;
    for (auto _ : state)
        benchmark::DoNotOptimize(readComponentTraced(channel, reply, 1, name));
}

void tracedOffPaired(benchmark::State& state)
{
    tracel::TraceChannel channel;
    QString name;
    paired(
        state, [&] { return readComponent(reply, name); }, [&] { return readComponentTraced(channel, reply, 1, name); });
}

// The same operation with tracing on, every line written.
void tracedOn(benchmark::State& state)
{
    StartedTrace trace;
    if (!trace.start(2)) {
        state.SkipWithError("cannot start the trace");
        return;
    }
    QString name;
    for (auto _ : state)
        benchmark::DoNotOptimize(readComponentTraced(trace.channel, reply, 1, name));
}

const QString detail = QStringLiteral("lMin = 0 ; lMax = 5");

void traceLines(benchmark::State& state)
{
    StartedTrace trace;
    if (!trace.start(1)) {
        state.SkipWithError("cannot start the trace");
        return;
    }
    trace.channel.raiseDepth();
    for (auto _ : state)
        trace.channel.write(tracel::TypeClass, unitName, detail);
    state.SetItemsProcessed(state.iterations());
}

// The least a line that is on disk once written costs: the same bytes
// appended to the file, which is opened and closed for each.
void appendLines(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Bench.htm"));
    const QByteArray line = QStringLiteral("<FONT face=arial size=2 Color='Brown'>00001:&nbsp;&nbsp;&nbsp;&nbsp;"
                                           "&nbsp;&nbsp;&nbsp;&nbsp;lMin = 0 ; lMax = 5<BR></FONT>\r\n")
                                .toUtf8();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size() || !file.flush()) {
            state.SkipWithError("cannot write the file");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(untraced)->Name("TraceOff/Untraced");
BENCHMARK(tracedOff)->Name("TraceOff/Traced");
BENCHMARK(tracedOffPaired)->Name("TraceOff/InTurns");
BENCHMARK(tracedOn)->Name("TraceOn/Operation");
BENCHMARK(traceLines)->Name("TraceOn/Lines");
BENCHMARK(appendLines)->Name("TraceOn/PlainAppend");

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return benchsupport::runBenchmarks(
        argc, argv,
        {benchsupport::Comparison::counterOf("traced operation, tracing off / untraced", "TraceOff/InTurns",
                                             "traced/untraced", 1.05),
         benchsupport::Comparison::ratio("trace line / plain append of its bytes", "TraceOn/Lines",
                                         "TraceOn/PlainAppend")});
}
