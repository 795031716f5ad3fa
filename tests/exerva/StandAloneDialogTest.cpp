// The stand-alone mode's dialog and its settings file: what the dialog opens
// with, with and without "Param.ini", how forgiving the reading is, what OK
// writes and Annuler does not, and the focus rule of the list and the range.

#include "StandAloneSupport.h"

#include "exerva/standalone/ParamIni.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using exerva::ParamIni;
using exerva::frmAutonome;

// What the dialog shows: the five text boxes and the option chosen in each
// array (-1 for none).
struct Shown {
    QString appli;
    QString list;
    QString low;
    QString up;
    QString path;
    int choix = -1;
    int baseBis = -1;
    int modeInet = -1;

    bool operator==(const Shown&) const = default;
};

template <typename Get>
int chosen(Get option, int count)
{
    for (int i = 0; i < count; ++i) {
        if (option(i)->isChecked())
            return i;
    }
    return -1;
}

Shown shown(const frmAutonome& dialog)
{
    return Shown{dialog.txtAppli()->text(),
                 dialog.txtListeQuestions()->text(),
                 dialog.txtLow()->text(),
                 dialog.txtUp()->text(),
                 dialog.txtPath()->text(),
                 chosen([&](int i) { return dialog.optChoix(i); }, 2),
                 chosen([&](int i) { return dialog.optBaseBis(i); }, 3),
                 chosen([&](int i) { return dialog.optModeInet(i); }, 2)};
}

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << "appli=" << s.appli.toStdString() << " list=" << s.list.toStdString()
               << " low=" << s.low.toStdString() << " up=" << s.up.toStdString() << " path=" << s.path.toStdString()
               << " choix=" << s.choix << " baseBis=" << s.baseBis << " modeInet=" << s.modeInet;
}

class StandAloneDialogTest : public testsupport::TempDirTest {
protected:
    // The program's folder, which the dialog offers as root without settings.
    const QString programFolder = QStringLiteral("/opt/exerva");

    std::unique_ptr<frmAutonome> dialog() const { return std::make_unique<frmAutonome>(programFolder, folder()); }
    QString folder() const { return dir().chopped(1); }
    void writeParamIni(const QByteArray& bytes) const { writeFile(QStringLiteral("Param.ini"), bytes); }
    QByteArray paramIni() const { return readFile(QStringLiteral("Param.ini")); }
};

TEST_F(StandAloneDialogTest, HasTheControlsAndCaptionsOfTheMode)
{
    const auto form = dialog();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Mode Autonome"));
    for (const char* name : {"txtAppli", "txtListeQuestions", "txtLow", "txtUp", "txtPath"})
        EXPECT_NE(form->findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"lblApplication", "Application"}, {"lblQuestion", "Questions"}, {"lblDe", "De"}, {"lblA", "à"}};
    for (const auto& [name, caption] : labels) {
        const auto* label = form->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    }
    for (const char* name : {"frameBaseBis", "frameModeInet"})
        EXPECT_NE(form->findChild<QGroupBox*>(QString::fromLatin1(name)), nullptr) << name;
    const std::tuple<QRadioButton*, const char*, int, const char*> options[] = {
        {form->optChoix(0), "optChoix", 0, ""},        {form->optChoix(1), "optChoix", 1, ""},
        {form->optBaseBis(0), "optBaseBis", 0, "Base"}, {form->optBaseBis(1), "optBaseBis", 1, "Bis"},
        {form->optBaseBis(2), "optBaseBis", 2, "ExoApp"}, {form->optModeInet(0), "optModeInet", 0, "UNC"},
        {form->optModeInet(1), "optModeInet", 1, "Inet"},
    };
    for (const auto& [button, name, index, caption] : options) {
        ASSERT_NE(button, nullptr) << name << index;
        EXPECT_EQ(button->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(button->property("Index").toInt(), index);
        EXPECT_EQ(button->text(), QString::fromLatin1(caption));
    }
    EXPECT_EQ(form->optBaseBis(0)->parentWidget()->objectName(), QStringLiteral("frameBaseBis"));
    EXPECT_EQ(form->optModeInet(0)->parentWidget()->objectName(), QStringLiteral("frameModeInet"));
    EXPECT_EQ(form->cmdOK()->objectName(), QStringLiteral("cmdOK"));
    EXPECT_EQ(form->cmdOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(form->cmdEnd()->objectName(), QStringLiteral("cmdEnd"));
    EXPECT_EQ(form->cmdEnd()->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(form->optChoix(2), nullptr);
}

TEST_F(StandAloneDialogTest, OpensWithTheSettingsOfParamIni)
{
    struct Case {
        const char* label;
        std::optional<QByteArray> file;
        Shown expected;
    };
    const QString program = programFolder;
    const Case cases[] = {
        {"no file", std::nullopt, {{}, {}, {}, {}, program, -1, 0, 0}},
        {"as written", QByteArray("\"appli:12\"\n\"listepoint:1;3;7\"\n\"lLow:4\"\n\"lUp:6\"\n\"BaseBis:2\"\n"
                                  "\"ModeInet:1\"\n\"Path#/cours\"\n"),
         {"12", "1;3;7", "4", "6", "/cours", 0, 1, 1}},
        {"range only, CR LF", QByteArray("\"appli:12\"\r\n\"listepoint:\"\r\n\"lLow:4\"\r\n\"lUp:6\"\r\n"
                                         "\"BaseBis:3\"\r\n\"ModeInet:0\"\r\n\"Path#C:\\cours\"\r\n"),
         {"12", "", "4", "6", "C:\\cours", 1, 2, 0}},
        {"neither list nor range", QByteArray("\"appli:12\"\n\"listepoint:\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n"
                                              "\"ModeInet:0\"\n\"Path#/cours\"\n"),
         {"12", "", "", "", "/cours", -1, 0, 0}},
        {"short file keeps the defaults", QByteArray("\"appli:12\"\n\"listepoint:5\"\n"),
         {"12", "5", "", "", program, 0, 0, 0}},
        {"empty file", QByteArray(), {{}, {}, {}, {}, program, -1, 0, 0}},
        {"values hold separators", QByteArray("\"appli:12\"\n\"listepoint:1:2\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n"
                                              "\"ModeInet:0\"\n\"Path#/cours/#3:a\"\n"),
         {"12", "1:2", "", "", "/cours/#3:a", 0, 0, 0}},
        {"unquoted lines and lines without a separator",
         QByteArray("appli:7\nlistepoint\n  lLow:2  \n\"lUp\"\nBaseBis:2\nModeInet:0\nPath:/cours\n"),
         {"7", "", "2", "", program, 1, 1, 0}},
        {"doubled quotes", QByteArray("\"appli:12\"\n\"listepoint:1\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n"
                                      "\"ModeInet:0\"\n\"Path#/cours/\"\"a\"\"/b\"\n"),
         {"12", "1", "", "", "/cours/\"a\"/b", 0, 0, 0}},
        {"unknown kind selects none, unknown mode is Inet",
         QByteArray("\"appli:12\"\n\"listepoint:1\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:7\"\n\"ModeInet:x\"\n\"Path#/c\"\n"),
         {"12", "1", "", "", "/c", 0, -1, 1}},
        {"windows-1252 path", QByteArray("\"appli:12\"\n\"listepoint:1\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n"
                                         "\"ModeInet:0\"\n\"Path#/cours/\xe9t\xe9\"\n"),
         {"12", "1", "", "", QStringLiteral("/cours/été"), 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(path(QStringLiteral("Param.ini")));
        if (c.file)
            writeParamIni(*c.file);
        const auto form = dialog();
        EXPECT_EQ(shown(*form), c.expected);
        EXPECT_FALSE(form->okFlag());
    }
}

TEST_F(StandAloneDialogTest, OkWritesTheSevenLines)
{
    struct Case {
        const char* label;
        standalone_test::DialogAnswers answers;
        long identifier;
        QByteArray file;
    };
    using standalone_test::DialogAnswers;
    DialogAnswers list;
    list.appli = QStringLiteral(" 12 ");
    list.list = QStringLiteral("1;3;7");
    list.path = QStringLiteral("/home/cours");
    DialogAnswers range;
    range.range = std::pair{QStringLiteral("4"), QStringLiteral("6")};
    range.kind = 2;
    range.mode = 1;
    range.path = QStringLiteral("/cours/\"dix\"/été");
    DialogAnswers bis;
    bis.appli = QStringLiteral("3");
    bis.kind = 1;
    const Case cases[] = {
        {"list", list, 12,
         "\"appli:12\"\n\"listepoint:1;3;7\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n\"ModeInet:0\"\n\"Path#/home/cours\"\n"},
        {"range", range, 12,
         "\"appli:12\"\n\"listepoint:\"\n\"lLow:4\"\n\"lUp:6\"\n\"BaseBis:3\"\n\"ModeInet:1\"\n"
         "\"Path#/cours/\"\"dix\"\"/\xc3\xa9t\xc3\xa9\"\n"},
        {"defaults", bis, 3,
         "\"appli:3\"\n\"listepoint:\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:2\"\n\"ModeInet:0\"\n\"Path#/opt/exerva\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(path(QStringLiteral("Param.ini")));
        const auto form = dialog();
        standalone_test::answerDialog(*form, c.answers);
        EXPECT_TRUE(form->okFlag());
        EXPECT_EQ(form->applicationId(), c.identifier);
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_EQ(paramIni(), c.file);
        // What was written opens the next dialog as it was left.
        Shown left = shown(*form);
        left.appli = QString::number(c.identifier);
        EXPECT_EQ(shown(*dialog()), left);
    }
}

TEST_F(StandAloneDialogTest, OkWithoutAUsableApplicationStaysOnTheApplication)
{
    const auto form = dialog();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const char* typed : {"", "  ", "douze", "12a", "99999999999"}) {
        SCOPED_TRACE(typed);
        form->txtPath()->setFocus();
        form->txtAppli()->setText(QString::fromLatin1(typed));
        form->cmdOK()->click();
        EXPECT_FALSE(form->okFlag());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), form->txtAppli());
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("Param.ini"))));
    }
}

TEST_F(StandAloneDialogTest, AnnulerOrClosingLeavesParamIniUntouched)
{
    const QByteArray before("\"appli:12\"\n\"listepoint:1\"\n");
    enum class Way { Annuler, CloseBox, Escape };
    for (const Way way : {Way::Annuler, Way::CloseBox, Way::Escape}) {
        SCOPED_TRACE(int(way));
        writeParamIni(before);
        const auto form = dialog();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->txtAppli()->setText(QStringLiteral("99"));
        switch (way) {
        case Way::Annuler: form->cmdEnd()->click(); break;
        case Way::CloseBox: form->close(); break;
        case Way::Escape: QTest::keyClick(form.get(), Qt::Key_Escape); break;
        }
        EXPECT_FALSE(form->okFlag());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(form->result(), QDialog::Rejected);
        EXPECT_EQ(paramIni(), before);
    }
}

TEST_F(StandAloneDialogTest, FocusOnTheListOrTheRangeChoosesIt)
{
    const auto form = dialog();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    struct Step {
        QLineEdit* box;
        int choix;
    };
    const Step steps[] = {
        {form->txtLow(), 1}, {form->txtListeQuestions(), 0}, {form->txtUp(), 1},
        {form->txtAppli(), 1}, {form->txtListeQuestions(), 0}, {form->txtPath(), 0},
    };
    for (const Step& step : steps) {
        step.box->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), step.box);
        EXPECT_TRUE(form->optChoix(step.choix)->isChecked()) << step.box->objectName().toStdString();
        EXPECT_FALSE(form->optChoix(1 - step.choix)->isChecked());
    }
}

TEST(ParamIniTest, AFieldIsReadBackAsItWasWritten)
{
    const QString values[] = {
        QString(), QStringLiteral("12"), QStringLiteral("\""), QStringLiteral("a\"\"b"),
        QStringLiteral("/c/\"d\"/"), QStringLiteral("C:\\cours\\"), QStringLiteral("été : # ;"),
    };
    for (const QString& value : values) {
        const QString line = ParamIni::line(ParamIni::Path, value);
        EXPECT_TRUE(line.startsWith(u'"') && line.endsWith(u'"')) << line.toStdString();
        EXPECT_EQ(ParamIni::field(line), QStringLiteral("Path#") + value) << line.toStdString();
    }
    // A line break cannot split the line it belongs to.
    EXPECT_EQ(ParamIni::line(ParamIni::LUp, QStringLiteral("1\r\n2\n3")), QStringLiteral("\"lUp:1 2 3\""));
    // Read leniently: a missing closing quote, text after it, no quotes at all.
    EXPECT_EQ(ParamIni::field(QStringLiteral("\"appli:12")), QStringLiteral("appli:12"));
    EXPECT_EQ(ParamIni::field(QStringLiteral("\"appli:12\" reste")), QStringLiteral("appli:12"));
    EXPECT_EQ(ParamIni::field(QStringLiteral("  appli:12  ")), QStringLiteral("appli:12"));
}

TEST(ParamIniTest, AHugeFileIsReadOnlyUpToItsLastWholeLineWithinTheLimit)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Param.ini"));
    const QByteArray huge(ParamIni::maxReadBytes, '1');
    struct Case {
        const char* label;
        QByteArray bytes;
        std::optional<QString> list;
        std::optional<QString> path;
    };
    const Case cases[] = {
        {"junk after the seven lines",
         "\"appli:12\"\n\"listepoint:1;3\"\n\"lLow:\"\n\"lUp:\"\n\"BaseBis:1\"\n\"ModeInet:0\"\n\"Path#/c\"\n" + huge,
         QStringLiteral("1;3"), QStringLiteral("/c")},
        // A line cut by the limit counts as missing, and so do the lines after it.
        {"a line longer than the limit", "\"appli:12\"\n\"listepoint:" + huge + "\"\n\"lLow:\"\n", std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.bytes);
        out.close();
        const auto values = ParamIni::read(file);
        ASSERT_TRUE(values);
        EXPECT_EQ((*values)[ParamIni::Appli], QStringLiteral("12"));
        EXPECT_EQ((*values)[ParamIni::ListePoint], c.list);
        EXPECT_EQ((*values)[ParamIni::Path], c.path);
    }
}

TEST(ParamIniTest, AMissingFileIsNoSettings)
{
    QTemporaryDir folder;
    EXPECT_FALSE(ParamIni::read(folder.filePath(QStringLiteral("Param.ini"))));
    EXPECT_FALSE(ParamIni::read(folder.path())) << "a folder is not a settings file";
    EXPECT_FALSE(ParamIni::write(folder.filePath(QStringLiteral("absent/Param.ini")), {}));
}

}  // namespace
