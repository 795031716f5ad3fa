// The pictures of decoded video frames, converted on the processor as Qt's own
// conversion does without a graphics context.

#include "platform/VideoFrameImage.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A frame of that format, 6 × 4 pixels, its bytes a fixed pattern.
QVideoFrame patternFrame(QVideoFrameFormat::PixelFormat pixelFormat)
{
    QVideoFrame frame(QVideoFrameFormat(QSize(6, 4), pixelFormat));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    for (int plane = 0; plane < frame.planeCount(); ++plane) {
        uchar* bytes = frame.bits(plane);
        for (int i = 0; i < frame.mappedBytes(plane); ++i)
            bytes[i] = static_cast<uchar>((i * 37 + plane * 101 + 7) & 0xff);
    }
    frame.unmap();
    return frame;
}

// The largest difference of red, green or blue between two pictures of one size.
int largestDifference(const QImage& first, const QImage& second)
{
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = first.pixel(x, y);
            const QRgb b = second.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                std::abs(qBlue(a) - qBlue(b))});
        }
    }
    return largest;
}

TEST(VideoFrameImageTest, YuvFramesLookAsQtDrawsThem)
{
    using F = QVideoFrameFormat;
    for (const auto pixelFormat :
         {F::Format_YUV420P, F::Format_YV12, F::Format_NV12, F::Format_NV21, F::Format_YUYV, F::Format_UYVY}) {
        SCOPED_TRACE(F::pixelFormatToString(pixelFormat).toStdString());
        const QVideoFrame frame = patternFrame(pixelFormat);
        ASSERT_TRUE(frame.isValid());
        const QImage ours = platform::videoFrameImage(frame);
        const QImage qts = frame.toImage();
        ASSERT_EQ(ours.size(), QSize(6, 4));
        ASSERT_EQ(qts.size(), ours.size());
        EXPECT_LE(largestDifference(ours, qts), 1);
    }
}

// Qt's own conversion of planar 4:2:2 writes past its picture: the same
// samples packed as YUYV are the reference.
TEST(VideoFrameImageTest, PlanarFourTwoTwoLooksAsItsPackedForm)
{
    QVideoFrame planar(QVideoFrameFormat(QSize(6, 4), QVideoFrameFormat::Format_YUV422P));
    QVideoFrame packed(QVideoFrameFormat(QSize(6, 4), QVideoFrameFormat::Format_YUYV));
    ASSERT_TRUE(planar.map(QVideoFrame::WriteOnly));
    ASSERT_TRUE(packed.map(QVideoFrame::WriteOnly));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const auto luma = static_cast<uchar>(30 + 30 * x + 7 * y);
            planar.bits(0)[y * planar.bytesPerLine(0) + x] = luma;
            packed.bits(0)[y * packed.bytesPerLine(0) + 2 * x] = luma;
        }
        for (int x = 0; x < 3; ++x) {
            const auto u = static_cast<uchar>(60 + 50 * x + 11 * y);
            const auto v = static_cast<uchar>(200 - 40 * x - 13 * y);
            planar.bits(1)[y * planar.bytesPerLine(1) + x] = u;
            planar.bits(2)[y * planar.bytesPerLine(2) + x] = v;
            packed.bits(0)[y * packed.bytesPerLine(0) + 4 * x + 1] = u;
            packed.bits(0)[y * packed.bytesPerLine(0) + 4 * x + 3] = v;
        }
    }
    planar.unmap();
    packed.unmap();
    const QImage image = platform::videoFrameImage(planar);
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image, platform::videoFrameImage(packed));
}

TEST(VideoFrameImageTest, RgbFramesTakeTheirColoursFromTheirOwnBytes)
{
    using F = QVideoFrameFormat;
    struct Case {
        F::PixelFormat format;
        QRgb colour;  // of the bytes 10, 20, 30, 40 in memory order
    };
    const Case cases[] = {
        {F::Format_ARGB8888, qRgb(20, 30, 40)}, {F::Format_ARGB8888_Premultiplied, qRgb(20, 30, 40)},
        {F::Format_XRGB8888, qRgb(20, 30, 40)}, {F::Format_BGRA8888, qRgb(30, 20, 10)},
        {F::Format_BGRX8888, qRgb(30, 20, 10)}, {F::Format_ABGR8888, qRgb(40, 30, 20)},
        {F::Format_XBGR8888, qRgb(40, 30, 20)}, {F::Format_RGBA8888, qRgb(10, 20, 30)},
        {F::Format_RGBX8888, qRgb(10, 20, 30)},
    };
    for (const Case& c : cases) {
        QVideoFrame frame(F(QSize(3, 2), c.format));
        ASSERT_TRUE(frame.map(QVideoFrame::WriteOnly));
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                uchar* pixel = frame.bits(0) + y * frame.bytesPerLine(0) + 4 * x;
                pixel[0] = 10;
                pixel[1] = 20;
                pixel[2] = 30;
                pixel[3] = 40;
            }
        }
        frame.unmap();
        const QImage image = platform::videoFrameImage(frame);
        ASSERT_EQ(image.size(), QSize(3, 2)) << F::pixelFormatToString(c.format).toStdString();
        EXPECT_EQ(image.pixel(2, 1), c.colour) << F::pixelFormatToString(c.format).toStdString();
    }
}

TEST(VideoFrameImageTest, GreysFollowTheFramesRange)
{
    struct Case {
        QVideoFrameFormat::ColorRange range;
        int luma;
        int grey;
    };
    const Case cases[] = {
        {QVideoFrameFormat::ColorRange_Full, 128, 128}, {QVideoFrameFormat::ColorRange_Full, 255, 255},
        {QVideoFrameFormat::ColorRange_Video, 128, 130}, {QVideoFrameFormat::ColorRange_Video, 16, 0},
        {QVideoFrameFormat::ColorRange_Video, 235, 255}, {QVideoFrameFormat::ColorRange_Unknown, 16, 0},
    };
    for (const Case& c : cases) {
        QVideoFrameFormat format(QSize(2, 2), QVideoFrameFormat::Format_YUV420P);
        format.setColorRange(c.range);
        QVideoFrame frame(format);
        ASSERT_TRUE(frame.map(QVideoFrame::WriteOnly));
        std::fill(frame.bits(0), frame.bits(0) + frame.mappedBytes(0), static_cast<uchar>(c.luma));
        std::fill(frame.bits(1), frame.bits(1) + frame.mappedBytes(1), uchar(128));
        std::fill(frame.bits(2), frame.bits(2) + frame.mappedBytes(2), uchar(128));
        frame.unmap();
        const QRgb pixel = platform::videoFrameImage(frame).pixel(1, 1);
        EXPECT_EQ(pixel, qRgb(c.grey, c.grey, c.grey)) << c.range << " " << c.luma;
    }
}

TEST(VideoFrameImageTest, AFrameWithoutPictureGivesANullImage)
{
    EXPECT_TRUE(platform::videoFrameImage(QVideoFrame()).isNull());
}

}  // namespace
