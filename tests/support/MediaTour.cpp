#include "support/MediaTour.h"

#include "support/FakeMediaPlayer.h"
#include "support/ModuleLearner.h"

#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "lumaro/model/Video.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "platform/MessageBoxes.h"
#include "toolkit/uctButton.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/frmVideo.h"

#include <QComboBox>
#include <QHash>
#include <QDomDocument>
#include <QFile>
#include <QLabel>
#include <QMimeDatabase>
#include <QSet>
#include <QWebEngineView>

#include <httplib.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace testsupport {

namespace {

    QString kindName(ShownMedia::Kind kind)
    {
        switch (kind) {
        case ShownMedia::Kind::Video:
            return QStringLiteral("video");
        case ShownMedia::Kind::Book:
            return QStringLiteral("book");
        case ShownMedia::Kind::Page:
            return QStringLiteral("page");
        }
        return QString();
    }

    // The tour of one question session.
    class Tour {
    public:
        explicit Tour(const MediaTourHost& host)
            : host_(host)
            , boxesSeen_(host.boxes ? host.boxes->shown().size() : 0)
        {
        }

        MediaTourResult run();

    private:
        void visitQuestion(lumaro::Manager& player, lumaro::frmClient& window, long id);
        void visitOpened(lumaro::Manager& player, const QString& where, const std::shared_ptr<lumaro::Video>& video);
        void visitMediaWindow(lumaro::frmMedia& media, const QString& where);
        void visitVideoPlayer(vidora::CAsfVideoKav& video, const QString& where,
                              const std::shared_ptr<lumaro::Video>& shown);
        void record(ShownMedia::Kind kind, const QUrl& address, const QString& where);
        void noteBoxes(const QString& where);
        long currentQuestion(const lumaro::frmClient& window) const;

        const MediaTourHost& host_;
        std::size_t boxesSeen_;
        MediaTourResult result_;
        QSet<QString> recorded_;
        bool helpSeen_ = false;
    };

    MediaTourResult Tour::run()
    {
        lumaro::Manager* player = host_.questionPlayer ? host_.questionPlayer() : nullptr;
        if (!player || !host_.model) {
            result_.problems << QStringLiteral("no question session");
            return result_;
        }
        ModuleLearner learner(*player, *host_.model);
        QSet<QString> visited;
        QHash<long, int> goOns;
        for (;;) {
            lumaro::frmClient* window = player->questionWindow();
            if (!window || !window->isVisible())
                break;
            const long id = currentQuestion(*window);
            const QString question = QStringLiteral("question %1").arg(id);
            if (!result_.questions.contains(id)) {
                result_.questions.append(id);
                if (!learner.exercise())
                    result_.problems << question + QStringLiteral(": no exercise on screen");
            }
            if (!helpSeen_ && learner.help()) {
                helpSeen_ = true;
                visitOpened(*player, question + QStringLiteral(", help"), nullptr);
                continue;
            }
            const auto appli = host_.model->puoModuleEnCours ? host_.model->puoModuleEnCours->Appli() : nullptr;
            const QString lesson = question + QStringLiteral(", lesson");
            if (!visited.contains(lesson) && learner.lesson()) {
                visited.insert(lesson);
                visitOpened(*player, lesson, appli ? appli->Lecon(id) : nullptr);
                continue;
            }
            const QString solution = question + QStringLiteral(", solution");
            if (!visited.contains(solution) && learner.solution()) {
                visited.insert(solution);
                visitOpened(*player, solution, appli ? appli->Corrige(id) : nullptr);
                continue;
            }
            // Going on shows the answer's feedback, then the next question.
            if (++goOns[id] > 2 || !learner.poursuivre()) {
                result_.problems << question + QStringLiteral(": the learner cannot go on");
                break;
            }
            noteBoxes(question);
        }
        return result_;
    }

    long Tour::currentQuestion(const lumaro::frmClient& window) const
    {
        // "2/3": the place of the question on screen in the module.
        const long index = window.lblNumQuestion()->text().section(u'/', 0, 0).toLong();
        const auto module = host_.model->puoModuleEnCours;
        const auto result = module && index > 0 ? module->ResultQuestions(index) : nullptr;
        const auto question = result ? result->Question() : nullptr;
        return question ? question->IdQuestion() : 0;
    }

    void Tour::visitOpened(lumaro::Manager& player, const QString& where, const std::shared_ptr<lumaro::Video>& video)
    {
        // The same document may be shown again by another choice of the same window.
        recorded_.clear();
        noteBoxes(where);
        lumaro::frmMedia* media = player.mediaWindow();
        vidora::CAsfVideoKav* videoPlayer = host_.videoPlayer ? host_.videoPlayer() : nullptr;
        if (media && media->isVisible())
            visitMediaWindow(*media, where + QStringLiteral(", media window"));
        else if (videoPlayer && videoPlayer->window() && videoPlayer->window()->isVisible())
            visitVideoPlayer(*videoPlayer, where + QStringLiteral(", video player"), video);
        else
            result_.problems << where + QStringLiteral(": nothing shown");
        const lumaro::frmClient* window = player.questionWindow();
        if (window && !window->isVisible())
            result_.problems << where + QStringLiteral(": the question window did not come back");
    }

    void Tour::visitMediaWindow(lumaro::frmMedia& media, const QString& where)
    {
        const auto button = [&](const char* name) {
            auto* found = media.findChild<toolkit::uctButton*>(QString::fromLatin1(name));
            return found && found->isVisible();
        };
        const auto recordShown = [&](const QString& document) {
            if (media.MoviePlayer()->isVisible() && host_.mediaWindowPlayer && host_.mediaWindowPlayer())
                record(ShownMedia::Kind::Video, host_.mediaWindowPlayer()->address(), where + document);
            if (media.HTMLViewer()->isVisible())
                record(media.MediaOpenedForHelpViewer() ? ShownMedia::Kind::Page : ShownMedia::Kind::Book,
                       media.viewerAddress(), where + document);
            noteBoxes(where + document);
        };
        recordShown(QString());
        if (!media.MediaOpenedForHelpViewer()) {
            if (button("kavbtnVideo")) {
                media.OptChoix_Click(0);
                recordShown(QStringLiteral(", main video"));
            }
            if (button("kavbtnLivre")) {
                media.OptChoix_Click(1);
                recordShown(QStringLiteral(", main book"));
            }
            auto* complements = media.findChild<QComboBox*>(QStringLiteral("cmbComplements"));
            if (complements && complements->isVisible()) {
                // The first entry is the list's caption.
                for (int entry = 1; entry < complements->count(); ++entry) {
                    complements->setCurrentIndex(entry);
                    media.cmbComplements_Click();
                    recordShown(QStringLiteral(", complement \"%1\"").arg(complements->itemText(entry)));
                }
            }
            if (button("kavbtnAide")) {
                media.imgAide_Click();
                record(ShownMedia::Kind::Page, media.viewerAddress(), where + QStringLiteral(", help"));
                noteBoxes(where + QStringLiteral(", help"));
                media.imgAide_Click();
            }
        }
        media.imgQuitter_Click();
        noteBoxes(where);
    }

    void Tour::visitVideoPlayer(vidora::CAsfVideoKav& video, const QString& where,
                                const std::shared_ptr<lumaro::Video>& shown)
    {
        FakeMediaPlayer* media = host_.videoPlayerMedia ? host_.videoPlayerMedia() : nullptr;
        if (media)
            record(ShownMedia::Kind::Video, media->address(), where);
        if (!shown) {
            result_.problems << where + QStringLiteral(": the course model holds no such video");
        } else {
            // The player shows each sequence's text as a page beside the
            // video; a book's description there is a page with nothing on it.
            const QStringList texts = shown->HtmSeq();
            for (qsizetype i = 0; i < texts.size(); ++i) {
                QDomDocument description;
                if (description.setContent(texts.at(i))
                    && description.documentElement().tagName() == QLatin1String("LIVRE"))
                    result_.problems << where + QStringLiteral(": sequence %1 is a book").arg(i);
            }
        }
        video.window()->kavbtnQuitter_Click();
        noteBoxes(where);
    }

    void Tour::record(ShownMedia::Kind kind, const QUrl& address, const QString& where)
    {
        const QString key = kindName(kind) + u' ' + address.toString();
        if (recorded_.contains(key))
            return;
        recorded_.insert(key);
        result_.shown.push_back({kind, address, where});
    }

    void Tour::noteBoxes(const QString& where)
    {
        if (!host_.boxes)
            return;
        const auto& shown = host_.boxes->shown();
        for (; boxesSeen_ < shown.size(); ++boxesSeen_)
            result_.problems << where + QStringLiteral(": box \"") + shown[boxesSeen_].text + u'"';
    }

}  // namespace

AddressReply readAddress(const QUrl& address)
{
    if (address.isLocalFile()) {
        QFile file(address.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            return {404, {}};
        return {200, file.readAll()};
    }
    if (address.scheme() != QLatin1String("http"))
        return {};
    httplib::Client client(address.host().toStdString(), address.port(80));
    client.set_connection_timeout(10);
    client.set_read_timeout(30);
    const auto reply = client.Get(address.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::FullyEncoded)
                                      .toStdString());
    if (!reply)
        return {};
    return {reply->status, QByteArray::fromStdString(reply->body)};
}

QString mediaProblem(const ShownMedia& media)
{
    const QString what = QStringLiteral("%1 %2 (%3)").arg(kindName(media.kind), media.address.toString(), media.where);
    if (media.address.isEmpty())
        return what + QStringLiteral(": no address");
    const AddressReply reply = readAddress(media.address);
    if (reply.status != 200)
        return what + QStringLiteral(": status %1").arg(reply.status);
    const QMimeType type = QMimeDatabase().mimeTypeForData(reply.body);
    const bool taken = media.kind == ShownMedia::Kind::Video ? type.name().startsWith(QLatin1String("video/"))
                                                             : type.inherits(QStringLiteral("text/html"));
    return taken ? QString() : what + QStringLiteral(": holds ") + type.name();
}

MediaTourResult tourModule(const MediaTourHost& host)
{
    return Tour(host).run();
}

void expectEveryMediaPlayable(const MediaTourResult& tour, long questions)
{
    EXPECT_TRUE(tour.problems.isEmpty()) << tour.problems.join(u'\n').toStdString();
    EXPECT_EQ(tour.questions.size(), questions) << "every question was on screen";
    EXPECT_TRUE(std::any_of(tour.shown.begin(), tour.shown.end(),
                            [](const ShownMedia& shown) { return shown.kind == ShownMedia::Kind::Page; }))
        << "the help page was shown";
    for (const ShownMedia& shown : tour.shown) {
        const QString problem = mediaProblem(shown);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    }
}

}  // namespace testsupport
