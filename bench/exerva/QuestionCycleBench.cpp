// One question as a host runs it: InitQuestion on a file of a dozen controls,
// TestePoint, FermePoint.

#include "exerva/ControlRegistry.h"
#include "exerva/ExerciseControl.h"
#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/Tools.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A question control that answers at once, so that the engine's own work is measured.
class InstantControl : public exerva::QuestionControl {
public:
    using QuestionControl::QuestionControl;
    long InitXMLQuestion(const QDomNode&) override { return 1; }
    long InitXMLReponse(const QDomNode&) override { return 1; }
    long TestePoint(bool& iobBravo, QString& iosLettreReponse) override
    {
        iobBravo = true;
        iosLettreReponse.clear();
        return 1;
    }
};

QString object(const QString& id, const QString& programIdentifier)
{
    return QStringLiteral("<OBJECT><ID>%1</ID><CLASS>%2</CLASS><Z>0</Z><H>20</H><W>120</W><T>10</T><L>10</L>"
                          "<V>True</V></OBJECT>")
        .arg(id, programIdentifier);
}

QString kindFour(const QString& id, const QString& member)
{
    return QStringLiteral("<CALLBYNAME><ID>%1</ID><P>%2</P><T>1</T><A><K>4</K><NODE><ITEM>x</ITEM></NODE></A>"
                          "</CALLBYNAME>")
        .arg(id, member);
}

// Three controls in each of the four zones, each set up by two calls.
QByteArray exerciseFile()
{
    QString zones;
    const QString names[] = {QStringLiteral("COMMONTOOLS"), QStringLiteral("ZQ"), QStringLiteral("ZI"),
                             QStringLiteral("ZRP")};
    int n = 0;
    for (const QString& zone : names) {
        zones += QLatin1Char('<') + zone + QLatin1Char('>');
        for (int i = 0; i < 3; ++i) {
            const QString id = QStringLiteral("C%1").arg(++n);
            zones += object(id, QStringLiteral("Bench.Instant")) + kindFour(id, QStringLiteral("InitXMLQuestion"))
                + kindFour(id, QStringLiteral("InitXMLReponse"));
        }
        zones += QStringLiteral("</") + zone + QLatin1Char('>');
    }
    const QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><EXERCICE><INFORMATION><F>False</F><I/><I/><I/><I/><I/><I/>"
        "<I/></INFORMATION><INSTANCE1><FORM><C>Question</C><H>400</H><W>600</W><X/><B>16777215</B></FORM>%1"
        "</INSTANCE1></EXERCICE>");
    return text.arg(zones).toUtf8();
}

void QuestionCycle(benchmark::State& state)
{
    QTemporaryDir root;
    QDir().mkpath(root.filePath(QStringLiteral("12F")));
    QFile file(root.filePath(QStringLiteral("12F/X1211.xml")));
    if (!file.open(QIODevice::WriteOnly) || file.write(exerciseFile()) < 0) {
        state.SkipWithError("cannot write the exercise file");
        return;
    }
    file.close();

    exerva::ControlRegistry registry;
    registry.add(QStringLiteral("Bench.Instant"),
                 [](exerva::ExervaContext& context, QWidget* parent) -> exerva::ExerciseControl* {
                     return new InstantControl(context, parent);
                 });
    exerva::ExervaContext context;
    exerva::Manager manager(context, registry);
    if (manager.Prepare(root.path(), false, 12) != 1) {
        state.SkipWithError("Prepare failed");
        return;
    }
    for (auto _ : state) {
        QString name = QStringLiteral("X1211.xml");
        const long loaded = manager.InitQuestion(name, 1, 1);
        const long scored = manager.TestePoint();
        const long cleared = manager.FermePoint();
        if (loaded != 1 || scored != 1 || cleared != 1) {
            state.SkipWithError("the question cycle failed");
            return;
        }
    }
}
BENCHMARK(QuestionCycle)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
