#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <vector>

namespace lumaro {
class LumaroContext;
class Manager;
}  // namespace lumaro

namespace platform {
class ScriptedMessageBoxes;
}

namespace vidora {
class CAsfVideoKav;
}

namespace testsupport {

class FakeMediaPlayer;

// One document a learner was shown, where, and what its player needs it to be.
struct ShownMedia {
    enum class Kind { Video, Book, Page };
    Kind kind = Kind::Video;
    QUrl address;
    // "question 1211, lesson, media window" and the like, for the messages.
    QString where;
};

// What an address holds: a GET over HTTP, bounded in time, or the bytes of
// a local file (status 200 when it is there, 404 when not).
struct AddressReply {
    int status = 0;
    QByteArray body;
};
AddressReply readAddress(const QUrl& address);

// "" when the address answers with a document of the kind its player takes
// (a video for a player, an HTML page for a viewer), else what is wrong.
QString mediaProblem(const ShownMedia& media);

// The host of a question session as the tour sees it: its question player,
// its course model, its message boxes, and its two players with their fake
// media players (each may answer null until first used).
struct MediaTourHost {
    std::function<lumaro::Manager*()> questionPlayer;
    lumaro::LumaroContext* model = nullptr;
    platform::ScriptedMessageBoxes* boxes = nullptr;
    std::function<FakeMediaPlayer*()> mediaWindowPlayer;
    std::function<vidora::CAsfVideoKav*()> videoPlayer;
    std::function<FakeMediaPlayer*()> videoPlayerMedia;
};

struct MediaTourResult {
    std::vector<ShownMedia> shown;
    // Each fault met on the way: a box, a window that did not open, a
    // sequence the video player cannot show, a question without its exercise.
    QStringList problems;
    // The questions whose exercise was on screen, in order.
    QList<long> questions;
};

// A learner goes through the module on screen from its first question: opens
// every lesson and solution the question window offers, and every document
// of each (the main video and book, each complement, the media window's
// help), the help page once, then goes on without answering, until the
// question window is gone.
MediaTourResult tourModule(const MediaTourHost& host);

// The test's checks of a tour through a session of that many questions: no
// problem on the way, every question on screen, the help page among the
// documents shown, and each document where its address says and of a kind
// its player takes.
void expectEveryMediaPlayable(const MediaTourResult& tour, long questions);

}  // namespace testsupport
