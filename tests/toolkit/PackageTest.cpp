// Component packages: fetched from the course server only, every file name
// checked, written whole or not at all, never run.

#include "TransportFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class PackageTest : public commontest::TransportTest {
protected:
    void SetUp() override
    {
        writeFile(QStringLiteral("server/Download/12F/Kav12.htm"),
                  "<html><body><a href=\"KavExo.dll\">x</a> <a href=\"Consigne%20X1211.xml\">y</a>"
                  "<a href=\"kavexo.dll\">again</a></body></html>");
        writeFile(QStringLiteral("server/Download/12F/KavExo.dll"), "binary\x01\x02");
        writeFile(QStringLiteral("server/Download/12F/Consigne X1211.xml"), "<QUESTION/>");
        startServer(path(QStringLiteral("server")));
    }

    QString package(const QString& name) const { return base() + QStringLiteral("Download/12F/") + name; }
    QStringList installed() const
    {
        return QDir(path(QStringLiteral("components"))).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(PackageTest, EveryFileOfThePageArrivesInTheComponentFolder)
{
    const QString folder = transport_->puGetDllPackage(package(QStringLiteral("Kav12.htm")));
    EXPECT_EQ(folder, path(QStringLiteral("components/")));
    EXPECT_EQ(installed(), (QStringList{QStringLiteral("Consigne X1211.xml"), QStringLiteral("KavExo.dll")}));
    EXPECT_EQ(readFile(QStringLiteral("components/KavExo.dll")), QByteArray("binary\x01\x02"));
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("components/KavExo.dll"))).isExecutable());
}

TEST_F(PackageTest, AHostileNameRefusesTheWholePackage)
{
    for (const char* link : {"../Kav12.htm", "%2e%2e%2fKav12.htm", "/etc/passwd", "sous/../../x.dll",
                             "sous\\..\\..\\x.dll", "//ailleurs.example/x.dll", "http://ailleurs.example/x.dll",
                             "..\\x.dll", "sous//x.dll", "x.dll?v=2", ""}) {
        writeFile(QStringLiteral("server/Download/12F/Hostile.htm"),
                  QByteArray("<a href=\"KavExo.dll\">a</a><a href=\"") + link + "\">b</a>");
        EXPECT_EQ(transport_->puGetDllPackage(package(QStringLiteral("Hostile.htm"))), QString()) << link;
        EXPECT_TRUE(installed().isEmpty()) << link;
    }
    EXPECT_TRUE(server_->requestsFor("KavExo.dll").empty()) << "nothing is fetched from a refused package";
}

TEST_F(PackageTest, FilesInASubFolderOfThePackageGoToThatSubFolder)
{
    writeFile(QStringLiteral("server/Download/12F/KAVTEXTE.htm"),
              "<a href=\"KAVTEXTE/KAVTEXTE.dll\">a</a><a href=\"KAVTEXTE\\Aide/page.htm\">b</a>");
    writeFile(QStringLiteral("server/Download/12F/KAVTEXTE/KAVTEXTE.dll"), "dll");
    writeFile(QStringLiteral("server/Download/12F/KAVTEXTE/Aide/page.htm"), "aide");
    EXPECT_EQ(transport_->puGetDllPackage(package(QStringLiteral("KAVTEXTE.htm"))),
              path(QStringLiteral("components/")));
    EXPECT_EQ(readFile(QStringLiteral("components/KAVTEXTE/KAVTEXTE.dll")), QByteArray("dll"));
    EXPECT_EQ(readFile(QStringLiteral("components/KAVTEXTE/Aide/page.htm")), QByteArray("aide"));
}

TEST_F(PackageTest, APackageFromAnotherServerIsNeverFetched)
{
    const QString elsewhere = QStringLiteral("http://localhost:%1/Download/12F/Kav12.htm").arg(server_->port());
    EXPECT_EQ(transport_->puGetDllPackage(elsewhere), QString());
    EXPECT_TRUE(server_->requests().empty());
    EXPECT_EQ(traced_.state.pulErrorNumber, platform::InvalidProcedureCall);
}

TEST_F(PackageTest, AFileThatFailsLeavesTheFolderAsItWas)
{
    writeFile(QStringLiteral("components/KavExo.dll"), "old");
    addFault("close:Consigne X1211.xml");
    EXPECT_EQ(transport_->puGetDllPackage(package(QStringLiteral("Kav12.htm"))), QString());
    EXPECT_EQ(installed(), QStringList{QStringLiteral("KavExo.dll")});
    EXPECT_EQ(readFile(QStringLiteral("components/KavExo.dll")), QByteArray("old"));
}

}  // namespace
