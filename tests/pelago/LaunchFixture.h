#pragma once

#include "PelagoFixture.h"

#include "CourseServer.h"

#include "lumaro/model/Appli.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pelagotest {

// A launcher against the sample course server playing the learning management
// system: its AICC end point, its course-data pages and its exercise files.
// The question player is the fake one unless a test says otherwise.
class LaunchTest : public PelagoTest {
protected:
    void SetUp() override
    {
        PelagoTest::SetUp();
        writeFile(QStringLiteral("program/kavplugin.lng"),
                  "[Pelago_Langue_1036]\nMESSAGE_ErrOccuppe=Une formation est déjà en cours.\n"
                  "MESSAGE_Loading1=Chargement du module en cours.\nMESSAGE_Loading2=Veuillez patienter...\n"
                  "MESSAGE_Loading3=Préparation des fichiers de travail...\n"
                  "MESSAGE_ErrModule=Le module n'a pas pu être créé.\n"
                  "MESSAGE_ErrPersonalFolder=Votre dossier personnel n'a pas pu être créé.\n"
                  "ERR_VIDEO_NOT_FOUND=La vidéo %1 est introuvable sur le CD-ROM.\n"
                  "ERR_VIDEO_NOT_FOUND_UNC=La vidéo %1 est introuvable sur le réseau.\n"
                  "ERR_NO_CDROM=Aucun CD-ROM n'est monté.\n"
                  "ERR_CONNUE=\"Erreur connue : \"\nERR_INCONNUE=\"Erreur inconnue : \"\n");
        startServer(QStringLiteral(SAMPLE_SERVER_DIR));
    }

    void TearDown() override
    {
        // The transport's open connections go first, so that the server need
        // not wait for them to time out.
        if (data_.puoBarreManager)
            data_.puoBarreManager->Destroy();
        PelagoTest::TearDown();
        for (const auto& server : retired_)
            server->stop();
        if (server_)
            server_->stop();
    }

    void startServer(const QString& dataFolder)
    {
        // An earlier server stops with the others at the end, once the
        // transport's connections to it are closed.
        if (server_)
            retired_.push_back(std::move(server_));
        courseserver::ServerOptions options;
        options.dataFolder = dataFolder;
        options.recordFolder = path(QStringLiteral("records"));
        QDir().mkpath(options.recordFolder);
        server_ = std::make_unique<courseserver::CourseServer>(options);
        ASSERT_TRUE(server_->start());
    }

    // A data folder of the sample system's form pages and learner, with these replies.
    void serveReplies(const std::map<QString, QByteArray>& replies)
    {
        QDirIterator pagesIn(QStringLiteral(SAMPLE_SERVER_DIR "/LMS"), QDir::Files, QDirIterator::Subdirectories);
        while (pagesIn.hasNext()) {
            const QString file = pagesIn.next();
            if (file.contains(QStringLiteral("/WS/")) || file.contains(QStringLiteral("/getparam/"))) {
                QFile in(file);
                ASSERT_TRUE(in.open(QIODevice::ReadOnly));
                writeFile(QStringLiteral("lms-data/LMS/") + file.section(QStringLiteral("/LMS/"), -1), in.readAll());
            }
        }
        for (const auto& [relative, bytes] : replies)
            writeFile(QStringLiteral("lms-data/") + relative, bytes);
        startServer(path(QStringLiteral("lms-data")));
    }

    // A course disc mounted as iso9660, listed after an ordinary file system;
    // its folder's name holds a blank, which the mount table escapes. With
    // videos, the sample lesson lies under "MEDIAS/12F/" in the capitals a
    // disc may give its names. The disc's folder, with a final "/".
    QString mountDisc(bool withVideos)
    {
        const QString disc = path(QStringLiteral("media/course disc/"));
        QDir().mkpath(disc);
        if (withVideos) {
            QDir().mkpath(disc + QStringLiteral("MEDIAS/12F"));
            EXPECT_TRUE(QFile::copy(QStringLiteral(SAMPLES_DIR "/media/lecon12.avi"),
                                    disc + QStringLiteral("MEDIAS/12F/LECON12.AVI")));
        }
        QByteArray listed = disc.chopped(1).toUtf8();
        listed.replace(" ", "\\040");
        writeFile(QStringLiteral("mounts"), "/dev/sda1 / ext4 rw,relatime 0 0\n/dev/sr0 " + listed + " iso9660 ro 0 0\n");
        data_.mountTable = path(QStringLiteral("mounts"));
        return disc;
    }

    QString lmsBase() const { return QString::fromStdString(server_->baseUrl()) + QStringLiteral("LMS/"); }

    // AskStart, then the session pointed at the sample system for session `sid`.
    void launch(const QString& sid = QStringLiteral("SID-1"))
    {
        ASSERT_TRUE(manager_->AskStart(QString::fromLatin1(langue), QStringLiteral("00:10:00")));
        pelago::clsBarreManager& session = barre();
        session.AiccUrl(lmsBase() + QStringLiteral("aicc"));
        session.AiccSid(sid);
        session.Method(QStringLiteral("post"));
        session.CfgSite(QStringLiteral("site1"));
        session.CfgBdd(QStringLiteral("bdd1"));
        session.NoteMaxAicc(QStringLiteral("20"));
        session.URLBaseServer(lmsBase());
        session.URLClientFolder(lmsBase());
        session.PathMediaAppli(QStringLiteral(SAMPLES_DIR "/media"));
        session.PersonalFolder(path(QStringLiteral("learner")));
        session.HasLecon(true);
        session.HasCorrige(true);
    }

    // The page names the launcher asked for, in order, without the address.
    QStringList pages() const
    {
        QStringList names;
        for (const auto& request : server_->requests()) {
            const QString path = QString::fromStdString(request.path);
            if (path.contains(QStringLiteral("/LMS/WS/")))
                names.append(path.section(u'/', -1));
        }
        return names;
    }
    qsizetype requestsOf(const QString& page) const { return pages().count(page); }

    // The AICC requests the system stored (putparam, exitAU), in order.
    QList<QJsonObject> stored() const
    {
        QList<QJsonObject> records;
        QFile file(server_->aiccFile());
        if (!file.open(QIODevice::ReadOnly))
            return records;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                records.append(QJsonDocument::fromJson(line).object());
        }
        return records;
    }

    std::shared_ptr<lumaro::Appli> appli()
    {
        return barre().pioKavParc ? barre().pioKavParc->Appli(12) : nullptr;
    }

    std::unique_ptr<courseserver::CourseServer> server_;
    std::vector<std::unique_ptr<courseserver::CourseServer>> retired_;
};

}  // namespace pelagotest
