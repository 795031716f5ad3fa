// The course page: plays the part of the course server's web page. It shows a
// small page window, creates the Internet plug-in, sets what the page sets,
// starts the module of the session, prints each event the plug-in raises for
// the page, and ends the plug-in when the learner has left the module.

#include "netrova/NetrovaContext.h"
#include "netrova/clsBarreManager.h"
#include "netrova/clsManager.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/Display.h"
#include "platform/MessageBoxes.h"
#include "platform/QtWindowSystem.h"
#include "platform/RegisteredWindow.h"
#include "platform/WebEngineLogging.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const char* const usageText =
    "usage: course-page --server URL --session ID --question ID [--lang FR] [--trace-level N]\n"
    "                   [--tracking-level N] [--window-title TITLE]\n"
    "  --server URL        the course server's base address (http://127.0.0.1:PORT/)\n"
    "  --session ID        the learner's session identifier on that server\n"
    "  --question ID       the question the module starts with (1: the first)\n"
    "  --lang LANG         the language of the plug-in's messages (FR by default)\n"
    "  --trace-level N     above 0, the plug-in writes its trace log (0 by default)\n"
    "  --tracking-level N  above 0, the plug-in posts tracking records (0 by default)\n"
    "  --window-title TITLE  the page window's title; by default the one the server's\n"
    "                      start-up record gives it, by which the plug-in finds the page\n"
    "Prints each page event with its values. Exits 0 once the learner has left the\n"
    "module with the result stored by the server (or with nothing answered, when there\n"
    "is nothing to store); 1 when the start fails, after a message box with the step\n"
    "code and the error, or when the result was not stored, saying why.\n";

struct Options {
    QString server;
    QString session;
    long question = 1;
    QString language = QStringLiteral("FR");
    long traceLevel = 0;
    long trackingLevel = 0;
    // Empty: the title the start-up record gives.
    QString windowTitle;
};

int usage(const char* problem)
{
    std::fprintf(stderr, "course-page: %s\n%s", problem, usageText);
    return 2;
}

// The options of the command line; nothing (with the exit status set) when
// the program must stop here.
std::optional<Options> readOptions(int argc, char** argv, int& status)
{
    Options options;
    bool server = false, session = false, question = false;
    for (int i = 1; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            std::fputs(usageText, stdout);
            status = EXIT_SUCCESS;
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            status = usage("an option is missing its value");
            return std::nullopt;
        }
        const QString value = QString::fromLocal8Bit(argv[++i]);
        bool number = true;
        if (name == QLatin1String("--server")) {
            options.server = value;
            server = true;
        } else if (name == QLatin1String("--session")) {
            options.session = value;
            session = true;
        } else if (name == QLatin1String("--question")) {
            options.question = value.toLong(&number);
            question = true;
        } else if (name == QLatin1String("--lang")) {
            options.language = value;
        } else if (name == QLatin1String("--trace-level")) {
            options.traceLevel = value.toLong(&number);
        } else if (name == QLatin1String("--tracking-level")) {
            options.trackingLevel = value.toLong(&number);
        } else if (name == QLatin1String("--window-title")) {
            options.windowTitle = value;
        } else {
            status = usage("unknown option");
            return std::nullopt;
        }
        if (!number) {
            status = usage("a number is expected");
            return std::nullopt;
        }
    }
    if (!server || !session || !question) {
        status = usage("--server, --session and --question are needed");
        return std::nullopt;
    }
    return options;
}

// The page's window: what a learner sees of the course server's page.
class PageWindow : public QWidget {
public:
    PageWindow()
    {
        // Until the start-up record gives the page its title.
        setWindowTitle(QStringLiteral("Formation en ligne - Page du cours"));
        auto* layout = new QVBoxLayout(this);
        title_ = new QLabel(QStringLiteral("Formation en ligne"), this);
        QFont bold = title_->font();
        bold.setBold(true);
        bold.setPointSize(bold.pointSize() + 4);
        title_->setFont(bold);
        learner_ = new QLabel(this);
        module_ = new QLabel(this);
        events_ = new QListWidget(this);
        layout->addWidget(title_);
        layout->addWidget(learner_);
        layout->addWidget(module_);
        layout->addWidget(events_);
        resize(520, 320);
    }

    void describe(const netrova::clsBarreManager& session)
    {
        title_->setText(session.NomAppli().isEmpty() ? QStringLiteral("Formation en ligne") : session.NomAppli());
        learner_->setText(QStringLiteral("Apprenant : %1").arg(session.IdUser()));
        module_->setText(QStringLiteral("Module : %1 (%2)")
                             .arg(session.IdModule())
                             .arg(session.TypeFormEval() == QStringLiteral("F") ? QStringLiteral("formation")
                                                                                 : QStringLiteral("évaluation")));
    }

    void addEvent(const QString& line)
    {
        events_->addItem(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + line);
        events_->scrollToBottom();
    }

private:
    QLabel* title_;
    QLabel* learner_;
    QLabel* module_;
    QListWidget* events_;
};

// The words of a failed start for the learner: the course's own words for a
// known step where its language file is there, the step code, the error.
QString startFailure(const netrova::NetrovaContext& context, long step, const QString& error)
{
    QString known =
        context.oLangueIHMInet ? context.oLangueIHMInet->GetMessage(QStringLiteral("ERR_CONNUE")) : QString();
    if (known.isEmpty())
        known = QStringLiteral("Le module n'a pas pu démarrer, étape ");
    const QString why = error.isEmpty() ? basalo::returnStateName(step) : error;
    return known + QString::number(step) + QStringLiteral(" : ") + (why.isEmpty() ? QStringLiteral("?") : why);
}

}  // namespace

int main(int argc, char** argv)
{
    int status = EXIT_SUCCESS;
    const auto options = readOptions(argc, argv, status);
    if (!options)
        return status;
    // The learner plays at a screen: without one, say so at once.
    if (!platform::requireDisplay("course-page", argc, argv))
        return EXIT_FAILURE;
    platform::prepareWebEngineProgram();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("course-page"));
    // The page ends the program itself, once the plug-in is gone.
    QApplication::setQuitOnLastWindowClosed(false);

    PageWindow page;
    if (!options->windowTitle.isEmpty())
        page.setWindowTitle(options->windowTitle);
    page.show();
    const platform::RegisteredWindow pageId(page);
    platform::QtMessageBoxes boxes(&page);

    netrova::NetrovaContext& context = netrova::NetrovaContext::processDefault();
    context.windows = std::make_shared<platform::QtWindowSystem>();
    auto plugIn = std::make_unique<netrova::clsManager>(context);
    int exitCode = EXIT_SUCCESS;
    bool ended = false;
    // Each page event is printed with the session's values, then the plug-in goes.
    const auto pageEvent = [&](const char* name) {
        const netrova::clsBarreManager* session = plugIn ? plugIn->BarreManager() : nullptr;
        QString line = QString::fromLatin1(name);
        if (session)
            line += QStringLiteral(" IdUser=%1 IdModule=%2 IdResParcours=%3 IdResModule=%4 "
                                   "NbQuestionReussiDuModule=%5 NbQuestionReussiDuParcours=%6")
                        .arg(session->IdUser())
                        .arg(session->IdModule())
                        .arg(session->IdResParcours())
                        .arg(session->IdResModule())
                        .arg(session->NbQuestionReussiDuModule())
                        .arg(session->NbQuestionReussiDuParcours());
        std::printf("%s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
        page.addEvent(line);
        page.show();
        if (ended)
            return;
        ended = true;
        // The status says whether the server has the module's result.
        using Fate = netrova::clsBarreManager::ResultFate;
        const netrova::clsBarreManager::ResultReport report =
            session ? session->resultReport() : netrova::clsBarreManager::ResultReport{};
        if (report.fate == Fate::NothingAnswered) {
            std::printf("course-page: nothing was answered: there is no result to store\n");
        } else if (report.fate != Fate::Stored) {
            exitCode = EXIT_FAILURE;
            std::fprintf(stderr, "course-page: the result was not stored: %s\n",
                         (report.why.isEmpty() ? QStringLiteral("the module did not end") : report.why)
                             .toLocal8Bit()
                             .constData());
        }
        std::fflush(stdout);
        // The page lets go of the plug-in once the event is over.
        QTimer::singleShot(0, &app, [&] {
            if (plugIn) {
                plugIn->Destroy();
                plugIn.reset();
            }
            QTimer::singleShot(1500, &app, [] { QApplication::quit(); });
        });
    };
    QObject::connect(plugIn.get(), &netrova::clsManager::RetourForm, [&] { pageEvent("RetourForm"); });
    QObject::connect(plugIn.get(), &netrova::clsManager::RetourEval, [&] { pageEvent("RetourEval"); });
    QObject::connect(plugIn.get(), &netrova::clsManager::RetourFormWithMajResult,
                     [&] { pageEvent("RetourFormWithMajResult"); });
    QObject::connect(plugIn.get(), &netrova::clsManager::RetourEvalWithMajResult,
                     [&] { pageEvent("RetourEvalWithMajResult"); });
    // The plug-in finds the page by the title its server gives it.
    QObject::connect(plugIn.get(), &netrova::clsManager::hostWindowTitle, [&](const QString& title) {
        if (options->windowTitle.isEmpty() && !title.isEmpty())
            page.setWindowTitle(title);
    });

    // A start that fails is told to the learner before the page closes.
    const auto failedStart = [&](const char* what, long step) {
        const QString error = plugIn ? plugIn->LastError() : QString();
        const QString text = startFailure(context, step, error);
        std::fprintf(stderr, "course-page: %s failed at step %ld: %s\n", what, step,
                     (error.isEmpty() ? text : error).toLocal8Bit().constData());
        exitCode = EXIT_FAILURE;
        if (plugIn)
            plugIn->Destroy();
        boxes.show(text, QStringLiteral("Démarrage du module"), platform::MessageBoxes::OkButton,
                   platform::MessageBoxes::Icon::Warning);
        QApplication::quit();
    };

    // What the page sets before it starts the plug-in.
    plugIn->LevelSuivi(options->trackingLevel);
    plugIn->LevelTracelage(options->traceLevel);
    plugIn->VersionSystem(QStringLiteral("course-page"));
    plugIn->VersionBdd(QString());
    plugIn->URLBaseServer(options->server);
    plugIn->PkCookie(options->session);

    QTimer::singleShot(0, &app, [&] {
        page.addEvent(QStringLiteral("Create"));
        if (!plugIn->Create(netrova::ModeDeBase, options->language)) {
            failedStart("Create", plugIn->StateEnCours());
            return;
        }
        page.addEvent(QStringLiteral("InitPlugin"));
        const long result = plugIn ? plugIn->InitPlugin(options->session, options->server, options->question) : 0;
        if (!plugIn)
            return;
        if (result != basalo::enuFunctionReturnState_General_Traitement_OK) {
            failedStart("the start", result);
            return;
        }
        if (const netrova::clsBarreManager* session = plugIn->BarreManager())
            page.describe(*session);
        page.addEvent(QStringLiteral("Module démarré"));
    });
    const int loop = app.exec();
    plugIn.reset();
    return loop != 0 ? loop : exitCode;
}
