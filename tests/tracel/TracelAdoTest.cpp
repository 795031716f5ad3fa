#include "TraceFile.h"

#include "platform/RuntimeError.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "tracel/Info.h"
#include "tracel/MemoryRecordset.h"
#include "tracel/Visuel.h"

#include <QFileInfo>
#include <QPlainTextEdit>

#include <memory>

using tracel::Info;
using tracel::MemoryRecordset;

namespace {

constexpr long adInteger = 3;
constexpr long adVarWChar = 202;

class TracelAdoTest : public testsupport::TempDirTest {
protected:
    void SetUp() override
    {
        info.PathTracel(dir());
        info.NomFichier(QStringLiteral("Ado"));
    }
    void TearDown() override { tracel::TraceWindow::setMaker({}); }

    // The texts of the log lines, each checked for its date and arrow.
    QStringList logTexts() const
    {
        const QString prefix = tracetest::dateText(clock.now()) + QStringLiteral(" -> ");
        QStringList texts;
        for (const QString& line : tracetest::crlfLines(readFile(QStringLiteral("Ado.log")))) {
            EXPECT_TRUE(line.startsWith(prefix)) << line.toStdString();
            texts << line.mid(prefix.size());
        }
        return texts;
    }

    void dump(MemoryRecordset& rs, QString tabulation = QString()) { info.TracelAdo(rs, tabulation); }

    // Orders: two customers; the first has a chapter of two orders between its fields.
    static std::shared_ptr<MemoryRecordset> customers()
    {
        auto orders = std::make_shared<MemoryRecordset>(
            QString(), QStringLiteral("orders"),
            std::vector<MemoryRecordset::Record>{
                {MemoryRecordset::makeField("num", adInteger, "10"), MemoryRecordset::makeField("memo", tracel::adLongVarWChar, "long")},
                {MemoryRecordset::makeField("num", adInteger, "11")},
            });
        return std::make_shared<MemoryRecordset>(
            QStringLiteral("Provider=Kav;Data Source=base"), QStringLiteral("SELECT * FROM clients"),
            std::vector<MemoryRecordset::Record>{
                {MemoryRecordset::makeField("id", adInteger, "1"), MemoryRecordset::makeChapter("orders", orders),
                 MemoryRecordset::makeField("nom", adVarWChar, "Dupont")},
                {MemoryRecordset::makeField("id", adInteger, "2"),
                 MemoryRecordset::makeField("notes", tracel::adLongVarWChar, "skipped"),
                 MemoryRecordset::makeField("nom", adVarWChar, "Martin")},
            });
    }

    testsupport::ManualClock clock;
    Info info{clock};
};

TEST_F(TracelAdoTest, DetailLevelDecidesWhatIsWritten)
{
    const QStringList header = {QStringLiteral("ConnectionString = Provider=Kav;Data Source=base"),
                                QStringLiteral("Source = SELECT * FROM clients")};
    const struct {
        long level;
        QStringList lines;
    } cases[] = {
        {0, {}},
        {-1, {}},
        {1, header},
        // The chapter's line is written before the nested rows; the fields after the chapter follow on a line of their own.
        {2, header + QStringList{"id:1;", "    num:10;", "    num:11;", "nom:Dupont;", "id:2;nom:Martin;"}},
        {5, header + QStringList{"id:1;", "    num:10;", "    num:11;", "nom:Dupont;", "id:2;nom:Martin;"}},
    };
    for (const auto& c : cases) {
        QFile::remove(path(QStringLiteral("Ado.log")));
        info.LevelDetail(c.level);
        auto rs = customers();
        dump(*rs);
        EXPECT_EQ(logTexts(), c.lines) << "level " << c.level;
        if (c.level > 0) {
            EXPECT_TRUE(rs->eof());
        }
    }
}

TEST_F(TracelAdoTest, TabulationGivenByTheCallerPrefixesLinesAndDropsTheHeader)
{
    info.LevelDetail(2);
    auto rs = customers();
    dump(*rs, QStringLiteral("> "));
    EXPECT_EQ(logTexts(), (QStringList{"> id:1;", ">     num:10;", ">     num:11;", "> nom:Dupont;", "> id:2;nom:Martin;"}));
}

TEST_F(TracelAdoTest, ChapterAsLastFieldAndEmptyRecordsetsWriteNoStrayLine)
{
    info.LevelDetail(2);
    auto inner = std::make_shared<MemoryRecordset>(QString(), QStringLiteral("inner"),
                                                   std::vector<MemoryRecordset::Record>{{MemoryRecordset::makeField("x", adInteger, "1")}});
    auto empty = std::make_shared<MemoryRecordset>(QString(), QStringLiteral("empty"));
    MemoryRecordset rs(QStringLiteral("c"), QStringLiteral("s"),
                       {
                           {MemoryRecordset::makeField("a", adInteger, "1"), MemoryRecordset::makeChapter("deep", inner)},
                           {MemoryRecordset::makeChapter("none", empty)},
                           {MemoryRecordset::makeChapter("missing", nullptr)},
                           {},
                       });
    dump(rs);
    EXPECT_EQ(logTexts(), (QStringList{"ConnectionString = c", "Source = s", "a:1;", "    x:1;", "", "", ""}));
}

TEST_F(TracelAdoTest, NothingWhileNotActive)
{
    info.LevelDetail(2);
    info.Active(false);
    auto rs = customers();
    dump(*rs);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Ado.log"))));
}

TEST_F(TracelAdoTest, GoesToTheWindowWhileStyleVisible)
{
    tracel::Visuel::install();
    info.StyleVisible(true);
    auto rs = customers();
    dump(*rs);
    const auto* window = dynamic_cast<tracel::Visuel*>(info.window());
    ASSERT_NE(window, nullptr);
    const QString prefix = tracetest::dateText(clock.now()) + QStringLiteral(" -> ");
    EXPECT_EQ(window->txtInfo()->toPlainText(),
              prefix + "ConnectionString = Provider=Kav;Data Source=base\n" + prefix + "Source = SELECT * FROM clients\n");
}

// A recordset whose connection is lost when the cursor reaches the given record.
class FailingRecordset final : public tracel::Recordset {
public:
    explicit FailingRecordset(int failAt) : failAt_(failAt) {}
    QString connectionString() const override { return QStringLiteral("c"); }
    QString source() const override { return QStringLiteral("s"); }
    bool eof() const override { return false; }
    void moveNext() override
    {
        if (++current_ == failAt_)
            throw platform::RuntimeError(platform::FileNotFound);
    }
    int fieldCount() const override { return 1; }
    tracel::RecordsetField field(int) const override
    {
        return {QStringLiteral("n"), adInteger, QString::number(current_), nullptr};
    }

private:
    int failAt_;
    int current_ = 0;
};

TEST_F(TracelAdoTest, RecordsetFailingHalfWayKeepsTheLinesWrittenAndRaisesNothing)
{
    info.LevelDetail(2);
    FailingRecordset rs(2);
    QString tabulation;
    EXPECT_NO_THROW(info.TracelAdo(rs, tabulation));
    EXPECT_EQ(logTexts(), (QStringList{"ConnectionString = c", "Source = s", "n:0;", "n:1;"}));
}

}  // namespace
