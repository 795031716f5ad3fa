// The language reader: each program's section, the file's encoding, missing
// files, sections and keys, placeholders, and the sample language file.

#include "toolkit/clsLangue.h"

#include "support/TempDir.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using toolkit::clsLangue;

class ClsLangueTest : public testsupport::TempDirTest {
protected:
    // One file with a section per program and one for another language; the
    // accented texts are windows-1252 bytes.
    QString languageFile()
    {
        return writeFile(QStringLiteral("lng/kav.lng"),
                         "[General]\r\nFileVersion=3\r\n"
                         "[Lumaro_Langue_FR]\r\nFRMbarre_RefQuest=R\xe9" "f\xe9rence %1\r\nCle=Lumaro\r\n"
                         "[Netrova_Langue_FR]\r\nCle=Netrova\r\n"
                         "[Pelago_Langue_FR]\r\nCle=Pelago\r\n"
                         "[Lumaro_Langue_1]\r\nCle=Lumaro un\r\n");
    }

    clsLangue reader(const QString& prefix, const QString& langue, const QString& file)
    {
        clsLangue langueReader(prefix);
        langueReader.LangueID(langue);
        langueReader.LNGFilePath(file);
        return langueReader;
    }
};

TEST_F(ClsLangueTest, ReadsTheSectionOfItsOwnPrefixAndLanguage)
{
    const QString file = languageFile();
    struct Case {
        const char* prefix;
        const char* langue;
        const char* expected;
    };
    const Case cases[] = {
        {"Lumaro_Langue_", "FR", "Lumaro"},
        {"Netrova_Langue_", "FR", "Netrova"},
        {"Pelago_Langue_", "FR", "Pelago"},
        {"Lumaro_Langue_", "1", "Lumaro un"},
        {"Lumaro_Langue_", "EN", ""},
        {"Vidora_Langue_", "FR", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prefix) + c.langue);
        EXPECT_EQ(reader(QString::fromLatin1(c.prefix), QString::fromLatin1(c.langue), file)
                      .GetMessage(QStringLiteral("Cle")),
                  QString::fromLatin1(c.expected));
    }
}

TEST_F(ClsLangueTest, MissingFileKeyOrPathGiveTheEmptyText)
{
    const QString file = languageFile();
    EXPECT_EQ(reader(QStringLiteral("Lumaro_Langue_"), QStringLiteral("FR"), file).GetMessage(QStringLiteral("Absente")),
              QString());
    EXPECT_EQ(reader(QStringLiteral("Lumaro_Langue_"), QStringLiteral("FR"), path(QStringLiteral("nulle.lng")))
                  .GetMessage(QStringLiteral("Cle")),
              QString());
    EXPECT_EQ(clsLangue(QStringLiteral("Lumaro_Langue_")).GetMessage(QStringLiteral("Cle")), QString())
        << "a reader never given a file";
}

TEST_F(ClsLangueTest, DecodesAWindows1252File)
{
    const clsLangue langue = reader(QStringLiteral("Lumaro_Langue_"), QStringLiteral("FR"), languageFile());
    EXPECT_EQ(langue.GetMessage(QStringLiteral("FRMbarre_RefQuest")), QStringLiteral("Référence %1"));
}

TEST_F(ClsLangueTest, ReadsTheFileAtEveryCallWithTheCurrentSettings)
{
    const QString file = languageFile();
    clsLangue langue = reader(QStringLiteral("Lumaro_Langue_"), QStringLiteral("FR"), file);
    EXPECT_EQ(langue.GetMessage(QStringLiteral("Cle")), QStringLiteral("Lumaro"));
    writeFile(QStringLiteral("lng/kav.lng"), "[Lumaro_Langue_FR]\r\nCle=Changé\r\n");
    EXPECT_EQ(langue.GetMessage(QStringLiteral("Cle")), QStringLiteral("Changé"));
    langue.LangueID(QStringLiteral("EN"));
    EXPECT_EQ(langue.GetMessage(QStringLiteral("Cle")), QString());
    EXPECT_EQ(langue.LNGFilePath(), file);
    EXPECT_EQ(langue.LangueID(), QStringLiteral("EN"));
}

TEST(ClsLanguePlaceholderTest, ReplacesEachPlaceholderInOnePass)
{
    struct Case {
        const char* label;
        QString text;
        QStringList values;
        QString expected;
    };
    const Case cases[] = {
        {"one value everywhere", QStringLiteral("Quitter ?%1Vraiment ?%1"), {QStringLiteral("\r\n")},
         QStringLiteral("Quitter ?\r\nVraiment ?\r\n")},
        {"three values", QStringLiteral("%1 | %2 | %3"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
         QStringLiteral("a | b | c")},
        {"a value holding a placeholder stays as given", QStringLiteral("%1 et %2"),
         {QStringLiteral("%2"), QStringLiteral("deux")}, QStringLiteral("%2 et deux")},
        {"a placeholder without a value stays", QStringLiteral("%1 sur %2"), {QStringLiteral("3")},
         QStringLiteral("3 sur %2")},
        {"an empty value removes it", QStringLiteral("Vidéo %1 absente"), {QString()},
         QStringLiteral("Vidéo  absente")},
        {"only %1 to %3 are placeholders", QStringLiteral("%4 %0 %% %"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")},
         QStringLiteral("%4 %0 %% %")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(clsLangue::fillPlaceholders(c.text, c.values), c.expected);
    }
}

TEST_F(ClsLangueTest, GetMessageFillsThePlaceholdersOfTheFileText)
{
    const clsLangue langue = reader(QStringLiteral("Lumaro_Langue_"), QStringLiteral("FR"), languageFile());
    EXPECT_EQ(langue.GetMessage(QStringLiteral("FRMbarre_RefQuest"), {QStringLiteral("1211")}),
              QStringLiteral("Référence 1211"));
}

// Every key that the programs read has a French text in the sample file, in
// the section of the program that reads it.
TEST(SampleLanguageFileTest, HoldsAFrenchTextForEveryKeyOfEachProgram)
{
    const QStringList lumaroKeys = {
        QStringLiteral("GENERAL_kavlblSystemeMedia"), QStringLiteral("GENERAL_kavbtnOk"),
        QStringLiteral("GENERAL_kavbtnAnnuler"), QStringLiteral("FRMbarre_btnaideCaption"),
        QStringLiteral("FRMbarre_btnquitterCaption"), QStringLiteral("FRMbarre_btnleconCaption"),
        QStringLiteral("FRMbarre_btncorrigeCaption"), QStringLiteral("FRMbarre_btnrecommencerCaption"),
        QStringLiteral("FRMbarre_btncontinuerCorrigePointCaption"),
        QStringLiteral("FRMbarre_btncontinuerPointSuivantCaption"), QStringLiteral("FRMbarre_NbQuestSuccess"),
        QStringLiteral("FRMbarre_RefQuest"), QStringLiteral("FRMbarre_ConfirmQuit"),
        QStringLiteral("FRMbarre_errReference"), QStringLiteral("FRMbarre_errObject"),
        QStringLiteral("FRMbarre_TITREFENETREFORMATION"), QStringLiteral("FRMhtml_lblReponseBravo"),
        QStringLiteral("CMB_complements"), QStringLiteral("ToolTip1"), QStringLiteral("ToolTip2"),
        QStringLiteral("ToolTip1Corrige"), QStringLiteral("ToolTip2Corrige"), QStringLiteral("ToolTip3"),
        QStringLiteral("ToolTip4"), QStringLiteral("ToolTip5"), QStringLiteral("ToolTip6"), QStringLiteral("ToolTip7"),
        QStringLiteral("ToolTip8"), QStringLiteral("ToolTip9"), QStringLiteral("ToolTipcomplements"),
    };
    const QStringList pluginKeys = {
        QStringLiteral("MESSAGE_Loading1"), QStringLiteral("MESSAGE_Loading2"), QStringLiteral("MESSAGE_Loading3"),
        QStringLiteral("MESSAGE_Loading4"), QStringLiteral("WAIT_MAJ_RESULT"), QStringLiteral("Divers_PersonnalFolder"),
        QStringLiteral("ERR_CONNUE"), QStringLiteral("ERR_INCONNUE"), QStringLiteral("ERR_POST_RESULT"),
        QStringLiteral("ERR_NO_CDROM"), QStringLiteral("ERR_CDROM_EVAL_ROROVA_MISSING"),
        QStringLiteral("ERR_CDROM_FORM_ROROVA_MISSING"), QStringLiteral("ERR_UNC_EVAL_ROROVA_MISSING"),
        QStringLiteral("ERR_UNC_FORM_ROROVA_MISSING"), QStringLiteral("ERR_VIDEO_NOT_FOUND"),
        QStringLiteral("ERR_VIDEO_NOT_FOUND_UNC"), QStringLiteral("GENERAL_COPYRIGHT"),
        QStringLiteral("VIDEOASF_CmdAvecOuSansSontooltiptext"), QStringLiteral("VIDEOASF_LblAide0"),
        QStringLiteral("VIDEOASF_LblAide1"), QStringLiteral("VIDEOASF_LblNoSeqtooltiptext"),
        QStringLiteral("VIDEOASF_Pausetooltiptext"), QStringLiteral("VIDEOASF_Playtooltiptext"),
        QStringLiteral("VIDEOASF_SeqArtooltiptext"), QStringLiteral("VIDEOASF_SeqAvtooltiptext"),
        QStringLiteral("VIDEOASF_SeqSlidetooltiptext"), QStringLiteral("VIDEOASF_Stoptooltiptext"),
        QStringLiteral("VIDEOASF_ValSlidetooltiptext"),
    };
    const QStringList pelagoKeys = pluginKeys + QStringList{QStringLiteral("MESSAGE_ErrOccuppe"),
                                                            QStringLiteral("MESSAGE_ErrModule"),
                                                            QStringLiteral("MESSAGE_ErrPersonalFolder")};
    const QString file = QStringLiteral(SAMPLES_DIR "/lng/kavplugin.lng");
    const std::pair<const char*, QStringList> sections[] = {
        {"Lumaro_Langue_", lumaroKeys}, {"Netrova_Langue_", pluginKeys}, {"Pelago_Langue_", pelagoKeys}};
    for (const auto& [prefix, keys] : sections) {
        clsLangue langue{QString::fromLatin1(prefix)};
        langue.LangueID(QStringLiteral("FR"));
        langue.LNGFilePath(file);
        for (const QString& key : keys)
            EXPECT_FALSE(langue.GetMessage(key).isEmpty()) << prefix << key.toStdString();
    }

    clsLangue lumaro(QStringLiteral("Lumaro_Langue_"));
    lumaro.LangueID(QStringLiteral("FR"));
    lumaro.LNGFilePath(file);
    EXPECT_EQ(lumaro.GetMessage(QStringLiteral("FRMbarre_btnleconCaption")), QStringLiteral("Voir la leçon"))
        << "written in windows-1252";
    EXPECT_TRUE(lumaro.GetMessage(QStringLiteral("FRMbarre_errReference")).endsWith(QStringLiteral(" : ")))
        << "the step code follows after a blank";
    EXPECT_EQ(lumaro.GetMessage(QStringLiteral("FRMbarre_ConfirmQuit"), {QStringLiteral("\r\n")}).count(u'\n'), 1);
    clsLangue general(QString{});
    general.LangueID(QStringLiteral("General"));
    general.LNGFilePath(file);
    EXPECT_EQ(general.GetMessage(QStringLiteral("FileVersion")), QStringLiteral("1"));
}

// A text that a number follows keeps its last blank in both sample files (the
// programs' and the one the course server sends), or the number sticks to it.
TEST(SampleLanguageFileTest, TextsThatANumberFollowsEndWithABlank)
{
    const std::pair<const char*, const char*> texts[] = {
        {"Lumaro_Langue_", "FRMbarre_errReference"},
        {"Netrova_Langue_", "ERR_CONNUE"},
        {"Netrova_Langue_", "ERR_INCONNUE"},
    };
    for (const char* file : {SAMPLES_DIR "/lng/kavplugin.lng", SAMPLES_DIR "/server/WS/pluginlng/default.lng"}) {
        for (const auto& [prefix, key] : texts) {
            clsLangue langue{QString::fromLatin1(prefix)};
            langue.LangueID(QStringLiteral("FR"));
            langue.LNGFilePath(QString::fromUtf8(file));
            const QString text = langue.GetMessage(QString::fromLatin1(key));
            EXPECT_FALSE(text.isEmpty()) << file << " " << key;
            EXPECT_TRUE(text.endsWith(u' ')) << file << " " << key << ": \"" << text.toStdString() << '"';
        }
    }
}

}  // namespace
