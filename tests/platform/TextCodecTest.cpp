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
}

}  // namespace
