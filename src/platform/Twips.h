#pragma once

namespace platform {

// Sizes of the original were twips: 15 per pixel on an ordinary screen, or as
// the primary screen's logical resolution says (1440 twips per inch).
int twipsPerPixelX();
int twipsPerPixelY();

}  // namespace platform
