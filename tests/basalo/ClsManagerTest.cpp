#include "basalo/clsManager.h"

#include "support/TempDir.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>

namespace {

using basalo::clsManager;
using platform::OleDate;

// Runs each test under a French locale, whose decimal separator is a comma.
class FrenchLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousC_ = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "fr_FR.UTF-8");
        previousQt_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, previousC_.c_str());
        QLocale::setDefault(previousQt_);
    }

    basalo::BasaloState state;
    clsManager manager{state};

private:
    std::string previousC_;
    QLocale previousQt_;
};

using DateText = FrenchLocale;

TEST_F(DateText, WritesThePointWhateverTheLocale)
{
    struct Case {
        double serial;
        const char* text;
    };
    const Case cases[] = {
        {0.75, "0.75"},   {36526.5, "36526.5"},   {36526.0, "36526"},
        {-1.25, "-1.25"}, {0.0000001, "0.0000001"}, {46366.5592476852, "46366.5592476852"},
    };
    for (const Case& c : cases) {
        QString text = "unchanged";
        EXPECT_EQ(manager.ConvertDateToKavDbl(OleDate(c.serial), text), basalo::enuFunctionReturnState_General_Traitement_OK);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(DateText, ReadsOnlyThePointAsDecimalSeparator)
{
    OleDate date(1.0);
    EXPECT_EQ(manager.ConvertKavDblToDate("0.75", date), basalo::enuFunctionReturnState_General_Traitement_OK);
    EXPECT_EQ(date.toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(18, 0)));
    EXPECT_EQ(manager.ConvertKavDblToDate(" 36526.5 ", date), basalo::enuFunctionReturnState_General_Traitement_OK);
    EXPECT_EQ(date.serial(), 36526.5);
}

TEST_F(DateText, TextsThatAreNotNumbersFailWithTypeMismatchAndKeepTheDate)
{
    for (const char* text : {"1,5", "12abc", "", "abc", "1.5.2", "1e5", "."}) {
        OleDate date(42.0);
        EXPECT_EQ(manager.ConvertKavDblToDate(QString::fromUtf8(text), date),
                  basalo::enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree)
            << text;
        EXPECT_EQ(date.serial(), 42.0);
        EXPECT_EQ(manager.ErrorNumber(), 13) << text;
    }
}

TEST_F(DateText, SerialsOutsideTheDateRangeOverflow)
{
    OleDate date(42.0);
    EXPECT_EQ(manager.ConvertKavDblToDate("99999999", date), basalo::enuFunctionReturnState_Basalo_ConvertKavDblToDate_ErreurGeneree);
    EXPECT_EQ(manager.ErrorNumber(), 6);
    QString text = "unchanged";
    EXPECT_EQ(manager.ConvertDateToKavDbl(OleDate(-700000.0), text), basalo::enuFunctionReturnState_Basalo_ConvertDateToKavDbl_ErreurGeneree);
    EXPECT_EQ(text, "unchanged");
}

TEST_F(DateText, ConversionsAreInverse)
{
    for (const double serial :
         {0.0, 0.75, 36526.5, 46366.5592476852, -657434.0, -657434.5, 2958465.99998843, 2958465.9999999, -12.5}) {
        QString text;
        ASSERT_EQ(manager.ConvertDateToKavDbl(OleDate(serial), text), 1);
        OleDate back;
        ASSERT_EQ(manager.ConvertKavDblToDate(text, back), 1) << text.toStdString();
        EXPECT_DOUBLE_EQ(back.serial(), serial);
    }
}

TEST(ClsManagerErrors, EachReadingClearsOnlyItsOwnField)
{
    basalo::BasaloState state;
    clsManager manager(state);
    clsManager other(state);
    OleDate date;
    ASSERT_NE(manager.ConvertKavDblToDate("abc", date), 1);
    ASSERT_EQ(manager.ConvertKavDblToDate("12", date), 1);  // a success does not clear the error

    EXPECT_EQ(other.ErrorNumber(), 13);
    EXPECT_EQ(other.ErrorNumber(), 0);
    EXPECT_EQ(manager.ErrorDescription(), "Type mismatch");
    EXPECT_EQ(manager.ErrorDescription(), "");
}

TEST(ClsManagerConstants, GivesTheTextOfAConstant)
{
    const clsManager manager;
    EXPECT_EQ(manager.ConstanteValue(basalo::enuConstantesList_KavDateTimeDoubleSeparator), ".");
    EXPECT_EQ(manager.ConstanteValue(basalo::enuConstantesList_InfosGeneralSeparator), "#");
    EXPECT_EQ(manager.ConstanteValue(999), "");
}

TEST(ClsManagerPaths, CompletesAPathWithTheSeparatorOfItsType)
{
    struct Case {
        const char* path;
        long type;
        const char* expected;
    };
    const Case cases[] = {
        {"/data", basalo::Physical, "/data/"},
        {"/data/", basalo::Physical, "/data/"},
        {"C:\\Data", basalo::Physical, "C:/Data/"},
        {"C:\\Data\\", basalo::Physical, "C:/Data/"},
        {"", basalo::Physical, "/"},
        {"WS/files", basalo::URL, "WS/files/"},
        {"WS/files/", basalo::URL, "WS/files/"},
        {"", basalo::URL, "/"},
        {"WS\\files", 3, "WS\\files"},
        {"", 0, ""},
    };
    const clsManager manager;
    for (const Case& c : cases) {
        QString path = QString::fromUtf8(c.path);
        manager.CheckPathSyntax(path, c.type);
        EXPECT_EQ(path, c.expected) << c.path << " type " << c.type;
    }
}

class IniFile : public testsupport::TempDirTest {
protected:
    const clsManager manager;
};

TEST_F(IniFile, ReadsValuesAsTheSystemCallDid)
{
    const QString file = writeFile("langue.lng",
                                   "; comment\r\n"
                                   "[Lumaro_Langue_1]\r\n"
                                   "FRMbarre_errObject = Erreur %1 objet \r\n"
                                   "Quoted=\"  entre guillemets  \"\r\n"
                                   "Single='simple'\r\n"
                                   "Half=\"ouvert\r\n"
                                   "Empty=\r\n"
                                   "Egal=a=b\r\n"
                                   "Dup=first\r\n"
                                   "Dup=second\r\n"
                                   "[ autre ]\r\n"
                                   "Quoted=other\r\n"
                                   "[LUMARO_LANGUE_1]\r\n"
                                   "Later=second section\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Lumaro_Langue_1", "FRMbarre_errObject", "Erreur %1 objet"},
        {"lumaro_langue_1", "frmbarre_errobject", "Erreur %1 objet"},
        {"Lumaro_Langue_1", "Quoted", "  entre guillemets  "},
        {"Lumaro_Langue_1", "Single", "simple"},
        {"Lumaro_Langue_1", "Half", "\"ouvert"},
        {"Lumaro_Langue_1", "Empty", ""},
        {"Lumaro_Langue_1", "Egal", "a=b"},
        {"Lumaro_Langue_1", "Missing", ""},
        // The first of two keys, and only the first section of a name, are read.
        {"Lumaro_Langue_1", "Dup", "first"},
        {"Lumaro_Langue_1", "Later", ""},
        {"AUTRE", "Quoted", "other"},
        {"Absent", "Quoted", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(manager.GetPrivateProfileString(c.section, c.key, file), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
}

TEST_F(IniFile, MissingFileGivesEmptyText)
{
    EXPECT_EQ(manager.GetPrivateProfileString("S", "K", path("absent.ini")), "");
    EXPECT_EQ(manager.GetPrivateProfileString("S", "K", ""), "");
}

TEST_F(IniFile, CutsLongValuesTo1023Characters)
{
    const QString emoji = QString::fromUtf8("😀");
    const struct {
        QString value;
        QString expected;
    } cases[] = {
        {QString(2000, u'x'), QString(1023, u'x')},
        {QString(1023, u'x'), QString(1023, u'x')},
        // The 1023rd unit would be the first half of a pair: the character goes whole.
        {QString(1022, u'x') + emoji + QString(10, u'y'), QString(1022, u'x')},
        {QString(1021, u'x') + emoji + QString(10, u'y'), QString(1021, u'x') + emoji},
    };
    for (const auto& c : cases) {
        const QString file = writeFile("long.ini", "[S]\nK=" + c.value.toUtf8() + "\n");
        EXPECT_EQ(manager.GetPrivateProfileString("S", "K", file), c.expected) << c.value.size();
    }
}

TEST_F(IniFile, DecodesUtf8AndWindows1252)
{
    const QString utf8 = writeFile("utf8.ini", "[S]\nK=\xC3\xA9l\xC3\xA8ve\n");
    const QString legacy = writeFile("legacy.ini", "[S]\nK=\xE9l\xE8ve \x80\n");
    EXPECT_EQ(manager.GetPrivateProfileString("S", "K", utf8), QString::fromUtf8("élève"));
    EXPECT_EQ(manager.GetPrivateProfileString("S", "K", legacy), QString::fromUtf8("élève €"));
}

TEST_F(IniFile, FindsTheFileWithoutRegardToCase)
{
    writeFile("KavPlugin.LNG", "[S]\nK=v\n");
    EXPECT_EQ(manager.GetPrivateProfileString("S", "K", path("kavplugin.lng")), "v");
}

}  // namespace
