#pragma once

#include <QImage>

class QVideoFrame;

namespace platform {

// The picture of a decoded video frame, converted on the processor.
//
// Qt's own conversion (QVideoFrame::toImage) first makes a graphics context
// for the thread that calls it; on an X server without a graphics card that
// takes the user-interface thread long enough for the player to give up the
// video with "Internal data stream error" (and for planar 4:2:2 it writes
// past its own picture). The formats that decoders give (planar and packed
// YUV, 32-bit RGB) are converted here; any other goes to Qt. A null image when
// the frame cannot be read.
QImage videoFrameImage(const QVideoFrame& frame);

}  // namespace platform
