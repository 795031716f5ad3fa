// Module load: the plug-in's Init of a training module of a hundred questions
// from the sample course server on 127.0.0.1, against the same requests made
// one after the other by a plain QNetworkAccessManager loop.

#include "CourseServer.h"
#include "netrova/NetrovaContext.h"
#include "netrova/clsBarreManager.h"
#include "netrova/clsManager.h"
#include "platform/QtHttpSession.h"
#include "support/Comparisons.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr long questionCount = 100;
constexpr long firstQuestion = 5001;

QByteArray readSample(const QString& relative)
{
    QFile file(QStringLiteral(SAMPLE_SERVER_DIR "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The server's data for the module: every question on the sample's component,
// each with the associated file, particular answers and videos of the
// sample's first question, so that each loader reads a full record.
bool writeCourse(const QString& folder)
{
    const QByteArray question = readSample(QStringLiteral("WS/InfoQuestion/1211.txt"));
    const QByteArray videos = readSample(QStringLiteral("WS/InfoVideo/1211.txt"));
    QByteArray list = "#KAV_OK#";
    bool written = writeFile(folder + QStringLiteral("/WS/InfoDll/1.txt"), readSample(QStringLiteral("WS/InfoDll/1.txt")));
    for (long id = firstQuestion; id < firstQuestion + questionCount; ++id) {
        const QByteArray name = QByteArray::number(id);
        list += "|" + name + "^1^0000:02^^^" + QByteArray::number(1 + id % 3) + "^Question " + name + "^0";
        written = written && writeFile(folder + QStringLiteral("/WS/InfoQuestion/%1.txt").arg(id), question)
            && writeFile(folder + QStringLiteral("/WS/InfoVideo/%1.txt").arg(id), videos);
    }
    return written && writeFile(folder + QStringLiteral("/WS/InfoQuestDuModule/default.txt"), list);
}

// The plug-in's HTTP session, writing down the address of every request.
class RecordingSession final : public platform::HttpSession {
public:
    explicit RecordingSession(std::vector<QUrl>& urls) : urls_(urls) {}
    platform::HttpReply send(const platform::HttpRequest& request) override
    {
        urls_.push_back(request.url);
        return real_.send(request);
    }

private:
    std::vector<QUrl>& urls_;
    platform::QtHttpSession real_;
};

// The plug-in, started as a page starts it, with its files and the course
// server's data in a folder of its own.
class CourseLoad {
public:
    // "" when ready, else what went wrong.
    QString setUp()
    {
        if (!root_.isValid())
            return QStringLiteral("no temporary folder");
        if (!writeCourse(path(QStringLiteral("server"))))
            return QStringLiteral("cannot write the course data");
        if (!writeFile(path(QStringLiteral("data/kavplugin.lng")), readSample(QStringLiteral("WS/pluginlng/default.lng"))))
            return QStringLiteral("cannot write the language file");
        courseserver::ServerOptions options;
        options.dataFolder = path(QStringLiteral("server"));
        options.recordFolder = path(QStringLiteral("records"));
        server_ = std::make_unique<courseserver::CourseServer>(options);
        if (!server_->start())
            return QStringLiteral("the course server does not start");

        context_.dataFolder = path(QStringLiteral("data"));
        context_.homeFolder = path(QStringLiteral("home"));
        context_.documentsFolder = path(QStringLiteral("home/Documents"));
        context_.createRegistry = [this] {
            return std::make_shared<toolkit::KavReg>(toolkit::KavReg::Files{
                path(QStringLiteral("registry/user.ini")), path(QStringLiteral("registry/machine.ini"))});
        };
        context_.createHttpSession = [this] { return std::make_unique<RecordingSession>(urls_); };
        manager_ = std::make_unique<netrova::clsManager>(context_);
        if (!manager_->Create(netrova::ModeDeBase, QStringLiteral("FR")))
            return QStringLiteral("Create failed: %1").arg(context_.pulStateEnCours);

        const QString base = QString::fromStdString(server_->baseUrl());
        context_.pusURLBaseServer = base;
        context_.pusURLBaseDownloadFiles = base;
        context_.pusPkCookie = QStringLiteral("1");
        netrova::clsBarreManager& session = *manager_->BarreManager();
        session.IdAppli(12);
        session.NomAppli(QStringLiteral("Traitement de texte"));
        session.VersionAppli(QStringLiteral("2.4"));
        session.TypeFormEval(QStringLiteral("F"));
        session.NomModule(QStringLiteral("Module de mesure"));
        session.HasCorrige(true);
        session.HasLecon(true);
        session.ModeMediaInet(true);
        session.URLMediaAppli(base + QStringLiteral("Media"));
        session.ExtensionFichierVideo(QStringLiteral("mp4"));
        session.TypeChrono(1);
        session.AutoMediaPoint(1);
        if (!init())
            return QStringLiteral("Init failed: %1 %2").arg(context_.pulStateEnCours).arg(context_.pusErrorDescription);
        if (session.NbQuestionDuModule() != questionCount)
            return QStringLiteral("Init loaded %1 questions").arg(session.NbQuestionDuModule());
        return {};
    }

    bool init()
    {
        urls_.clear();
        return manager_->BarreManager()->Init();
    }

    // The requests of the last Init, in their order.
    const std::vector<QUrl>& requests() const { return urls_; }

private:
    QString path(const QString& relative) const { return root_.filePath(relative); }

    QTemporaryDir root_;
    std::unique_ptr<courseserver::CourseServer> server_;
    netrova::NetrovaContext context_;
    std::vector<QUrl> urls_;
    std::unique_ptr<netrova::clsManager> manager_;
};

void moduleInit(benchmark::State& state, CourseLoad& load)
{
    for (auto _ : state) {
        if (!load.init()) {
            state.SkipWithError("Init failed");
            return;
        }
    }
    state.counters["requests"] = double(load.requests().size());
}

// Each request waits for its reply before the next goes, as the plug-in's do.
void plainLoop(benchmark::State& state, const std::vector<QUrl>& urls)
{
    QNetworkAccessManager network;
    for (auto _ : state) {
        for (const QUrl& url : urls) {
            QNetworkReply* const reply = network.get(QNetworkRequest(url));
            QEventLoop loop;
            QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
            if (!reply->isFinished())
                loop.exec();
            const QByteArray body = reply->readAll();
            const bool failed = reply->error() != QNetworkReply::NoError;
            delete reply;
            if (failed) {
                state.SkipWithError("a request failed");
                return;
            }
            benchmark::DoNotOptimize(body.data());
        }
    }
    state.counters["requests"] = double(urls.size());
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    CourseLoad load;
    if (const QString error = load.setUp(); !error.isEmpty()) {
        std::fprintf(stderr, "module load: %s\n", qUtf8Printable(error));
        return 1;
    }
    const std::vector<QUrl> requests = load.requests();
    benchmark::RegisterBenchmark("ModuleLoad/Init", moduleInit, std::ref(load))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ModuleLoad/PlainLoop", plainLoop, std::cref(requests))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return benchsupport::runBenchmarks(
        argc, argv,
        {benchsupport::Comparison::ratio("module load: Init / plain loop", "ModuleLoad/Init", "ModuleLoad/PlainLoop", 1.5)});
}
