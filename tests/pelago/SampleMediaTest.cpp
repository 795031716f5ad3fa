// The sample course as `make run-aicc` plays it: in every run the sample
// management system offers, every document a learner can open is where the
// launcher looks for it, and is of a kind the player that shows it takes.

#include "LaunchOptions.h"
#include "LaunchRun.h"
#include "PlayerLaunchFixture.h"

#include "support/CaseName.h"
#include "support/FakeVideoPlayers.h"
#include "support/MediaTour.h"

#include "hostsession/VideoDisplay.h"
#include "lumaro/player/frmMedia.h"
#include "toolkit/ReplyRecords.h"
#include "vidora/CAsfVideoKav.h"
#include "vidora/VidoraContext.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// One run as scripts/run-aicc starts it: what chooses it on the command line.
struct SampleRun {
    std::string name;
    QStringList arguments;
};

// The modules the sample system has pages of, and each of their questions
// alone, as run-aicc chooses them (MODULE, MODULE and QUESTION): the module
// 1202 and its questions in evaluation, the others in training.
std::vector<SampleRun> sampleRuns()
{
    std::vector<SampleRun> runs;
    const QDir modules(QStringLiteral(SAMPLE_SERVER_DIR "/LMS/InfoQuestDuModule"));
    for (const QFileInfo& page : modules.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString module = page.completeBaseName();
        const QStringList type{QStringLiteral("--type"),
                               module == QLatin1String("1202") ? QStringLiteral("E") : QStringLiteral("F")};
        runs.push_back({"Module" + testsupport::caseName(module), QStringList{QStringLiteral("--module"), module} + type});
        QFile file(page.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // One question record after the reply's marker, its identifier first.
        const QStringList records =
            toolkit::splitReplyText(QString::fromUtf8(file.readAll()), toolkit::replyElementSeparator);
        for (const QString& record : records.mid(1)) {
            const QString question = record.section(toolkit::replyFieldSeparator, 0, 0);
            runs.push_back({"Module" + testsupport::caseName(module) + "Question" + testsupport::caseName(question),
                            QStringList{QStringLiteral("--question"), question} + type});
        }
    }
    return runs;
}

class SampleMediaTest : public pelagotest::PlayerLaunchTest, public ::testing::WithParamInterface<SampleRun> {
protected:
    void SetUp() override
    {
        PlayerLaunchTest::SetUp();
        testsupport::useFakeVideoPlayers(vidora_, timers_, videoPlayer_,
                                         path(QStringLiteral("tmp")), QSize(1024, 768));
        data_.vidora = &vidora_;
    }

    void TearDown() override
    {
        PlayerLaunchTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The options run-aicc gives the launcher for that run.
    pelagoapp::LaunchOptions runOptions(const QStringList& run) const
    {
        const QString base = lmsBase();
        const auto parsed = pelagoapp::parseLaunchOptions(
            QStringList{QStringLiteral("--launch"),
                        base + QStringLiteral("launch?aicc_sid=SAMPLE-1&aicc_url=") + base + QStringLiteral("aicc"),
                        QStringLiteral("--lms-url"), base, QStringLiteral("--application"), QStringLiteral("12")}
            + run
            + QStringList{QStringLiteral("--media-folder"), QStringLiteral(SAMPLES_DIR "/media"),
                          QStringLiteral("--note-max"), QStringLiteral("20")});
        EXPECT_TRUE(parsed.options) << parsed.problem.toStdString();
        return parsed.options.value_or(pelagoapp::LaunchOptions{});
    }

    vidora::VidoraContext vidora_;
    QPointer<testsupport::FakeMediaPlayer> videoPlayer_;
};

TEST_P(SampleMediaTest, EveryMediaOfTheRunIsWhereTheLauncherLooksAndFitsItsPlayer)
{
    manager_.reset();
    pelagoapp::LaunchRun run(data_, runOptions(GetParam().arguments));
    ASSERT_TRUE(run.begin()) << run.problem().toStdString() << boxes_.texts().join(u'\n').toStdString();
    const long questions = data_.lumaro.puoModuleEnCours->NbQuest();

    testsupport::MediaTourHost host;
    host.questionPlayer = [this] { return manager; };
    host.model = &data_.lumaro;
    host.boxes = &boxes_;
    host.mediaWindowPlayer = [this] { return mediaWindowPlayer.data(); };
    host.videoPlayer = [this]() -> vidora::CAsfVideoKav* {
        const hostsession::VideoDisplay* display =
            data_.puoBarreManager ? data_.puoBarreManager->videoDisplay() : nullptr;
        return display ? display->player() : nullptr;
    };
    host.videoPlayerMedia = [this] { return videoPlayer_.data(); };
    const testsupport::MediaTourResult tour = testsupport::tourModule(host);
    runToEnd();

    testsupport::expectEveryMediaPlayable(tour, questions);
    // The course pages, the exercise files and whatever the pages shown asked for.
    for (const auto& request : server_->requests())
        EXPECT_LT(request.status, 400) << request.method << " " << request.path;
}

INSTANTIATE_TEST_SUITE_P(Runs, SampleMediaTest, ::testing::ValuesIn(sampleRuns()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
