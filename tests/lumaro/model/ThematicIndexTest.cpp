#include "lumaro/model/EntreePrincipale.h"
#include "lumaro/model/IndexThematique.h"
#include "lumaro/model/LettresEntrees.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using lumaro::IndexThematique;

// The entry identifiers filed under a letter, in order.
std::vector<long> entreesOf(const IndexThematique& index, long code)
{
    std::vector<long> ids;
    const auto lettre = index.Lettre(code);
    if (!lettre)
        return ids;
    for (long i = 1; i <= lettre->NbEntreePrincipale(); ++i)
        ids.push_back(lettre->EntreePrincipale(i));
    return ids;
}

std::vector<long> themesOf(const IndexThematique& index, long idEntree)
{
    std::vector<long> ids;
    const auto entree = index.EntreePrincipale(idEntree);
    for (long i = 1; entree && i <= entree->NbThemes(); ++i)
        ids.push_back(entree->Themes(i));
    return ids;
}

TEST(ThematicIndex, StartsEmpty)
{
    const IndexThematique index;
    EXPECT_EQ(index.NbLettres(), 0);
    EXPECT_FALSE(index.Initialise());
    EXPECT_EQ(index.Lettre(65), nullptr);
    EXPECT_EQ(index.EntreePrincipale(1), nullptr);
    EXPECT_FALSE(index.SeqThematique(1).has_value());
    EXPECT_FALSE(index.SeqThematiqueByType(1).has_value());
}

TEST(ThematicIndex, InitLettresMakesOneLetterPerCodeWithItsArrayIndex)
{
    const struct {
        long lowerBound;
        std::vector<long> expectedIndexes;
    } cases[] = {{0, {0, 1, 2}}, {1, {1, 2, 3}}};
    for (const auto& c : cases) {
        IndexThematique index;
        EXPECT_TRUE(index.InitLettres({65, 66, 67}, c.lowerBound));
        EXPECT_EQ(index.NbLettres(), 3);
        for (std::size_t i = 0; i < 3; ++i) {
            const auto lettre = index.Lettre(65 + long(i));
            ASSERT_NE(lettre, nullptr);
            EXPECT_EQ(lettre->Lettre(), QString(QChar(char16_t(65 + i))));
            EXPECT_EQ(lettre->IndexTableauSource(), c.expectedIndexes[i]) << "lower bound " << c.lowerBound;
            EXPECT_EQ(lettre->NbEntreePrincipale(), 0);
        }
    }
}

TEST(ThematicIndex, InitLettresRefusesABadCodeBeforeAddingAnyLetter)
{
    const struct {
        const char* name;
        std::vector<long> codes;
    } cases[] = {{"repeated", {65, 66, 65}},   {"negative", {65, -1}},
                 {"surrogate", {65, 0xD800}},  {"beyond Unicode", {65, 0x110000}},
                 {"already held", {67, 90}}};
    for (const auto& c : cases) {
        IndexThematique index;
        ASSERT_TRUE(index.InitLettres({90}));
        ASSERT_TRUE(index.InitLettres({67}));

        EXPECT_FALSE(index.InitLettres(c.codes)) << c.name;

        EXPECT_EQ(index.Lettre(65), nullptr) << c.name;
        EXPECT_EQ(index.Lettre(66), nullptr) << c.name;
        EXPECT_EQ(index.NbLettres(), 2) << c.name;
    }
}

TEST(ThematicIndex, InitLettresAddsToTheLettersAlreadyHeld)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65, 66}));
    EXPECT_TRUE(index.InitLettres({67}));
    EXPECT_EQ(index.NbLettres(), 3);
    EXPECT_EQ(index.Lettre(67)->IndexTableauSource(), 0);
    EXPECT_TRUE(index.InitLettres({}));
    EXPECT_EQ(index.NbLettres(), 3);
}

struct LibelleCase {
    const char* libelle;
    long code;  // the letter the entry is filed under; 0: refused
};

class AddEntreePrincipaleByLabel : public ::testing::TestWithParam<LibelleCase> {};

TEST_P(AddEntreePrincipaleByLabel, FilesTheEntryUnderTheExactCodeOfItsFirstCharacter)
{
    const LibelleCase c = GetParam();
    const QString libelle = QString::fromUtf8(c.libelle);
    IndexThematique index;
    // "A", "É", "😀" (outside the basic plane), "1".
    ASSERT_TRUE(index.InitLettres({65, 201, 0x1F600, 49}, 1));

    const bool added = index.addEntreePrincipale(7, libelle);

    EXPECT_EQ(added, c.code != 0) << c.libelle;
    if (c.code != 0) {
        EXPECT_EQ(entreesOf(index, c.code), std::vector<long>{7});
        const auto entree = index.EntreePrincipale(7);
        ASSERT_NE(entree, nullptr);
        EXPECT_EQ(entree->IdEntree(), 7);
        EXPECT_EQ(entree->Libelle(), libelle);
        EXPECT_EQ(entree->IndexTableauSource(), index.Lettre(c.code)->IndexTableauSource());
        EXPECT_EQ(entree->NbPointeVers(), 0);
        EXPECT_EQ(entree->NbThemes(), 0);
    } else {
        EXPECT_EQ(index.EntreePrincipale(7), nullptr);
        for (const long code : {65L, 201L, 0x1F600L, 49L})
            EXPECT_TRUE(entreesOf(index, code).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(ThematicLabels, AddEntreePrincipaleByLabel,
                         ::testing::Values(LibelleCase{"Abaque", 65}, LibelleCase{"abc", 0},
                                           LibelleCase{"École", 201}, LibelleCase{"école", 0},
                                           LibelleCase{"😀 Émoticônes", 0x1F600}, LibelleCase{"1er", 49},
                                           LibelleCase{"", 0}, LibelleCase{"Zoom", 0}),
    [](const ::testing::TestParamInfo<LibelleCase>& info) { return testsupport::caseName(QString::fromUtf8(info.param.libelle)); });

TEST(ThematicIndex, LetterOfACharacterOutsideTheBasicPlaneIsThatOneCharacter)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({0x1F600}));
    EXPECT_EQ(index.Lettre(0x1F600)->Lettre(), QString::fromUtf8("😀"));
    // Its first UTF-16 unit alone names no letter.
    EXPECT_EQ(index.Lettre(0xD83D), nullptr);
}

TEST(ThematicIndex, RefusedEntryLeavesNothingBehind)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65, 66}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));

    EXPECT_FALSE(index.addEntreePrincipale(1, "Beta"));
    EXPECT_TRUE(entreesOf(index, 66).empty());
    EXPECT_EQ(index.EntreePrincipale(1)->Libelle(), "Alpha");
    EXPECT_EQ(entreesOf(index, 65), std::vector<long>{1});

    // A label without a letter records nothing, so the identifier stays free.
    EXPECT_FALSE(index.addEntreePrincipale(2, "Gamma"));
    EXPECT_TRUE(index.addEntreePrincipale(2, "Beta"));
    EXPECT_EQ(entreesOf(index, 66), std::vector<long>{2});
}

TEST(ThematicIndex, AddPointeVersKeepsAnyTargetInOrder)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));

    EXPECT_FALSE(index.addPointeVers(2, 1));
    EXPECT_TRUE(index.addPointeVers(1, 3));
    EXPECT_TRUE(index.addPointeVers(1, 3));
    EXPECT_TRUE(index.addPointeVers(1, 1));

    const auto entree = index.EntreePrincipale(1);
    EXPECT_EQ(entree->NbPointeVers(), 3);
    EXPECT_EQ(entree->PointeVers(1), 3);
    EXPECT_EQ(entree->PointeVers(2), 3);
    EXPECT_EQ(entree->PointeVers(3), 1);
}

TEST(ThematicIndex, ListPositionsOutsideTheirRangeGiveMinusOne)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));
    ASSERT_TRUE(index.addPointeVers(1, 2));
    ASSERT_TRUE(index.addSeqThematique(1, 0, "t", "0", 7, 0, 12, 500));
    const auto lettre = index.Lettre(65);
    const auto entree = index.EntreePrincipale(1);

    const struct {
        const char* list;
        long count;
        std::function<long(long)> at;
    } lists[] = {
        {"LettresEntrees.EntreePrincipale", lettre->NbEntreePrincipale(),
         [&](long i) { return lettre->EntreePrincipale(i); }},
        {"PointeVers", entree->NbPointeVers(), [&](long i) { return entree->PointeVers(i); }},
        {"Themes", entree->NbThemes(), [&](long i) { return entree->Themes(i); }},
    };
    for (const auto& l : lists) {
        ASSERT_EQ(l.count, 1) << l.list;
        EXPECT_NE(l.at(1), -1) << l.list;
        EXPECT_EQ(l.at(0), -1) << l.list;
        EXPECT_EQ(l.at(l.count + 1), -1) << l.list;
        EXPECT_EQ(l.at(-5), -1) << l.list;
    }
}

TEST(ThematicIndex, SequenceRecordsAreKeptByLinkAndReadAsCopies)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));

    ASSERT_TRUE(index.addSeqThematiqueByType(1, 9, "Thème", "00:02:10", 7, 71, 12, 500, "C"));
    ASSERT_TRUE(index.addSeqThematique(1, 9, "Leçon", "00:00:00", 8, 0, 13, 501));

    const lumaro::tSeqThematiqueByType expected{"Thème", "00:02:10", 7, 12, 71, "C"};
    EXPECT_EQ(index.SeqThematiqueByType(500), expected);
    EXPECT_EQ(index.SeqThematique(500), (lumaro::tSeqThematique{"Thème", "00:02:10", 7, 12, 71}));
    EXPECT_EQ(index.SeqThematiqueByType(501)->sTypeVideo, "L");
    // The sequence identifier is not a key.
    EXPECT_FALSE(index.SeqThematique(9).has_value());

    auto copy = *index.SeqThematiqueByType(500);
    copy.sTheme = "changé";
    EXPECT_EQ(index.SeqThematiqueByType(500), expected);
}

TEST(ThematicIndex, RepeatedLinkKeepsTheFirstRecordAndListsTheLinkTwice)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65, 66}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));
    ASSERT_TRUE(index.addEntreePrincipale(2, "Beta"));

    ASSERT_TRUE(index.addSeqThematique(1, 0, "premier", "0", 7, 0, 12, 500));
    EXPECT_TRUE(index.addSeqThematique(1, 0, "second", "0", 8, 0, 13, 500));
    EXPECT_TRUE(index.addSeqThematique(2, 0, "troisième", "0", 9, 0, 14, 500));

    EXPECT_EQ(index.SeqThematique(500)->sTheme, "premier");
    EXPECT_EQ(themesOf(index, 1), (std::vector<long>{500, 500}));
    EXPECT_EQ(themesOf(index, 2), std::vector<long>{500});
}

TEST(ThematicIndex, SequenceOfAMissingEntryRecordsNothing)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65}));

    EXPECT_FALSE(index.addSeqThematiqueByType(1, 0, "orphelin", "0", 7, 0, 12, 500, "L"));
    EXPECT_FALSE(index.addSeqThematique(1, 0, "orphelin", "0", 7, 0, 12, 501));

    EXPECT_FALSE(index.SeqThematique(500).has_value());
    EXPECT_FALSE(index.SeqThematique(501).has_value());
}

TEST(ThematicIndex, DestroyEmptiesTheIndex)
{
    IndexThematique index;
    ASSERT_TRUE(index.InitLettres({65}));
    ASSERT_TRUE(index.addEntreePrincipale(1, "Alpha"));
    ASSERT_TRUE(index.addSeqThematique(1, 0, "t", "0", 7, 0, 12, 500));

    index.Destroy();

    EXPECT_EQ(index.Lettre(65), nullptr);
    EXPECT_EQ(index.EntreePrincipale(1), nullptr);
    EXPECT_FALSE(index.SeqThematique(500).has_value());
    EXPECT_EQ(index.NbLettres(), 0);
    // Once emptied, the index can be filled again.
    EXPECT_TRUE(index.InitLettres({65}));
    EXPECT_TRUE(index.addEntreePrincipale(1, "Alpha"));
    EXPECT_EQ(entreesOf(index, 65), std::vector<long>{1});
}

// A training path's index as a host fills it and then reads it back for display.
TEST(ThematicIndex, BuildsAndReadsBackAnIndexAsTheHostDisplaysIt)
{
    IndexThematique index;
    const std::vector<long> codes = {u'É', u'M', u'T'};
    ASSERT_TRUE(index.InitLettres(codes));
    ASSERT_TRUE(index.addEntreePrincipale(10, "Mise en forme"));
    ASSERT_TRUE(index.addEntreePrincipale(11, "Marges"));
    ASSERT_TRUE(index.addEntreePrincipale(20, "Tableaux"));
    ASSERT_TRUE(index.addEntreePrincipale(30, "Écrire une lettre"));
    ASSERT_TRUE(index.addPointeVers(11, 10));
    ASSERT_TRUE(index.addPointeVers(30, 10));
    ASSERT_TRUE(index.addPointeVers(30, 20));
    ASSERT_TRUE(index.addSeqThematique(11, 1, "Régler les marges", "00:01:00", 70, 71, 12, 1001));
    ASSERT_TRUE(index.addSeqThematiqueByType(20, 2, "Insérer un tableau", "00:00:30", 80, 0, 13, 1002, "C"));
    ASSERT_TRUE(index.addSeqThematiqueByType(20, 3, "Fusionner", "00:03:00", 80, 0, 13, 1003, "C"));
    index.Initialise(true);

    // The host walks its own letter array and finds each letter by its code.
    ASSERT_EQ(index.NbLettres(), 3);
    QString display;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto lettre = index.Lettre(codes[i]);
        ASSERT_NE(lettre, nullptr);
        ASSERT_EQ(lettre->IndexTableauSource(), long(i));
        display += lettre->Lettre() + "\n";
        for (long e = 1; e <= lettre->NbEntreePrincipale(); ++e) {
            const auto entree = index.EntreePrincipale(lettre->EntreePrincipale(e));
            ASSERT_NE(entree, nullptr);
            EXPECT_EQ(codes[std::size_t(entree->IndexTableauSource())], codes[i]);
            display += " " + entree->Libelle();
            for (long p = 1; p <= entree->NbPointeVers(); ++p)
                display += " > " + index.EntreePrincipale(entree->PointeVers(p))->Libelle();
            display += "\n";
            for (long t = 1; t <= entree->NbThemes(); ++t) {
                const auto seq = index.SeqThematiqueByType(entree->Themes(t));
                ASSERT_TRUE(seq.has_value());
                display += QStringLiteral("  %1 %2 v%3 q%4 %5\n")
                               .arg(seq->sTheme, seq->sDebut)
                               .arg(seq->lIdVideo)
                               .arg(seq->lIdQuestion)
                               .arg(seq->sTypeVideo);
            }
        }
    }

    EXPECT_EQ(display, QString::fromUtf8("É\n"
                                         " Écrire une lettre > Mise en forme > Tableaux\n"
                                         "M\n"
                                         " Mise en forme\n"
                                         " Marges > Mise en forme\n"
                                         "  Régler les marges 00:01:00 v70 q12 L\n"
                                         "T\n"
                                         " Tableaux\n"
                                         "  Insérer un tableau 00:00:30 v80 q13 C\n"
                                         "  Fusionner 00:03:00 v80 q13 C\n"));
    EXPECT_TRUE(index.Initialise());
}

}  // namespace
