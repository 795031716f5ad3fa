#include "lumaro/model/AppliIndex.h"
#include "lumaro/model/EntreeIndex.h"
#include "lumaro/model/LettreIndex.h"
#include "lumaro/model/SeqThemeIndex.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using lumaro::AppliIndex;

// The identifiers of the entries filed under a letter, in order.
std::vector<long> entreesOf(const AppliIndex& index, const QString& lettre)
{
    std::vector<long> ids;
    const auto found = index.LettreIndex(lettre);
    if (!found)
        return ids;
    for (long i = 1; i <= found->NbEntreeIndex(); ++i)
        ids.push_back(found->EntreeIndexByIndex(i)->IdEntreeIndex());
    return ids;
}

// The letters that are visible, in alphabetical order.
QString visibleLetters(const AppliIndex& index)
{
    QString letters;
    for (char16_t code = u'A'; code <= u'['; ++code) {
        if (index.LettreIndex(QString(QChar(code)))->Visible())
            letters += QChar(code);
    }
    return letters;
}

TEST(AlphabeticalIndex, StartsWith27InvisibleLettersAndNoMask)
{
    const AppliIndex index;
    EXPECT_EQ(index.IdParcoursMasque(), -1);
    EXPECT_FALSE(index.Loaded());
    for (char16_t code = u'A'; code <= u'['; ++code) {
        const QString key(QChar{code});
        const auto lettre = index.LettreIndex(key);
        ASSERT_NE(lettre, nullptr) << key.toStdString();
        EXPECT_EQ(lettre->Lettre(), key);
        EXPECT_FALSE(lettre->Visible());
        EXPECT_EQ(lettre->NbEntreeIndex(), 0);
    }
    EXPECT_EQ(index.LettreIndex("@"), nullptr);
    EXPECT_EQ(index.LettreIndex("\\"), nullptr);
    EXPECT_EQ(index.LettreIndex("AB"), nullptr);
}

struct LabelCase {
    const char* label;
    const char* lettre;  // nullptr: refused
};

class AddEntreeByLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(AddEntreeByLabel, FilesTheEntryUnderItsUpperCasedFirstCharacterOrRefusesIt)
{
    const LabelCase c = GetParam();
    const QString label = QString::fromUtf8(c.label);
    AppliIndex index;

    const bool added = index.AddEntree(12, label);

    EXPECT_EQ(added, c.lettre != nullptr) << c.label;
    if (c.lettre) {
        EXPECT_EQ(entreesOf(index, QString::fromUtf8(c.lettre)), std::vector<long>{12});
        const auto entree = index.EntreeIndexById(12);
        ASSERT_NE(entree, nullptr);
        EXPECT_EQ(entree->Intitule(), label);
        EXPECT_EQ(entree->IdEntreeIndex(), 12);
        EXPECT_FALSE(entree->Visible());
        EXPECT_EQ(entree->NbTheme(), 0);
        EXPECT_EQ(entree->NbLiens(), 0);
    } else {
        EXPECT_EQ(index.EntreeIndexById(12), nullptr);
        for (char16_t code = u'A'; code <= u'['; ++code)
            EXPECT_TRUE(entreesOf(index, QString(QChar(code))).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(AlphabeticalLabels, AddEntreeByLabel,
                         ::testing::Values(LabelCase{"Abaque", "A"}, LabelCase{"zèbre", "Z"},
                                           LabelCase{"[crochet]", "["}, LabelCase{"ıle", "I"},
                                           LabelCase{"École", nullptr}, LabelCase{"1er", nullptr},
                                           LabelCase{"", nullptr}, LabelCase{"\\x", nullptr},
                                           LabelCase{" Espace", nullptr}, LabelCase{"𝐀 gras", nullptr}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return testsupport::caseName(QString::fromUtf8(info.param.label)); });

TEST(AlphabeticalIndex, RefusedEntryLeavesNothingBehind)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Alpha"));

    // The identifier is taken: the letter of the new label must not list it.
    EXPECT_FALSE(index.AddEntree(1, "Beta"));
    EXPECT_TRUE(entreesOf(index, "B").empty());
    EXPECT_EQ(index.EntreeIndexById(1)->Intitule(), "Alpha");

    // A refused label records nothing, so the identifier stays free.
    EXPECT_FALSE(index.AddEntree(2, "école"));
    EXPECT_TRUE(index.AddEntree(2, "ecole"));
    EXPECT_EQ(entreesOf(index, "E"), std::vector<long>{2});
    EXPECT_EQ(entreesOf(index, "A"), std::vector<long>{1});
}

TEST(AlphabeticalIndex, LettersListTheirEntriesInOrderOfAddition)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(30, "Copier"));
    ASSERT_TRUE(index.AddEntree(10, "coller"));
    ASSERT_TRUE(index.AddEntree(20, "Couper"));

    const auto c = index.LettreIndex("c");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Lettre(), "C");
    EXPECT_EQ(entreesOf(index, "C"), (std::vector<long>{30, 10, 20}));
    EXPECT_EQ(c->EntreeIndexById(10), index.EntreeIndexById(10));
    EXPECT_EQ(c->EntreeIndexById(99), nullptr);
    EXPECT_EQ(c->EntreeIndexByIndex(0), nullptr);
    EXPECT_EQ(c->EntreeIndexByIndex(4), nullptr);
}

TEST(AlphabeticalIndex, ThemeIsSharedByItsEntryAndTheIndex)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddTheme(1, 100, 7, 701, "Régler les marges", "00:01:15"));

    const auto theme = index.GetThemeById(100);
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->IdSeqTheme(), 100);
    EXPECT_EQ(theme->IdVideo(), 7);
    EXPECT_EQ(theme->IdSeqSansSon(), 701);
    EXPECT_EQ(theme->Intitule(), "Régler les marges");
    EXPECT_EQ(theme->Debut(), "00:01:15");
    EXPECT_EQ(theme->IdQuestion(), 0);
    EXPECT_EQ(theme->TypeVideo(), "");
    EXPECT_FALSE(theme->Visible());

    const auto entree = index.EntreeIndexById(1);
    EXPECT_EQ(entree->NbTheme(), 1);
    EXPECT_EQ(entree->ThemeById(100), theme);
    EXPECT_EQ(entree->ThemeByIndex(1), theme);
    EXPECT_EQ(entree->ThemeByIndex(0), nullptr);
    EXPECT_EQ(entree->ThemeByIndex(2), nullptr);
    EXPECT_EQ(entree->ThemeById(101), nullptr);
    EXPECT_EQ(index.GetThemeById(101), nullptr);
}

TEST(AlphabeticalIndex, RefusedThemeLeavesNothingBehind)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddEntree(2, "Tableaux"));
    ASSERT_TRUE(index.AddTheme(1, 100, 7, 0, "Marges", "0"));

    // Missing entry.
    EXPECT_FALSE(index.AddTheme(3, 101, 8, 0, "Orphelin", "0"));
    EXPECT_EQ(index.GetThemeById(101), nullptr);

    // A theme identifier is unique across the index: the second entry must not hold it,
    // and its video must not list it.
    EXPECT_FALSE(index.AddTheme(2, 100, 8, 0, "Doublon", "0"));
    EXPECT_EQ(index.EntreeIndexById(2)->NbTheme(), 0);
    EXPECT_EQ(index.GetThemeById(100)->Intitule(), "Marges");
    index.SetThemVisible(8, 5, "L");
    EXPECT_FALSE(index.GetThemeById(100)->Visible());

    // Nothing was recorded for 101, so it can still be added.
    EXPECT_TRUE(index.AddTheme(2, 101, 8, 0, "Tableaux", "0"));
}

TEST(AlphabeticalIndex, SetThemVisibleMarksEveryThemeOfTheVideoOnly)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddEntree(2, "Police"));
    ASSERT_TRUE(index.AddTheme(1, 100, 7, 0, "a", "0"));
    ASSERT_TRUE(index.AddTheme(2, 200, 7, 0, "b", "0"));
    ASSERT_TRUE(index.AddTheme(2, 201, 8, 0, "c", "0"));

    index.SetThemVisible(99, 1, "L");
    for (const long id : {100L, 200L, 201L})
        EXPECT_FALSE(index.GetThemeById(id)->Visible()) << id;

    index.SetThemVisible(7, 42, "C");
    for (const long id : {100L, 200L}) {
        const auto theme = index.GetThemeById(id);
        EXPECT_TRUE(theme->Visible()) << id;
        EXPECT_EQ(theme->IdQuestion(), 42);
        EXPECT_EQ(theme->TypeVideo(), "C");
    }
    EXPECT_FALSE(index.GetThemeById(201)->Visible());
    EXPECT_EQ(index.GetThemeById(201)->IdQuestion(), 0);
}

TEST(AlphabeticalIndex, LinksKeepAnyTargetInOrder)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddEntree(2, "Page"));

    EXPECT_FALSE(index.AddLien(3, 1));
    EXPECT_TRUE(index.AddLien(1, 2));
    EXPECT_TRUE(index.AddLien(1, 2));
    EXPECT_TRUE(index.AddLien(1, 99));

    const auto entree = index.EntreeIndexById(1);
    EXPECT_EQ(entree->NbLiens(), 3);
    EXPECT_EQ(entree->LienEntree(1), 2);
    EXPECT_EQ(entree->LienEntree(2), 2);
    EXPECT_EQ(entree->LienEntree(3), 99);
    for (const long outside : {0L, 4L, -1L})
        EXPECT_EQ(entree->LienEntree(outside), -1) << outside;
}

// Entries 1..4; each case names which themes the mask's video makes visible
// and the links, and expects the visible entries.
struct VisibilityCase {
    const char* name;
    std::vector<long> entreesAvecThemeVisible;
    std::vector<std::pair<long, long>> liens;
    std::vector<long> entreesVisibles;
};

class CalculeVisibiliteCases : public ::testing::TestWithParam<VisibilityCase> {};

TEST_P(CalculeVisibiliteCases, ShowsEntriesWithAVisibleThemeOrADirectLinkToOne)
{
    const VisibilityCase& c = GetParam();
    AppliIndex index;
    for (long id = 1; id <= 4; ++id) {
        ASSERT_TRUE(index.AddEntree(id, QStringLiteral("Entrée %1").arg(id)));
        // Video 7 is the path's; video 8 is not.
        const bool vue = std::find(c.entreesAvecThemeVisible.begin(), c.entreesAvecThemeVisible.end(), id) !=
                         c.entreesAvecThemeVisible.end();
        ASSERT_TRUE(index.AddTheme(id, 100 + id, vue ? 7 : 8, 0, "t", "0"));
    }
    for (const auto& [source, cible] : c.liens)
        ASSERT_TRUE(index.AddLien(source, cible));

    index.SetThemVisible(7, 1, "L");
    index.CalculeVisibilite(5);

    std::vector<long> visibles;
    for (long id = 1; id <= 4; ++id) {
        if (index.EntreeIndexById(id)->Visible())
            visibles.push_back(id);
    }
    EXPECT_EQ(visibles, c.entreesVisibles);
    EXPECT_EQ(index.IdParcoursMasque(), 5);
    EXPECT_EQ(index.LettreIndex("E")->Visible(), !c.entreesVisibles.empty());
}

INSTANTIATE_TEST_SUITE_P(
    AlphabeticalMasks, CalculeVisibiliteCases,
    ::testing::Values(VisibilityCase{"NoVisibleTheme", {}, {{1, 2}}, {}},
                      VisibilityCase{"OwnTheme", {3}, {}, {3}},
                      VisibilityCase{"DirectLink", {2}, {{1, 2}}, {1, 2}},
                      VisibilityCase{"LinkToEntryWithoutVisibleTheme", {}, {{1, 2}}, {}},
                      VisibilityCase{"ChainDoesNotPassThroughTheMiddle", {3}, {{1, 2}, {2, 3}}, {2, 3}},
                      VisibilityCase{"LaterLinkCounts", {4}, {{1, 2}, {1, 4}}, {1, 4}},
                      VisibilityCase{"LinkToMissingEntryIsPassedOver", {4}, {{1, 99}, {1, 4}}, {1, 4}},
                      VisibilityCase{"LinkBackward", {1}, {{4, 1}}, {1, 4}}),
    [](const ::testing::TestParamInfo<VisibilityCase>& info) { return std::string(info.param.name); });

TEST(AlphabeticalIndex, CalculeVisibiliteCountsVisibleThemesAndShowsLettersWithAVisibleEntry)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddEntree(2, "Mise en page"));
    ASSERT_TRUE(index.AddEntree(3, "Police"));
    ASSERT_TRUE(index.AddTheme(2, 20, 7, 0, "a", "0"));
    ASSERT_TRUE(index.AddTheme(2, 21, 7, 0, "b", "0"));
    ASSERT_TRUE(index.AddTheme(2, 22, 8, 0, "c", "0"));
    ASSERT_TRUE(index.AddTheme(3, 30, 8, 0, "d", "0"));

    index.SetThemVisible(7, 1, "L");
    index.CalculeVisibilite(5);

    EXPECT_EQ(index.EntreeIndexById(2)->NbThemeVisible(), 2);
    EXPECT_EQ(index.EntreeIndexById(3)->NbThemeVisible(), 0);
    EXPECT_FALSE(index.EntreeIndexById(1)->Visible());
    EXPECT_TRUE(index.EntreeIndexById(2)->Visible());
    EXPECT_EQ(visibleLetters(index), "M");
}

TEST(AlphabeticalIndex, CalculeVisibiliteNeverHidesAnything)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    index.EntreeIndexById(1)->Visible(true);
    index.LettreIndex("Z")->Visible(true);

    index.CalculeVisibilite(5);

    EXPECT_TRUE(index.EntreeIndexById(1)->Visible());
    EXPECT_EQ(visibleLetters(index), "MZ");
}

TEST(AlphabeticalIndex, InitMasqueWithoutAMaskChangesNothing)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddTheme(1, 10, 7, 0, "a", "0"));
    index.SetThemVisible(7, 1, "L");

    EXPECT_TRUE(index.InitMasque());

    EXPECT_TRUE(index.GetThemeById(10)->Visible());
    EXPECT_EQ(index.IdParcoursMasque(), -1);
}

TEST(AlphabeticalIndex, InitMasqueHidesEverythingAfterAMask)
{
    AppliIndex index;
    ASSERT_TRUE(index.AddEntree(1, "Marges"));
    ASSERT_TRUE(index.AddEntree(2, "Zoom"));
    ASSERT_TRUE(index.AddTheme(1, 10, 7, 0, "a", "0"));
    ASSERT_TRUE(index.AddLien(2, 1));
    index.SetThemVisible(7, 1, "L");
    index.CalculeVisibilite(5);
    ASSERT_EQ(visibleLetters(index), "MZ");

    EXPECT_TRUE(index.InitMasque());

    EXPECT_EQ(index.IdParcoursMasque(), -1);
    EXPECT_FALSE(index.GetThemeById(10)->Visible());
    EXPECT_FALSE(index.EntreeIndexById(1)->Visible());
    EXPECT_FALSE(index.EntreeIndexById(2)->Visible());
    EXPECT_EQ(visibleLetters(index), "");
}

// A small index of a word processor, masked for two paths in turn as the host does it.
TEST(AlphabeticalIndex, BuildsAndMasksAnIndexForOnePathAfterAnother)
{
    AppliIndex index;
    const struct {
        long id;
        const char* label;
    } entrees[] = {{1, "Copier"}, {2, "coller"}, {3, "Marges"}, {4, "Mise en page"}, {5, "Tableau"}, {6, "[Ctrl]"}};
    for (const auto& e : entrees)
        ASSERT_TRUE(index.AddEntree(e.id, QString::fromUtf8(e.label)));
    ASSERT_TRUE(index.AddTheme(1, 11, 70, 0, "Copier du texte", "00:00:05"));
    ASSERT_TRUE(index.AddTheme(2, 21, 70, 0, "Coller du texte", "00:00:40"));
    ASSERT_TRUE(index.AddTheme(3, 31, 80, 81, "Marges", "00:01:00"));
    ASSERT_TRUE(index.AddTheme(5, 51, 90, 0, "Insérer un tableau", "00:00:00"));
    ASSERT_TRUE(index.AddLien(4, 3));
    ASSERT_TRUE(index.AddLien(6, 1));
    index.Loaded(true);

    // Path 5 uses videos 70 (lesson of question 12) and 80 (solution of question 13).
    EXPECT_TRUE(index.InitMasque());
    index.SetThemVisible(70, 12, "L");
    index.SetThemVisible(80, 13, "C");
    index.CalculeVisibilite(5);

    EXPECT_EQ(index.IdParcoursMasque(), 5);
    EXPECT_EQ(visibleLetters(index), "CM[");
    EXPECT_TRUE(index.EntreeIndexById(4)->Visible());
    EXPECT_FALSE(index.EntreeIndexById(5)->Visible());
    EXPECT_EQ(index.GetThemeById(31)->IdQuestion(), 13);
    EXPECT_EQ(index.GetThemeById(31)->TypeVideo(), "C");
    EXPECT_EQ(index.LettreIndex("C")->EntreeIndexByIndex(2)->ThemeByIndex(1)->Debut(), "00:00:40");

    // Path 6 uses video 90 only.
    EXPECT_TRUE(index.InitMasque());
    index.SetThemVisible(90, 14, "L");
    index.CalculeVisibilite(6);

    EXPECT_EQ(index.IdParcoursMasque(), 6);
    EXPECT_EQ(visibleLetters(index), "T");
    for (const long id : {1L, 2L, 3L, 4L, 6L})
        EXPECT_FALSE(index.EntreeIndexById(id)->Visible()) << id;
    EXPECT_EQ(index.EntreeIndexById(1)->NbThemeVisible(), 0);
    EXPECT_EQ(index.EntreeIndexById(5)->NbThemeVisible(), 1);
    EXPECT_TRUE(index.Loaded());
}

}  // namespace
