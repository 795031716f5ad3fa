#include "lumaro/ModelFixture.h"

#include "lumaro/model/ExoApp.h"
#include "lumaro/model/Video.h"

#include <gtest/gtest.h>

namespace {

using namespace lumaro;
using lumaro_test::ModelTest;

TEST(Video, SequencesAreAppendedInPlayingOrder)
{
    Video video;
    EXPECT_EQ(video.addSeq("00:00:10", "<VIDEO/>", 5), 1);
    EXPECT_EQ(video.addSeq("00:01:20.500", "<LIVRE/>", 7), 2);
    EXPECT_EQ(video.addSeq("00:00:05", "", 5), 3);
    EXPECT_EQ(video.TempsSeq(), (QStringList{"00:00:10", "00:01:20.500", "00:00:05"}));
    EXPECT_EQ(video.HtmSeq(), (QStringList{"<VIDEO/>", "<LIVRE/>", ""}));
    EXPECT_EQ(video.IdSeq(2), 5);
    EXPECT_EQ(video.IdSeq(3), -1);
    EXPECT_EQ(video.IdSeq(-1), -1);
}

TEST(Video, StartOfASequenceIsItsFirstEightCharacters)
{
    Video video;
    EXPECT_EQ(video.DebutDUneSeq(0), "00:00:00");
    video.addSeq("00:00:10", "", 1);
    video.addSeq("00:01:20.500", "", 2);
    struct Case {
        long index;
        const char* start;
    };
    for (const Case& c : {Case{0, "00:00:10"}, Case{1, "00:01:20"}, Case{-1, "00:00:00"}, Case{2, "00:00:00"}})
        EXPECT_EQ(video.DebutDUneSeq(c.index), c.start) << c.index;
}

TEST(Video, SequenceByIdentifierGivesTheFirstMatchAndItsIndex)
{
    Video video;
    long missing = 3;
    EXPECT_EQ(video.DebutDUneSeqByIdSeq(missing), "00:00:00");
    EXPECT_EQ(missing, -1);

    const char* starts[] = {"00:00:01", "00:00:02", "00:00:03x", "00:00:04", "00:00:05"};
    const long ids[] = {1, 2, 9, 4, 9};
    for (int i = 0; i < 5; ++i)
        video.addSeq(starts[i], "", ids[i]);
    long id = 9;
    EXPECT_EQ(video.DebutDUneSeqByIdSeq(id), "00:00:03");
    EXPECT_EQ(id, 2);
    id = 8;
    EXPECT_EQ(video.DebutDUneSeqByIdSeq(id), "00:00:00");
    EXPECT_EQ(id, -1);
}

using ExoAppTest = ModelTest;

TEST_F(ExoAppTest, FilesAreReadOneBased)
{
    ExoApp exoApp(context);
    exoApp.AddFichier("a.xls");
    exoApp.AddFichier("b.doc");
    EXPECT_EQ(exoApp.NbFichiers(), 2);
    EXPECT_EQ(exoApp.Fichier(2), "b.doc");
    EXPECT_EQ(exoApp.Fichier(3), QString());
    EXPECT_EQ(context.lastError.takeNumber(), platform::SubscriptOutOfRange);
    EXPECT_EQ(exoApp.Fichier(0), QString());
}

TEST_F(ExoAppTest, ClosingGoesToTheComponentAndReportsItsFailure)
{
    const auto component = registerFake();
    ExoApp exoApp(context);
    exoApp.Fermer();
    EXPECT_EQ(context.lastError.takeNumber(), platform::ObjectNotSet);

    auto dll = std::make_shared<Dll>(context);
    dll->Nom("Tableur");
    ASSERT_TRUE(dll->ChargeDll());
    exoApp.Dll(dll);
    exoApp.Fermer();
    EXPECT_EQ(component->calls, QStringList{"4"});
    EXPECT_EQ(context.lastError.takeNumber(), 0);

    component->missing = {4};
    exoApp.Fermer();
    EXPECT_EQ(context.lastError.takeNumber(), platform::MemberNotSupported);

    exoApp.Destroy();
    EXPECT_EQ(exoApp.Dll(), nullptr);
}

}  // namespace
