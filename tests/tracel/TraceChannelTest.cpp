#include "TraceFile.h"

#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "tracel/TraceChannel.h"

#include <stdexcept>

using tracel::TraceChannel;
using tracel::TraceScope;

namespace {

const QString brown = QStringLiteral("<FONT face=arial size=2 Color='Brown'>");
const QString indent0 = QStringLiteral(":&nbsp;&nbsp;&nbsp;&nbsp;");
const QString nbsp4 = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");

class TraceChannelTest : public testsupport::TempDirTest {
protected:
    void SetUp() override { ASSERT_TRUE(channel.start(dir(), QStringLiteral("Chan"), QStringLiteral("Titre"), clock)); }

    QStringList bodyLines() const { return tracetest::crlfLines(readFile(QStringLiteral("Chan.htm"))).mid(14); }

    // A traced operation that may leave early or by an exception.
    void operation(int way)
    {
        TraceScope scope(channel, tracel::TypeClass, QStringLiteral("Dll"), QStringLiteral("Public Function Charge"));
        scope.value(QStringLiteral("ilIdDll"), QString::number(way));
        if (way == 1)
            return;
        if (way == 2)
            throw std::runtime_error("échec");
        scope.line(QStringLiteral("détail"), 2);
    }

    testsupport::ManualClock clock;
    TraceChannel channel;
};

TEST_F(TraceChannelTest, ScopeWritesEntryAndExitOnEveryWayOut)
{
    channel.setLevel(1);
    const QStringList expected = {
        brown + "00001" + indent0 + "<B>Class Dll, Public Function Charge</B><BR></FONT>",
        brown + "00002" + indent0 + nbsp4 + "ilIdDll = %1<BR></FONT>",
        brown + "00003" + indent0 + "<B>Class Dll, Fin Public Function Charge</B><BR></FONT>",
    };
    for (int way = 0; way < 3; ++way) {
        ASSERT_TRUE(channel.info()->InitHtm(QStringLiteral("t")));
        try {
            operation(way);
        } catch (const std::runtime_error&) {
            EXPECT_EQ(way, 2);
        }
        EXPECT_EQ(channel.depth(), 0) << way;
        EXPECT_EQ(bodyLines(), (QStringList{expected[0], expected[1].arg(way), expected[2]})) << way;
    }
}

TEST_F(TraceChannelTest, DetailLinesNeedTheirLevelAndNestedScopesIndent)
{
    channel.setLevel(2);
    {
        TraceScope outer(channel, tracel::TypeClass, QStringLiteral("Dll"), QStringLiteral("Public Sub A"));
        TraceScope inner(channel, tracel::TypeClass, QStringLiteral("Dll"), QStringLiteral("Private Sub B"));
        inner.line(QStringLiteral("niveau 2"), 2);
        inner.line(QStringLiteral("niveau 3"), 3);
        EXPECT_EQ(channel.depth(), 2);
    }
    EXPECT_EQ(channel.depth(), 0);
    EXPECT_EQ(bodyLines(), (QStringList{
                               brown + "00001" + indent0 + "<B>Class Dll, Public Sub A</B><BR></FONT>",
                               brown + "00002" + indent0 + nbsp4 + "<B>Class Dll, Private Sub B</B><BR></FONT>",
                               brown + "00003" + indent0 + nbsp4 + nbsp4 + "niveau 2<BR></FONT>",
                               brown + "00004" + indent0 + nbsp4 + "<B>Class Dll, Fin Private Sub B</B><BR></FONT>",
                               brown + "00005" + indent0 + "<B>Class Dll, Fin Public Sub A</B><BR></FONT>",
                           }));
}

TEST_F(TraceChannelTest, LevelZeroWritesNothingAndKeepsTheDepth)
{
    channel.setLevel(0);
    operation(0);
    channel.write(tracel::TypeBas, QStringLiteral("m"), QStringLiteral("ligne"));
    EXPECT_EQ(channel.depth(), 0);
    EXPECT_TRUE(bodyLines().isEmpty());
}

TEST_F(TraceChannelTest, StopWritesTheSummaryAndAFailedStartKeepsNoTrace)
{
    channel.setLevel(1);
    channel.stop();
    EXPECT_FALSE(channel.isStarted());
    EXPECT_EQ(bodyLines().value(0),
              QStringLiteral("<FONT face=arial size=2 Color='Green'>Aucune erreur détectée<BR></FONT>"));

    TraceChannel broken;
    EXPECT_FALSE(broken.start(dir() + QStringLiteral("missing"), QStringLiteral("Chan"), QStringLiteral("t"), clock));
    EXPECT_FALSE(broken.isStarted());
    broken.setLevel(1);
    EXPECT_NO_THROW(operation(0));
}

}  // namespace
