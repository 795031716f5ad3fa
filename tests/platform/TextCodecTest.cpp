#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, DecodesValidUtf8AsUtf8)
{
    EXPECT_EQ(platform::decodeText(QByteArray("\xC3\xA9l\xC3\xA8ve")), QString::fromUtf8("élève"));
    EXPECT_EQ(platform::decodeText(QByteArray("\xEF\xBB\xBFtexte")), "texte");
}

TEST(TextCodec, FallsBackToWindows1252)
{
    // "élève € ’" as the authoring tools wrote it.
    const QByteArray legacy("\xE9l\xE8ve \x80 \x92");
    EXPECT_EQ(platform::decodeText(legacy), QString::fromUtf8("élève € ’"));
    EXPECT_EQ(platform::encodeWindows1252(QString::fromUtf8("élève € ’")), legacy);
    EXPECT_EQ(platform::encodeWindows1252(QString::fromUtf8("日")), "?");
    EXPECT_EQ(platform::encodeWindows1252(QString::fromUtf8("a😀b")), "a?b");
}

TEST(TextCodec, MalformedUtf8IsReadAsWindows1252)
{
    const struct {
        QByteArray bytes;
        const char* text;  // UTF-8 of the expected characters
    } cases[] = {
        {QByteArray("caf\xC3"), "caf\xC3\x83"},              // sequence cut at the end
        {QByteArray("\xC0\xAF"), "\xC3\x80\xC2\xAF"},          // overlong "/"
        {QByteArray("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // encoded surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::decodeText(c.bytes), QString::fromUtf8(c.text)) << c.bytes.toHex().constData();
}

}  // namespace
