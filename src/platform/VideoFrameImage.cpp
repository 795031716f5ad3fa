#include "platform/VideoFrameImage.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// One YUV to RGB conversion in fixed point, the factors times 256.
struct YuvToRgb {
    int lumaOffset;
    int luma;
    int vToR;
    int uToG;
    int vToG;
    int uToB;

    QRgb operator()(int y, int u, int v) const
    {
        const int yy = (y - lumaOffset) * luma;
        const int uu = u - 128;
        const int vv = v - 128;
        const auto byte = [](int value) { return std::clamp((value + 128) >> 8, 0, 255); };
        return qRgb(byte(yy + vToR * vv), byte(yy - uToG * uu - vToG * vv), byte(yy + uToB * uu));
    }
};

// BT.601 unless the frame says BT.709 (or its successor); video range unless it says full.
YuvToRgb conversionFor(const QVideoFrameFormat& format)
{
    const bool full = format.colorRange() == QVideoFrameFormat::ColorRange_Full;
    const bool hd = format.colorSpace() == QVideoFrameFormat::ColorSpace_BT709
                    || format.colorSpace() == QVideoFrameFormat::ColorSpace_BT2020;
    if (full)
        return hd ? YuvToRgb{0, 256, 403, 48, 120, 475} : YuvToRgb{0, 256, 359, 88, 183, 454};
    return hd ? YuvToRgb{16, 298, 459, 55, 136, 541} : YuvToRgb{16, 298, 409, 100, 208, 516};
}

// Where the samples of one row lie: a plane, the step from one pixel to the
// next and the shift from a row of the picture to a row of the plane.
struct Samples {
    const uchar* plane = nullptr;
    int bytesPerLine = 0;
    int offset = 0;
    int step = 1;
    // A sample covers 1 << widthShift pixels across, 1 << heightShift down.
    int widthShift = 0;
    int heightShift = 0;

    int at(int x, int y) const
    {
        return plane[(y >> heightShift) * bytesPerLine + offset + (x >> widthShift) * step];
    }
};

// The samples are taken by value: the compiler need not read them again after
// each pixel written.
QImage convertYuv(const QVideoFrame& frame, const Samples y, const Samples u, const Samples v)
{
    const YuvToRgb convert = conversionFor(frame.surfaceFormat());
    const int width = frame.width();
    const int height = frame.height();
    QImage image(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x)
            line[x] = convert(y.at(x, row), u.at(x, row), v.at(x, row));
    }
    return image;
}

Samples plane(const QVideoFrame& frame, int index, int offset = 0, int step = 1, int widthShift = 0,
              int heightShift = 0)
{
    return {frame.bits(index), frame.bytesPerLine(index), offset, step, widthShift, heightShift};
}

// 32-bit RGB: where red, green and blue lie in each pixel's four bytes. The
// fourth byte, alpha or padding, is left out: the picture is drawn on black,
// which is what premultiplied colours already show.
QImage convertRgb(const QVideoFrame& frame, int red, int green, int blue)
{
    const int width = frame.width();
    const int height = frame.height();
    QImage image(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        const uchar* source = frame.bits(0) + row * frame.bytesPerLine(0);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x, source += 4)
            line[x] = qRgb(source[red], source[green], source[blue]);
    }
    return image;
}

// The picture of a mapped frame, or nothing for a format left to Qt.
std::optional<QImage> convertMapped(const QVideoFrame& frame)
{
    using F = QVideoFrameFormat;
    switch (frame.pixelFormat()) {
    case F::Format_YUV420P:
        return convertYuv(frame, plane(frame, 0), plane(frame, 1, 0, 1, 1, 1), plane(frame, 2, 0, 1, 1, 1));
    case F::Format_YV12:
        return convertYuv(frame, plane(frame, 0), plane(frame, 2, 0, 1, 1, 1), plane(frame, 1, 0, 1, 1, 1));
    case F::Format_YUV422P:
        return convertYuv(frame, plane(frame, 0), plane(frame, 1, 0, 1, 1, 0), plane(frame, 2, 0, 1, 1, 0));
    case F::Format_NV12:
        return convertYuv(frame, plane(frame, 0), plane(frame, 1, 0, 2, 1, 1), plane(frame, 1, 1, 2, 1, 1));
    case F::Format_NV21:
        return convertYuv(frame, plane(frame, 0), plane(frame, 1, 1, 2, 1, 1), plane(frame, 1, 0, 2, 1, 1));
    case F::Format_YUYV:
        return convertYuv(frame, plane(frame, 0, 0, 2), plane(frame, 0, 1, 4, 1), plane(frame, 0, 3, 4, 1));
    case F::Format_UYVY:
        return convertYuv(frame, plane(frame, 0, 1, 2), plane(frame, 0, 0, 4, 1), plane(frame, 0, 2, 4, 1));
    case F::Format_ARGB8888:
    case F::Format_ARGB8888_Premultiplied:
    case F::Format_XRGB8888:
        return convertRgb(frame, 1, 2, 3);
    case F::Format_BGRA8888:
    case F::Format_BGRA8888_Premultiplied:
    case F::Format_BGRX8888:
        return convertRgb(frame, 2, 1, 0);
    case F::Format_ABGR8888:
    case F::Format_XBGR8888:
        return convertRgb(frame, 3, 2, 1);
    case F::Format_RGBA8888:
    case F::Format_RGBX8888:
        return convertRgb(frame, 0, 1, 2);
    default:
        return std::nullopt;
    }
}

}  // namespace

QImage videoFrameImage(const QVideoFrame& frame)
{
    if (!frame.isValid())
        return {};
    QVideoFrame mapped(frame);
    if (!mapped.map(QVideoFrame::ReadOnly))
        return {};
    const std::optional<QImage> image = convertMapped(mapped);
    mapped.unmap();
    return image ? *image : frame.toImage();
}

}  // namespace platform
