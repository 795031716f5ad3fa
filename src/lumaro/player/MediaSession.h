#pragma once

namespace lumaro {

class frmMedia;

// What the media window hands back to the question session that owns it when
// it is closed: the session's two ways back from a help page and from a media.
class MediaSession {
public:
    virtual ~MediaSession() = default;
    virtual bool RetourAfficherAideManager() = 0;
    virtual bool RetourAfficherVideoManager() = 0;
};

// The session's handler of the window's Quitter: hides the window, then takes
// the help way back when the window was last opened for the help page, else
// the media way back; their results are not used. The session must outlive
// the window, or the connection.
void connectQuitter(frmMedia& window, MediaSession& session);

}  // namespace lumaro
