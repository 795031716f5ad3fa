#pragma once

#include "LaunchFixture.h"

#include "pelago/LumaroPlayer.h"

#include "support/FakeMediaPlayer.h"

#include "exerva/ExervaContext.h"
#include "lumaro/player/ExervaEngine.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"
#include "platform/QtWindowSystem.h"

#include <QPointer>

namespace pelagotest {

// A launcher against the sample management system whose question player is
// the course model's own, on the real exercise engine and the sample language
// file; its media window plays on a fake media player.
class PlayerLaunchTest : public LaunchTest {
protected:
    void SetUp() override
    {
        LaunchTest::SetUp();
        // The sample language file, its French sections under the launcher's numeric language.
        QFile sample(QStringLiteral(SAMPLES_DIR "/lng/kavplugin.lng"));
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        writeFile(QStringLiteral("program/kavplugin.lng"), sample.readAll().replace("_FR]", "_1036]"));
        lumaro::ExervaEngine::install(data_.lumaro, engineContext_);
        data_.windowSystem = &windows_;
        data_.createPlayer = [this]() -> std::unique_ptr<pelago::QuestionPlayer> {
            lumaro::ManagerServices services;
            services.windows = &windows_;
            services.timers = &timers_;
            services.clock = &clock_;
            services.boxes = &boxes_;
            services.screenSize = [] { return QSize(1024, 768); };
            services.mediaPlayer = testsupport::fakeMediaPlayers(mediaWindowPlayer);
            auto player = std::make_unique<pelago::LumaroPlayer>(data_.lumaro, std::move(services));
            manager = &player->manager();
            return player;
        };
    }

    lumaro::frmClient* questionWindow() const { return manager ? manager->questionWindow() : nullptr; }

    exerva::ExervaContext engineContext_;
    platform::QtWindowSystem windows_;
    lumaro::Manager* manager = nullptr;
    QPointer<testsupport::FakeMediaPlayer> mediaWindowPlayer;
};

}  // namespace pelagotest
