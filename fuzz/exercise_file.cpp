// Exercise files as the engine loads them: the file checks, the loader and the
// controls the file names, then scoring and clearing, in a fresh engine per
// input. The movie page control is left out: it starts a browser engine, which
// takes seconds per input; the node texts it reads go through the same helpers
// as the other controls'.

#include "FuzzSupport.h"

#include "exerva/ControlRegistry.h"
#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/Tools.h"
#include "exerva/controls/KavBO.h"
#include "exerva/controls/KavCC.h"
#include "exerva/controls/KavESP.h"
#include "exerva/controls/KavPAT.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <memory>

namespace {

template <typename Control>
exerva::ControlFactory factory()
{
    return [](exerva::ExervaContext& context, QWidget* parent) -> exerva::ExerciseControl* {
        return new Control(context, parent);
    };
}

const exerva::ControlRegistry& registry()
{
    static const exerva::ControlRegistry made = [] {
        exerva::ControlRegistry controls;
        controls.add(QStringLiteral("Exerva.KavESP"), factory<exerva::KavESP>());
        controls.add(QStringLiteral("Exerva.KavPAT"), factory<exerva::KavPAT>());
        controls.add(QStringLiteral("Exerva.KavBO"), factory<exerva::KavBO>());
        controls.add(QStringLiteral("Exerva.KavCC"), factory<exerva::KavCC>());
        controls.add(QStringLiteral("Exerva.Tools"), factory<exerva::Tools>());
        return controls;
    }();
    return made;
}

constexpr long appli = 12;

}  // namespace

// The font library keeps its configuration in blocks it never frees, once per
// process: not the engine's leak.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "exercise_file";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the web engine linked into the engine tears down its
    // shared context at the application's end, which at process exit comes
    // after Qt's thread storage is gone.
    static QApplication* application = new QApplication(argc, argv);
    Q_UNUSED(application);
    fuzzsupport::silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = fuzzsupport::bytes(data, size);
    fuzzsupport::writeScratchFile(QStringLiteral("12F/X1211.xml"), file);
    {
        exerva::ExervaContext context;
        exerva::Manager manager(context, registry());
        if (manager.Prepare(fuzzsupport::scratchFolder(), false, appli) == 1) {
            QString name = QStringLiteral("X1211.xml");
            if (manager.InitQuestion(name, 1, 1) == 1 && manager.showsQuestion())
                manager.TestePoint();
            manager.FermePoint();
        }
        manager.Quitter();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
