#include "platform/Paths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace paths = platform::paths;

TEST(Paths, ReadsBackslashesFromDataAsSeparators)
{
    EXPECT_EQ(paths::fromData("12F\\X1211.xml"), "12F/X1211.xml");
    EXPECT_EQ(paths::withTrailingSeparator("/cours"), "/cours/");
    EXPECT_EQ(paths::withTrailingSeparator("/cours/"), "/cours/");
    EXPECT_EQ(paths::withTrailingSeparator(""), "");
}

TEST(Paths, KeepsDataPathsInsideTheirFolder)
{
    struct Case {
        const char* path;
        bool inside;
    };
    const Case cases[] = {
        {"X1211.xml", true},       {"sub/page.htm", true},       {"sub\\page.htm", true},
        {"a/./b", true},           {"..x/name", true},           {"", false},
        {"../secret", false},      {"sub/../../secret", false},  {"..\\secret", false},
        {"/etc/passwd", false},    {"\\etc\\passwd", false},     {"C:\\Cours\\kavplugin.lng", false},
        {"c:relative", false},     {"sub/..", false},            {"a/../b", false},
        {":/icons/logo.png", false}, {":name", false},            {"name:stream", true},
        {"//server/share", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paths::staysInside(QString::fromUtf8(c.path)), c.inside) << c.path;
    EXPECT_FALSE(paths::staysInside(QStringLiteral("name") + QChar(0) + QStringLiteral("/../x")));
}

TEST(Paths, PlainFileNamesNameOneFileOfTheFolder)
{
    struct Case {
        const char* name;
        bool plain;
    };
    const Case cases[] = {
        {"data.xls", true}, {"..data", true}, {"sub/data.xls", false}, {"sub\\data.xls", false},
        {"..", false},      {".", false},     {"", false},             {"/data.xls", false},
        {"C:data.xls", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paths::isPlainFileName(QString::fromUtf8(c.name)), c.plain) << c.name;
}

class FindExisting : public testsupport::TempDirTest {};

TEST_F(FindExisting, PrefersTheExactNameThenMatchesWithoutRegardToCase)
{
    writeFile("12F/X1211.xml", "exact");
    writeFile("12F/x1211.XML", "other case");
    writeFile("Media/Lecon.AVI", "video");

    EXPECT_EQ(paths::findExisting(path("12F/X1211.xml")), path("12F/X1211.xml"));
    EXPECT_EQ(paths::findExisting(path("12f/x1211.xml")).toUpper(), path("12F/X1211.XML").toUpper());
    EXPECT_EQ(paths::findExisting(path("MEDIA/lecon.avi")), path("Media/Lecon.AVI"));
    EXPECT_EQ(paths::findExisting(path("media/absent.avi")), path("media/absent.avi"));
    EXPECT_EQ(paths::findExisting(path("media/")), path("Media/"));
}

TEST_F(FindExisting, LooksForFoldersBeforeTheLastComponentAndTriesEveryCaseVariant)
{
    // Each case is laid out twice, its two spellings swapped, so that the wrong
    // candidate comes first in one of them whatever order the folder lists.
    const struct {
        const char* wrong;   // a file, or a folder without the wanted file
        const char* right;   // the folder holding it
        bool wrongIsFile;
    } cases[] = {
        {"Sons", "SONS", true},
        {"SONS", "Sons", true},
        {"Cours", "COURS", false},
        {"COURS", "Cours", false},
    };
    int layout = 0;
    for (const auto& c : cases) {
        const QString base = QStringLiteral("layout%1/").arg(++layout);
        const QString wrong = base + QString::fromUtf8(c.wrong);
        writeFile(c.wrongIsFile ? wrong : wrong + "/other.txt", "wrong");
        writeFile(base + QString::fromUtf8(c.right) + "/Bip.wav", "right");

        EXPECT_EQ(paths::findExisting(path(base + QString::fromUtf8(c.right).toLower() + "/bip.WAV")),
                  path(base + QString::fromUtf8(c.right) + "/Bip.wav"))
            << c.wrong << " " << c.right;
    }
    EXPECT_EQ(paths::findExisting(path("layout1/sons/absent.wav")), path("layout1/sons/absent.wav"));
}

}  // namespace
