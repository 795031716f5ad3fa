#pragma once

#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Video.h"
#include "lumaro/player/LumaroLangue.h"
#include "lumaro/player/frmMedia.h"

#include "platform/MessageBoxes.h"
#include "support/FakeMediaPlayer.h"
#include "support/FakeTimers.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "support/WidgetPart.h"
#include "toolkit/uctButton.h"

#include <QComboBox>

#include <memory>
#include <utility>
#include <vector>

namespace testsupport {

// The question player's messages from the sample language file, in French.
inline void useSampleLanguage(lumaro::LumaroContext& context)
{
    auto langue = std::make_shared<lumaro::LumaroLangue>();
    langue->langue().LangueID(QStringLiteral("FR"));
    langue->langue().LNGFilePath(QStringLiteral(SAMPLES_DIR "/lng/kavplugin.lng"));
    context.langue = langue;
}

// A media window on a fake player and fake timers, over a 1024 x 768 screen,
// with the sample language file; the test builds the media from descriptions.
class MediaWindowFixture : public TempDirTest {
protected:
    MediaWindowFixture()
    {
        useSampleLanguage(context);
        // The videos of the tests last their whole Duree, 00:02:00 unless said.
        player.setMediaDuration(120);
        window = std::make_unique<lumaro::frmMedia>(context, player, timers, boxes);
        window->placeOnScreen(QSize(1024, 768));
        QObject::connect(window.get(), &lumaro::frmMedia::Quitter, [this] { ++quitCount; });
    }

    static QString video(const QString& file, const QString& duree = QStringLiteral("00:02:00"),
                         const QString& more = QString())
    {
        return QStringLiteral("<VIDEO><FILE FileName=\"%1\" Duree=\"%2\"%3/></VIDEO>").arg(file, duree, more);
    }
    static QString book(const QString& file, const QString& title = QString(),
                        const QString& extension = QStringLiteral(".htm"))
    {
        const QString titled = title.isNull() ? QString() : QStringLiteral(" Title=\"%1\"").arg(title);
        return QStringLiteral("<LIVRE><FILE FileName=\"%1\" Extension=\"%2\"%3/></LIVRE>").arg(file, extension, titled);
    }

    // A media of sequences given as start text and description.
    static std::shared_ptr<lumaro::Video> media(const std::vector<std::pair<QString, QString>>& sequences)
    {
        auto result = std::make_shared<lumaro::Video>();
        long id = 1;
        for (const auto& [start, description] : sequences)
            result->addSeq(start, description, id++);
        return result;
    }
    // The lesson of the sample course: a main video and two complements.
    static std::shared_ptr<lumaro::Video> lesson()
    {
        return media({{QStringLiteral("00:00:00"), video(QStringLiteral("lecon12"))},
                      {QStringLiteral("02:00:00"), book(QStringLiteral("copier-coller"), QStringLiteral("Copier et coller"))},
                      {QStringLiteral("03:00:00"),
                       book(QStringLiteral("raccourcis"), QStringLiteral("Les raccourcis clavier"))}});
    }
    // A main video (sequence 0) and a main book (sequence 1).
    static std::shared_ptr<lumaro::Video> videoAndBook(const QString& duree = QStringLiteral("00:02:00"))
    {
        return media({{QStringLiteral("00:00:00"), video(QStringLiteral("lecon12"), duree)},
                      {QStringLiteral("01:00:00"), book(QStringLiteral("copier-coller"))}});
    }

    bool show(const std::shared_ptr<lumaro::Video>& shown, long start = 0, lumaro::TypeVideo type = lumaro::TypeLecon)
    {
        return window->Affiche(shown, start, dir(), QStringLiteral(".avi"), type);
    }

    QWidget* widget(const char* name) const { return part(*window, name); }
    long position(const char* name) const { return part<toolkit::uctButton>(*window, name)->ButtonPosition(); }
    QComboBox& complements() const { return *part<QComboBox>(*window, "cmbComplements"); }
    QUrl local(const QString& file) const { return QUrl::fromLocalFile(dir() + file); }
    // The looks of play, pause and stop.
    std::vector<long> playLooks() const
    {
        return {position("kavbtnPlay"), position("kavbtnPause"), position("kavbtnStop")};
    }
    // One 100 ms position tick.
    void tick() { clock.advanceMs(100); }

    lumaro::LumaroContext context;
    ManualClock clock;
    FakeTimers timers{clock};
    FakeMediaPlayer player;
    platform::ScriptedMessageBoxes boxes;
    std::unique_ptr<lumaro::frmMedia> window;
    int quitCount = 0;
};

}  // namespace testsupport
