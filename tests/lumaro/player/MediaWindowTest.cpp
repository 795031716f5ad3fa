// The media window's display: the main documents and complements of a media,
// the choice between them, their addresses, the help page, and every
// sequence description it refuses.

#include "MediaWindowFixture.h"

#include "basalo/enuFunctionReturnState.h"

#include <QFile>
#include <QSlider>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

using namespace basalo;
using testsupport::MediaWindowFixture;

class MediaWindowTest : public MediaWindowFixture {};

TEST_F(MediaWindowTest, LessonPlaysItsMainVideoAndListsItsComplements)
{
    ASSERT_TRUE(show(lesson()));

    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->MediaOpenedForHelpViewer());
    EXPECT_EQ(player.calls(), QStringList({"open " + local("lecon12.avi").toString(), "play"}));
    EXPECT_TRUE(window->MoviePlayer()->isVisible());
    EXPECT_TRUE(widget("picMplayerControl")->isVisible());
    EXPECT_TRUE(widget("sldAvancement")->isVisible());
    EXPECT_FALSE(window->HTMLViewer()->isVisible());
    EXPECT_TRUE(window->isTimerVideoActive());
    EXPECT_TRUE(window->pibMediaIsPlaying());
    EXPECT_EQ(playLooks(), (std::vector<long>{2, 1, 1}));

    ASSERT_TRUE(complements().isVisible());
    ASSERT_EQ(complements().count(), 3);
    EXPECT_EQ(complements().itemText(0), QStringLiteral("Compléments..."));
    EXPECT_EQ(complements().itemText(1), QStringLiteral("Copier et coller"));
    EXPECT_EQ(complements().itemText(2), QStringLiteral("Les raccourcis clavier"));
    EXPECT_EQ(complements().itemData(0).toLongLong(), -1);
    EXPECT_EQ(complements().itemData(2).toLongLong(), 2);
    EXPECT_EQ(complements().currentIndex(), 0);

    // Only one kind of main document: no choice between them, no help over it.
    EXPECT_FALSE(widget("kavbtnVideo")->isVisible());
    EXPECT_FALSE(widget("kavbtnLivre")->isVisible());
    EXPECT_FALSE(widget("kavbtnAide")->isVisible());
    EXPECT_EQ(widget("kavbtnVideo")->toolTip(), QStringLiteral("Voir la vidéo de la leçon"));

    // The player at 800 x 550 in the middle of the area above the bar.
    EXPECT_EQ(widget("fraZoneLecteur")->geometry(), QRect(112, 718, 801, 45));
    EXPECT_EQ(window->MoviePlayer()->geometry(), QRect(112, 84, 800, 550));
}

TEST_F(MediaWindowTest, ChoosingAComplementShowsItsBookAndTheVideoComesBack)
{
    ASSERT_TRUE(show(lesson()));
    player.clearCalls();

    complements().setCurrentIndex(2);
    window->cmbComplements_Click();
    EXPECT_EQ(window->pilIndexEnCours(), 2);
    EXPECT_TRUE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(window->HTMLViewer()->geometry(), QRect(0, 0, 1024, 718));
    EXPECT_EQ(window->viewerAddress(), local("raccourcis.htm"));
    EXPECT_FALSE(window->MoviePlayer()->isVisible());
    EXPECT_FALSE(widget("picMplayerControl")->isVisible());
    EXPECT_FALSE(window->isTimerVideoActive());
    EXPECT_EQ(player.calls(), QStringList({"close"}));
    EXPECT_TRUE(window->isEnabled());

    // The first entry of the list chooses nothing; the same complement again changes nothing.
    complements().setCurrentIndex(0);
    window->cmbComplements_Click();
    complements().setCurrentIndex(2);
    window->OptChoix_Click(2);
    EXPECT_EQ(window->pilIndexEnCours(), 2);
    EXPECT_EQ(player.calls(), QStringList({"close"}));

    window->OptChoix_Click(0);
    EXPECT_EQ(window->pilIndexEnCours(), 0);
    EXPECT_TRUE(window->MoviePlayer()->isVisible());
    EXPECT_FALSE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(complements().currentIndex(), 0);
    EXPECT_EQ(player.calls().mid(1), QStringList({"open " + local("lecon12.avi").toString(), "play"}));
    EXPECT_TRUE(window->isTimerVideoActive());
}

TEST_F(MediaWindowTest, DocumentAddressesFollowTheMode)
{
    const auto shown = media({{QStringLiteral("00:00:00"), video(QStringLiteral("leçon 12"))},
                              {QStringLiteral("02:00:00"), book(QStringLiteral("copier coller"), QStringLiteral("C"))}});

    ASSERT_TRUE(window->Affiche(shown, 0, dir(), QStringLiteral(".avi"), lumaro::TypeLecon));
    EXPECT_EQ(player.address(), local("leçon 12.avi"));
    complements().setCurrentIndex(1);
    window->cmbComplements_Click();
    EXPECT_EQ(window->viewerAddress(), local("copier coller.htm"));

    // Internet mode: one server base per kind of document, names percent-encoded.
    window->MediaInet(true);
    window->URLMediaVideo(QStringLiteral("http://127.0.0.1:8080/Media/Video/"));
    window->URLMediaLivre(QStringLiteral("http://127.0.0.1:8080/Media/Livres/"));
    ASSERT_TRUE(window->Affiche(shown, 0, dir(), QStringLiteral(".avi"), lumaro::TypeLecon));
    EXPECT_EQ(player.address().toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:8080/Media/Video/le%C3%A7on%2012.avi"));
    complements().setCurrentIndex(1);
    window->cmbComplements_Click();
    EXPECT_EQ(window->viewerAddress().toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:8080/Media/Livres/copier%20coller.htm"));
}

TEST_F(MediaWindowTest, LocalNamesAreFoundWhateverTheirCase)
{
    writeFile(QStringLiteral("Media/Lecon12.AVI"), "clip");
    const auto shown = media({{QStringLiteral("00:00:00"), video(QStringLiteral("lecon12"))}});
    ASSERT_TRUE(window->Affiche(shown, 0, dir() + QStringLiteral("media/"), QStringLiteral(".avi"), lumaro::TypeLecon));
    EXPECT_EQ(player.address(), local("Media/Lecon12.AVI"));
}

TEST_F(MediaWindowTest, SolutionWithOnlyABookShowsItAlone)
{
    const auto solution = media({{QStringLiteral("00:00:00"), book(QStringLiteral("corrige-couper"))}});
    ASSERT_TRUE(show(solution, 0, lumaro::TypeCorrige));

    EXPECT_TRUE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(window->viewerAddress(), local("corrige-couper.htm"));
    EXPECT_FALSE(window->MoviePlayer()->isVisible());
    EXPECT_FALSE(widget("picMplayerControl")->isVisible());
    EXPECT_FALSE(complements().isVisible());
    EXPECT_FALSE(widget("kavbtnLivre")->isVisible());
    EXPECT_EQ(widget("kavbtnLivre")->toolTip(), QStringLiteral("Lire le corrigé"));
    EXPECT_TRUE(player.calls().isEmpty());
    EXPECT_FALSE(window->isTimerVideoActive());
}

TEST_F(MediaWindowTest, MainVideoAndMainBookOfferTheChoiceBetweenThem)
{
    ASSERT_TRUE(show(videoAndBook()));
    EXPECT_TRUE(widget("kavbtnVideo")->isVisible());
    EXPECT_TRUE(widget("kavbtnLivre")->isVisible());
    EXPECT_TRUE(widget("kavbtnAide")->isVisible());
    EXPECT_EQ(position("kavbtnVideo"), 2);
    EXPECT_EQ(position("kavbtnLivre"), 1);

    player.clearCalls();
    window->OptChoix_Click(1);
    EXPECT_EQ(window->pilIndexEnCours(), 1);
    EXPECT_EQ(window->viewerAddress(), local("copier-coller.htm"));
    EXPECT_EQ(player.calls(), QStringList({"close"}));
    EXPECT_EQ(position("kavbtnVideo"), 1);
    EXPECT_EQ(position("kavbtnLivre"), 2);

    window->OptChoix_Click(1);
    EXPECT_EQ(player.calls(), QStringList({"close"}));
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MediaWindowTest, KindsOfSequenceFollowTheirStartValues)
{
    // Sequences 0 and 1 both books: the second is the main book. A complement
    // starts above 1; a later sequence at 1 is neither main nor complement.
    const auto shown = media({{QStringLiteral("00:00:00"), book(QStringLiteral("a"))},
                              {QStringLiteral("01:00:00"), book(QStringLiteral("b"))},
                              {QStringLiteral("1.5"), book(QStringLiteral("c"), QStringLiteral("C"))},
                              {QStringLiteral("10"), book(QStringLiteral("d"), QStringLiteral("D"))},
                              {QStringLiteral("01:00:00"), book(QStringLiteral("e"))},
                              {QStringLiteral("pas de nombre"), book(QStringLiteral("f"))}});
    ASSERT_TRUE(show(shown, 1));
    ASSERT_EQ(complements().count(), 3);
    EXPECT_EQ(complements().itemText(1), QStringLiteral("C"));
    EXPECT_EQ(complements().itemText(2), QStringLiteral("D"));

    // Starting on a complement selects its entry; one that starts below 2
    // puts the book button down like a main book, one at 2 or more does not.
    ASSERT_TRUE(show(shown, 3));
    EXPECT_EQ(complements().currentIndex(), 2);
    EXPECT_EQ(position("kavbtnLivre"), 1);
    ASSERT_TRUE(show(shown, 2));
    EXPECT_EQ(complements().currentIndex(), 1);
    EXPECT_EQ(position("kavbtnLivre"), 2);
    // A sequence that is neither can still be the start document.
    ASSERT_TRUE(show(shown, 5));
    EXPECT_EQ(window->viewerAddress(), local("f.htm"));
}

TEST_F(MediaWindowTest, TitleAttributeIsFoundInEitherSpellingAndTheRewriteReachesValues)
{
    // Course data was written with "title=" too: the reader takes it for
    // "Title=", everywhere in the text, values included.
    const auto shown =
        media({{QStringLiteral("00:00:00"),
                QStringLiteral("<LIVRE><FILE FileName=\"notes-title=1\" Extension=\".htm\"/></LIVRE>")},
               {QStringLiteral("02:00:00"),
                QStringLiteral("<LIVRE><FILE FileName=\"x\" Extension=\".htm\" title=\"Écrit en minuscules\"/></LIVRE>")}});
    ASSERT_TRUE(show(shown));
    EXPECT_EQ(complements().itemText(1), QStringLiteral("Écrit en minuscules"));
    EXPECT_EQ(window->viewerAddress(), local("notes-Title=1.htm"));
}

TEST_F(MediaWindowTest, PlayerSizeComesFromWidthAndHeightTogether)
{
    struct Case {
        const char* more;
        QSize size;
    };
    const Case cases[] = {
        {" Width=\"320\" Height=\"240\"", QSize(320, 240)},
        {"", QSize(800, 550)},
        {" Width=\"320\"", QSize(800, 550)},
        {" Height=\"240\"", QSize(800, 550)},
        {" Width=\"large\" Height=\"240\"", QSize(800, 550)},
        {" Width=\"-320\" Height=\"240\"", QSize(800, 550)},
    };
    for (const auto& c : cases) {
        const auto shown =
            media({{QStringLiteral("00:00:00"),
                    video(QStringLiteral("v"), QStringLiteral("00:01:00"), QString::fromLatin1(c.more))}});
        ASSERT_TRUE(show(shown)) << c.more;
        EXPECT_EQ(window->MoviePlayer()->size(), c.size) << c.more;
        EXPECT_EQ(window->MoviePlayer()->x(), (1024 - c.size.width()) / 2) << c.more;
        EXPECT_EQ(context.pulStateEnCours, enuFunctionReturnState_General_Traitement_OK) << c.more;
    }
}

TEST_F(MediaWindowTest, RefusedDescriptionsLeaveTheirCodeAndPlayNothing)
{
    struct Case {
        const char* name;
        QString first;      // sequence 0
        QString complement; // sequence 1, started at 2, when not empty
        long code;
    };
    const QString goodBook = book(QStringLiteral("livre"));
    const Case cases[] = {
        {"not XML", QStringLiteral("<VIDEO><FILE FileName=\"v\""), {}, 22534},
        {"root without child", QStringLiteral("<VIDEO/>"), {}, 22536},
        {"child not FILE", QStringLiteral("<VIDEO><FICHIER FileName=\"v\" Duree=\"00:01:00\"/></VIDEO>"), {}, 22537},
        {"declaration first", "<?xml version=\"1.0\"?>" + video(QStringLiteral("v")), {}, 22543},
        {"comment first", "<!-- video -->" + video(QStringLiteral("v")), {}, 22543},
        {"root of another case", QStringLiteral("<Livre><FILE FileName=\"l\" Extension=\".htm\"/></Livre>"), {}, 22543},
        {"video without duration", QStringLiteral("<VIDEO><FILE FileName=\"v\"/></VIDEO>"), {}, 22538},
        {"video without file name", QStringLiteral("<VIDEO><FILE Duree=\"00:01:00\"/></VIDEO>"), {}, 22546},
        {"zero duration", video(QStringLiteral("v"), QStringLiteral("00:00:00")), {}, 22561},
        {"duration not a time", video(QStringLiteral("v"), QStringLiteral("deux minutes")), {}, 22561},
        {"duration past a day", video(QStringLiteral("v"), QStringLiteral("25:00:00")), {}, 22561},
        {"video leaving the folder", video(QStringLiteral("../../etc/v")), {}, 22546},
        {"video by absolute path", video(QStringLiteral("/tmp/v")), {}, 22546},
        {"book leaving the folder", book(QStringLiteral("..\\secret")), {}, 22546},
        {"book without extension", QStringLiteral("<LIVRE><FILE FileName=\"l\"/></LIVRE>"), {}, 22538},
        {"complement without title", goodBook, book(QStringLiteral("c")), 22538},
        {"complement with TITLE", goodBook,
         QStringLiteral("<LIVRE><FILE FileName=\"c\" Extension=\".htm\" TITLE=\"C\"/></LIVRE>"), 22538},
        {"complement that is a video", goodBook, video(QStringLiteral("c")), 22540},
        {"complement after a declaration", goodBook, "<?xml version=\"1.0\"?>" + book(QStringLiteral("c"), "C"), 22540},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<QString, QString>> sequences{{QStringLiteral("00:00:00"), c.first}};
        if (!c.complement.isEmpty())
            sequences.emplace_back(QStringLiteral("02:00:00"), c.complement);
        player.clearCalls();
        EXPECT_FALSE(show(media(sequences))) << c.name;
        EXPECT_EQ(context.pulStateEnCours, c.code) << c.name;
        EXPECT_TRUE(player.calls().isEmpty()) << c.name;
        EXPECT_FALSE(window->isTimerVideoActive()) << c.name;
    }
}

TEST_F(MediaWindowTest, StartIndexOutsideTheSequencesIsRefused)
{
    EXPECT_FALSE(show(lesson(), 3));
    EXPECT_EQ(context.pulStateEnCours, enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurNbSeq);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(show(lesson()));
    EXPECT_EQ(context.pulStateEnCours, enuFunctionReturnState_General_Traitement_OK);

    // The code of the failure before does not fail the next display.
    EXPECT_FALSE(show(lesson(), -1));
    EXPECT_EQ(context.pulStateEnCours, enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), 9);

    EXPECT_FALSE(window->Affiche(nullptr, 0, dir(), QStringLiteral(".avi"), lumaro::TypeLecon));
    EXPECT_EQ(context.pulStateEnCours, enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurInconnue);
    EXPECT_EQ(context.lastError.number(), 91);
}

TEST_F(MediaWindowTest, AVideoWithoutUsableDurationIsRefusedWhenChosenAndTheBookStays)
{
    ASSERT_TRUE(show(videoAndBook(QStringLiteral("00:00:00")), 1));
    EXPECT_EQ(window->viewerAddress(), local("copier-coller.htm"));

    window->OptChoix_Click(0);
    EXPECT_EQ(window->pilIndexEnCours(), 1);
    EXPECT_TRUE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(position("kavbtnVideo"), 1);
    EXPECT_TRUE(player.calls().isEmpty());
    EXPECT_TRUE(window->isEnabled());
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().first(),
              QStringLiteral("Une erreur est survenue. Référence de l'erreur : 22561 : Durée de la vidéo nulle : 00:00:00"));
}

TEST_F(MediaWindowTest, HelpPageAloneAndBackToAMedia)
{
    window->URLHelp(QStringLiteral("http://127.0.0.1:8080/WS/pluginhelp.aspx?sessionid=1&plug_hlp=2"));
    window->AfficheHelpForKavBarre();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->MediaOpenedForHelpViewer());
    EXPECT_TRUE(window->HTMLViewer()->isVisible());
    EXPECT_EQ(window->viewerAddress(), QUrl(window->URLHelp()));
    EXPECT_FALSE(widget("picMplayerControl")->isVisible());
    EXPECT_FALSE(complements().isVisible());

    ASSERT_TRUE(show(lesson()));
    EXPECT_FALSE(window->MediaOpenedForHelpViewer());
    window->AfficheHelpForKavBarre();
    EXPECT_FALSE(window->isTimerVideoActive());
    EXPECT_FALSE(window->MoviePlayer()->isVisible());
}

TEST_F(MediaWindowTest, BarSitsInTheMiddleOfTheScreen)
{
    struct Case {
        int width;
        int left;
    };
    for (const auto& c : {Case{1024, 112}, Case{800, 0}, Case{1025, 112}, Case{1027, 114}, Case{1280, 240}}) {
        window->placeOnScreen(QSize(c.width, 600));
        EXPECT_EQ(window->pilLeftZone(), c.left) << c.width;
        EXPECT_EQ(widget("fraZoneLecteur")->pos(), QPoint(c.left, 550)) << c.width;
    }
    EXPECT_EQ(window->geometry(), QRect(0, 0, 1280, 600));
}

TEST_F(MediaWindowTest, DisplayIsTraced)
{
    context.pathParent(dir());
    context.levelTracelage(1);
    window->MediaInet(true);
    window->URLMediaVideo(QStringLiteral("http://127.0.0.1/Video/"));
    ASSERT_TRUE(show(lesson()));
    context.levelTracelage(0);

    const QString text = QString::fromUtf8(readFile(QStringLiteral("Lumaro.htm")));
    for (const char* line : {"ibMediaInet = Vrai", "isURLMediaVideo = http://127.0.0.1/Video/", "Public Function Affiche",
                             "pioVideo.NbSeq = 3", "La sequence 1 est un complément",
                             "XMLText = &lt;VIDEO&gt;&lt;FILE FileName=\"lecon12\"", "pidteDureeVideo = 00:02:00",
                             "il n' y a pas de principal secondaire",
                             "On veut afficher une video : http://127.0.0.1/Video/lecon12.avi"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
}

TEST_F(MediaWindowTest, SampleCourseMediaAreAllFound)
{
    // The course server's reply for question 1211: video records, each
    // followed by its sequences ("^" between them, start¤description¤id).
    QFile reply(QStringLiteral(SAMPLES_DIR "/server/WS/InfoVideo/1211.txt"));
    ASSERT_TRUE(reply.open(QIODevice::ReadOnly));
    const QStringList elements = QString::fromUtf8(reply.readAll()).split(QLatin1Char('|')).mid(1);
    ASSERT_EQ(elements.size(), 4);
    const QString sampleMedia = QStringLiteral(SAMPLES_DIR "/media/");
    for (qsizetype i = 0; i + 1 < elements.size(); i += 2) {
        // The lesson ("Y") shows in the media window; the solution ("C") is a
        // clip the host plays in its video player.
        const QString type = elements[i].section(QLatin1Char('^'), 3, 3);
        if (type == QLatin1String("C"))
            continue;
        const bool lecon = type == QLatin1String("Y") || type == QLatin1String("L");
        auto shown = std::make_shared<lumaro::Video>();
        for (const QString& sequence : elements[i + 1].split(QLatin1Char('^'))) {
            const QStringList fields = sequence.split(QChar(0xA4));
            ASSERT_EQ(fields.size(), 3) << sequence.toStdString();
            shown->addSeq(fields[0], fields[1], fields[2].toLong());
        }
        ASSERT_TRUE(window->Affiche(shown, 0, sampleMedia, QStringLiteral(".avi"),
                                    lecon ? lumaro::TypeLecon : lumaro::TypeCorrige))
            << elements[i].toStdString() << " " << context.pulStateEnCours;
        const QUrl shownFile = lecon ? player.address() : window->viewerAddress();
        EXPECT_TRUE(QFile::exists(shownFile.toLocalFile())) << shownFile.toString().toStdString();
        for (int entry = 1; entry < complements().count(); ++entry) {
            complements().setCurrentIndex(entry);
            window->cmbComplements_Click();
            EXPECT_TRUE(QFile::exists(window->viewerAddress().toLocalFile()))
                << window->viewerAddress().toString().toStdString();
        }
        EXPECT_EQ(complements().count(), lecon ? 3 : 1);
    }
}

}  // namespace
