#pragma once

namespace vidora {

// Where the video comes from, as the hosts set it on the player object.
enum eTypeServeurDiffusion : long {
    // A file on a share: a path, "\" read as "/".
    UNCSansServeur = 1,
    // A streaming server: the address is played as it is.
    MMSServeurMicrosoftMedia = 2,
    // A web server without a streaming server: the address is played as it is.
    HTTPSansServeur = 3,
};

}  // namespace vidora
