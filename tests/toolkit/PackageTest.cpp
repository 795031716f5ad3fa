// Component packages: fetched from the course server only, every file name
// checked, written whole or not at all, never run.

#include "TransportFixture.h"

#include "support/RecordingServer.h"
#include "toolkit/PackageFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

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

    // Packages served by a recording server instead, which can serve what
    // no folder can hold and cut a reply short.
    testsupport::RecordingServer& packageLink()
    {
        if (!packageLink_) {
            packageLink_ = std::make_unique<testsupport::RecordingServer>();
            packageServer = packageLink_->address(QStringLiteral("/"));
        }
        return *packageLink_;
    }
    QStringList installed() const
    {
        return QDir(path(QStringLiteral("components"))).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    std::unique_ptr<testsupport::RecordingServer> packageLink_;
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

TEST_F(PackageTest, ANewVersionReplacesTheOlderOneAndLeavesNothingElse)
{
    writeFile(QStringLiteral("components/KavExo.dll"), "ancienne version");
    writeFile(QStringLiteral("components/autre.dll"), "autre paquet");
    auto expected = tree();
    ASSERT_EQ(transport_->puGetDllPackage(package(QStringLiteral("Kav12.htm"))), path(QStringLiteral("components/")));
    expected["components/KavExo.dll"] = "binary\x01\x02";
    expected["components/Consigne X1211.xml"] = "<QUESTION/>";
    EXPECT_EQ(tree(), expected) << "the older version replaced, the other package kept, no staging folder left";
}

struct PartWayCase {
    const char* name;
    QStringList links;      // the files the page lists, in their order
    QString cutShort;       // the file whose reply the server cuts short, "" for none
    bool folderNamedAsFile; // the component folder holds a file "Aide" where the package wants a folder
    QString why;            // what the error says

    friend void PrintTo(const PartWayCase& c, std::ostream* os) { *os << c.name; }
};

class PackagePartWayTest : public PackageTest, public ::testing::WithParamInterface<PartWayCase> {};

TEST_P(PackagePartWayTest, APackageThatFailsPartWayLeavesTheFolderAsItWas)
{
    const PartWayCase& c = GetParam();
    writeFile(QStringLiteral("components/KavExo.dll"), "ancienne version");
    writeFile(QStringLiteral("components/autre.dll"), "autre paquet");
    if (c.folderNamedAsFile)
        writeFile(QStringLiteral("components/Aide"), "un fichier");
    testsupport::RecordingServer& link = packageLink();
    QByteArray page;
    for (const QString& file : c.links) {
        page += "<a href=\"" + file.toUtf8() + "\">x</a>";
        testsupport::ServerReply reply =
            testsupport::ServerReply::text("nouveau " + file.toUtf8(), "application/octet-stream");
        reply.closeHalfWay = file == c.cutShort;
        link.enqueue("GET", QStringLiteral("/Download/12F/") + file, reply);
    }
    link.enqueue("GET", QStringLiteral("/Download/12F/Kav12.htm"), testsupport::ServerReply::text(page));
    const auto before = tree();

    EXPECT_EQ(transport_->puGetDllPackage(link.address(QStringLiteral("/Download/12F/Kav12.htm"))), QString());
    EXPECT_EQ(tree(), before) << "older versions kept, nothing new, no staging folder left";
    EXPECT_TRUE(traced_.state.pusErrorDescription.contains(c.why)) << traced_.state.pusErrorDescription.toStdString();
    EXPECT_TRUE(traced_.traceText().contains(traced_.state.pusErrorDescription)) << "the error line";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PackagePartWayTest,
    ::testing::Values(
        PartWayCase{"TheLastFileCutShort",
                    {QStringLiteral("KavExo.dll"), QStringLiteral("Consigne X1211.xml"),
                     QStringLiteral("Aide/page.htm")},
                    QStringLiteral("Aide/page.htm"), false, {}},
        PartWayCase{"AFileThatCannotBeWritten",
                    {QStringLiteral("KavExo.dll"), QStringLiteral("Aide"), QStringLiteral("Aide/page.htm")},
                    {}, false, QStringLiteral("Aide/page.htm")},
        PartWayCase{"AMoveThatFailsAfterTwoFilesMoved",
                    {QStringLiteral("KavExo.dll"), QStringLiteral("Consigne X1211.xml"),
                     QStringLiteral("Aide/page.htm")},
                    {}, true, QStringLiteral("Un fichier porte le nom du dossier")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PackageTest, RefusesPackagePageListingTooManyFiles)
{
    QByteArray page;
    for (qsizetype i = 0; i <= toolkit::maxPackageFiles; ++i)
        page += "<a href=\"f" + QByteArray::number(i) + ".dll\">x</a>";
    writeFile(QStringLiteral("server/Download/12F/Enorme.htm"), page);
    const QString refusal = QStringLiteral("Paquet refusé : la page liste %1 fichiers, %2 au plus")
                                .arg(toolkit::maxPackageFiles + 1)
                                .arg(toolkit::maxPackageFiles);

    EXPECT_EQ(transport_->puGetDllPackage(package(QStringLiteral("Enorme.htm"))), QString());
    EXPECT_EQ(server_->requests().size(), 1u) << "the page only: no file is fetched";
    EXPECT_EQ(traced_.state.pusErrorDescription, refusal);
    EXPECT_EQ(traced_.state.pulErrorNumber, platform::Overflow);
    EXPECT_TRUE(traced_.traceText().contains(refusal));
    EXPECT_FALSE(QDir(path(QStringLiteral("components"))).exists());
}

TEST(PackageFilesTest, CountsEachFileOnceAgainstTheLimit)
{
    struct Case {
        const char* name;
        qsizetype distinct;  // f0.dll, f1.dll...
        bool repeatInCapitals;  // F0.DLL listed again
        bool accepted;
    };
    const Case cases[] = {
        {"as many as the limit", toolkit::maxPackageFiles, false, true},
        {"one more than the limit", toolkit::maxPackageFiles + 1, false, false},
        {"the limit with one file named twice", toolkit::maxPackageFiles, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString page;
        for (qsizetype i = 0; i < c.distinct; ++i)
            page += QStringLiteral("<a href=\"f%1.dll\">x</a>").arg(i);
        if (c.repeatInCapitals)
            page += QStringLiteral("<a href=\"F0.DLL\">x</a>");
        commontest::TracedSession traced;
        const tracel::TraceScope scope(traced.state.trace, tracel::TypeClass, QStringLiteral("Test"),
                                       QStringLiteral("Test"));
        const auto names = toolkit::packageFiles(traced.state, page, scope);
        ASSERT_EQ(names.has_value(), c.accepted);
        EXPECT_EQ(names.value_or(QStringList()).size(), c.accepted ? c.distinct : 0);
    }
}

}  // namespace
