#pragma once

#include "CourseServer.h"
#include "netrova/NetrovaContext.h"
#include "netrova/clsBarreManager.h"
#include "netrova/clsManager.h"

#include "platform/MessageBoxes.h"
#include "platform/QtWindowSystem.h"
#include "platform/RegisteredWindow.h"
#include "support/FakeMediaPlayer.h"
#include "support/FakeTimers.h"
#include "support/FakeVideoPlayers.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "vidora/VidoraContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace netrovatest {

// A plug-in with a fresh context whose files (language file, traces,
// registry, components) live in the test's folder, and the sample course
// server run in-process on a copy of the sample data, which a test may change.
// The page's window is up, titled as the sample's start-up record names it;
// the players run on fake timers and fake media players, and the message
// boxes are answered by script.
class NetrovaTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        page_.setWindowTitle(QStringLiteral("Formation en ligne - Traitement de texte"));
        page_.resize(320, 200);
        page_.show();
        pageId_ = std::make_unique<platform::RegisteredWindow>(page_);
        context_.windows = std::make_shared<platform::QtWindowSystem>();
        context_.playerServices.timers = &timers_;
        context_.playerServices.clock = &clock_;
        context_.playerServices.boxes = &boxes_;
        context_.playerServices.screenSize = [] { return QSize(1024, 768); };
        context_.playerServices.mediaPlayer = testsupport::fakeMediaPlayers(mediaWindowPlayer_);
        testsupport::useFakeVideoPlayers(vidora_, timers_, videoPlayer_,
                                         path(QStringLiteral("tmp")), QSize(1024, 768));
        context_.vidoraContext = &vidora_;
        context_.mountTable = path(QStringLiteral("mounts"));
        copyFolder(QStringLiteral(SAMPLE_SERVER_DIR), path(QStringLiteral("server")));
        context_.dataFolder = path(QStringLiteral("data"));
        context_.homeFolder = path(QStringLiteral("home"));
        context_.documentsFolder = path(QStringLiteral("home/Documents"));
        context_.createRegistry = [this] {
            return std::make_shared<toolkit::KavReg>(toolkit::KavReg::Files{
                path(QStringLiteral("registry/user.ini")), path(QStringLiteral("registry/machine.ini"))});
        };
        courseserver::ServerOptions options;
        options.dataFolder = path(QStringLiteral("server"));
        options.recordFolder = path(QStringLiteral("records"));
        // The sample course's media and exercise files, as `make run` serves them.
        options.mounts = {{"Media/12F", QStringLiteral(SAMPLES_DIR "/media")},
                          {"Download/12F/Pdf", QStringLiteral(SAMPLES_DIR "/media")},
                          {"Download/12F", QStringLiteral(SAMPLES_DIR "/12F")},
                          {"Download/12Eb", QStringLiteral(SAMPLES_DIR "/12Eb")}};
        QDir().mkpath(options.recordFolder);
        server_ = std::make_unique<courseserver::CourseServer>(options);
        ASSERT_TRUE(server_->start());
        manager_ = std::make_unique<netrova::clsManager>(context_);
    }

    void TearDown() override
    {
        manager_.reset();
        server_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void copyFolder(const QString& from, const QString& to)
    {
        QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString target = to + file.mid(from.size());
            QDir().mkpath(QFileInfo(target).absolutePath());
            ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
        }
    }

    QString base() const { return QString::fromStdString(server_->baseUrl()); }
    void addFault(const char* text)
    {
        const auto fault = courseserver::parseFault(text);
        ASSERT_TRUE(fault) << text;
        server_->addFault(*fault);
    }

    // The start-up record the server sends for the session, one field changed.
    void setStartField(const QString& sessionId, int index, const QString& value)
    {
        QStringList fields =
            QString::fromUtf8(readFile(QStringLiteral("server/WS/initplugin/default.txt"))).split(u'#');
        fields[index] = value;
        writeFile(QStringLiteral("server/WS/initplugin/%1.txt").arg(sessionId), fields.join(u'#').toUtf8());
    }

    // The tracking records the server stored, in their order.
    std::vector<QJsonObject> trackingRecords() const
    {
        std::vector<QJsonObject> records;
        QFile file(server_->trackingFile());
        if (!file.open(QIODevice::ReadOnly))
            return records;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            if (!line.trimmed().isEmpty())
                records.push_back(QJsonDocument::fromJson(line).object().value(QStringLiteral("fields")).toObject());
        }
        return records;
    }
    std::vector<long> trackedCodes() const
    {
        std::vector<long> codes;
        for (const auto& record : trackingRecords())
            codes.push_back(record.value(QStringLiteral("PkFunction")).toString().toLong());
        return codes;
    }

    // Everything the trace log holds.
    QString traceText() const { return traceTextUnder(QStringLiteral("data/traces")); }

    QString languageFile() const { return QString::fromUtf8(readFile(QStringLiteral("data/kavplugin.lng"))); }

    testsupport::ManualClock clock_;
    testsupport::FakeTimers timers_{clock_};
    platform::ScriptedMessageBoxes boxes_;
    vidora::VidoraContext vidora_;
    QWidget page_;
    std::unique_ptr<platform::RegisteredWindow> pageId_;
    QPointer<testsupport::FakeMediaPlayer> mediaWindowPlayer_;
    QPointer<testsupport::FakeMediaPlayer> videoPlayer_;
    netrova::NetrovaContext context_{clock_};
    std::unique_ptr<courseserver::CourseServer> server_;
    std::unique_ptr<netrova::clsManager> manager_;
};

}  // namespace netrovatest
