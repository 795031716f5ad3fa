// The path and file helpers shared by the plug-in and the launcher.

#include "TracedSession.h"

#include "toolkit/modGereFich.h"

#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using toolkit::EmptyText;

struct SeparatorCase {
    QString text;
    QString slash;          // puAddTrailingSlash, the plug-in's rule
    QString slashLauncher;  // the launcher's rule for empty texts
    QString backslash;      // puAddTrailingBackslash, the plug-in's rule
};

TEST(FileHelpersTest, SeparatorHelpersEndTheTextWithItsSeparator)
{
    const SeparatorCase cases[] = {
        {QString(), QStringLiteral("/"), QString(), QStringLiteral("/")},
        {QStringLiteral("http://serveur/cours/"), QStringLiteral("http://serveur/cours/"),
         QStringLiteral("http://serveur/cours/"), QStringLiteral("http://serveur/cours/")},
        {QStringLiteral("http://serveur/cours"), QStringLiteral("http://serveur/cours/"),
         QStringLiteral("http://serveur/cours/"), QStringLiteral("http://serveur/cours/")},
        {QStringLiteral("partage\\Rorova"), QStringLiteral("partage\\Rorova/"), QStringLiteral("partage\\Rorova/"),
         QStringLiteral("partage/Rorova/")},
        {QStringLiteral("partage\\Rorova\\"), QStringLiteral("partage\\Rorova\\/"),
         QStringLiteral("partage\\Rorova\\/"), QStringLiteral("partage/Rorova/")},
    };
    for (const auto& c : cases) {
        QString slash = c.text;
        toolkit::puAddTrailingSlash(slash);
        EXPECT_EQ(slash, c.slash) << c.text.toStdString();
        QString launcher = c.text;
        toolkit::puAddTrailingSlash(launcher, EmptyText::StaysEmpty);
        EXPECT_EQ(launcher, c.slashLauncher) << c.text.toStdString();
        QString backslash = c.text;
        toolkit::puAddTrailingBackslash(backslash);
        EXPECT_EQ(backslash, c.backslash) << c.text.toStdString();
    }
    QString empty;
    toolkit::puAddTrailingBackslash(empty, EmptyText::StaysEmpty);
    EXPECT_EQ(empty, QString());
}

class FolderHelpersTest : public testsupport::TempDirTest {
protected:
    commontest::TracedSession traced_{1};
};

TEST_F(FolderHelpersTest, FolderCheckFindsFoldersAndFilesOfThatName)
{
    writeFile(QStringLiteral("Rorova/12F/X1211.xml"), "<x/>");
    EXPECT_TRUE(toolkit::puCheckFolderExist(traced_.state, path(QStringLiteral("Rorova/12F"))));
    EXPECT_TRUE(toolkit::puCheckFolderExist(traced_.state, path(QStringLiteral("Rorova\\12F\\"))));
    EXPECT_TRUE(toolkit::puCheckFolderExist(traced_.state, path(QStringLiteral("Rorova/12F/X1211.xml"))));
    EXPECT_FALSE(toolkit::puCheckFolderExist(traced_.state, path(QStringLiteral("Rorova/12Eb"))));
    EXPECT_FALSE(toolkit::puCheckFolderExist(traced_.state, QString()));
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("sTempDir = 12F")));
}

TEST_F(FolderHelpersTest, UnregisteringCountsTheLibrariesAndRemovesTheCheckFile)
{
    writeFile(QStringLiteral("Monoposte/Kav Exercice.dll"), "");
    writeFile(QStringLiteral("Monoposte/KAVBASE.DLL"), "");
    writeFile(QStringLiteral("Monoposte/notes.txt"), "");
    writeFile(QStringLiteral("Monoposte/kavcheck.dat"), "");
    writeFile(QStringLiteral("Vide/KavCheck.dat"), "");
    writeFile(QStringLiteral("Ailleurs/kavcheck.dat"), "");

    EXPECT_EQ(toolkit::puDllsUnRegister(traced_.state, path(QStringLiteral("Monoposte/"))), 2);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Monoposte/kavcheck.dat"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Monoposte/Kav Exercice.dll"))));
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("\"%1Monoposte/Kav Exercice.dll\"").arg(dir())));

    EXPECT_EQ(toolkit::puDllsUnRegister(traced_.state, path(QStringLiteral("Vide/"))), 0);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Vide/KavCheck.dat"))));

    EXPECT_EQ(toolkit::puDllsUnRegister(traced_.state, path(QStringLiteral("Absent/"))), -1);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Ailleurs/kavcheck.dat"))));
    EXPECT_TRUE(traced_.traceText().contains(QStringLiteral("lFileHandle = INVALID_HANDLE_VALUE")));
}

}  // namespace
