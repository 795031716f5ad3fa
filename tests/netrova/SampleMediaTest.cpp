// The sample course as `make run` plays it: every document a learner can open
// in a module of the sample course server is served where the plug-in asks for
// it, and is of a kind the player that shows it takes.

#include "NetrovaFixture.h"

#include "support/CaseName.h"
#include "support/MediaTour.h"

#include "basalo/enuFunctionReturnState.h"
#include "hostsession/VideoDisplay.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "lumaro/player/frmMedia.h"
#include "vidora/CAsfVideoKav.h"

#include <QFileInfo>

namespace {

// The sessions the sample server has a start-up record of; "default" answers
// every other session, the course page's first among them.
std::vector<std::string> sampleSessions()
{
    std::vector<std::string> sessions;
    const QDir records(QStringLiteral(SAMPLE_SERVER_DIR "/WS/initplugin"));
    for (const QFileInfo& record : records.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString name = record.completeBaseName();
        sessions.push_back(name == QLatin1String("default") ? std::string("1") : name.toStdString());
    }
    return sessions;
}

class SampleMediaTest : public netrovatest::NetrovaTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(SampleMediaTest, EveryMediaOfTheModuleIsServedForThePlayerThatShowsIt)
{
    const QString session = QString::fromStdString(GetParam());
    ASSERT_EQ(manager_->InitPlugin(session, base(), 1), basalo::enuFunctionReturnState_General_Traitement_OK)
        << boxes_.texts().join(u'\n').toStdString();
    netrova::clsBarreManager* bar = manager_->BarreManager();
    ASSERT_NE(bar, nullptr);
    const long questions = bar->pioKavParc->ModuleEnCours()->NbQuest();

    testsupport::MediaTourHost host;
    host.questionPlayer = [bar] { return bar->pioKavBarre(); };
    host.model = &context_.lumaroContext;
    host.boxes = &boxes_;
    host.mediaWindowPlayer = [this] { return mediaWindowPlayer_.data(); };
    host.videoPlayer = [bar] { return bar->VideoPlayer().player(); };
    host.videoPlayerMedia = [this] { return videoPlayer_.data(); };
    const testsupport::MediaTourResult tour = testsupport::tourModule(host);

    testsupport::expectEveryMediaPlayable(tour, questions);
    // The exercise files and whatever the pages shown asked for.
    for (const auto& request : server_->requests())
        EXPECT_LT(request.status, 400) << request.method << " " << request.path;
}

INSTANTIATE_TEST_SUITE_P(Sessions, SampleMediaTest, ::testing::ValuesIn(sampleSessions()),
                         [](const auto& info) {
                             return "Session" + testsupport::caseName(QString::fromStdString(info.param));
                         });

}  // namespace
