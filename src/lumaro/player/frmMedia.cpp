#include "frmMedia.h"

#include "API.h"
#include "MediaSequence.h"
#include "kavMsgBoxStyle.h"

#include "basalo/enuFunctionReturnState.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Video.h"
#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"
#include "platform/Timers.h"
#include "toolkit/ButtonPictures.h"
#include "toolkit/SliderColour.h"
#include "toolkit/SliderMouse.h"
#include "toolkit/uctButton.h"
#include "tracel/ErrorLine.h"

#include <QCloseEvent>
#include <QPointer>
#include <QComboBox>
#include <QDomDocument>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <utility>

namespace lumaro {

namespace {

using namespace basalo;

const QString unitName = QStringLiteral("frmMedia");

constexpr int barWidth = 801;
constexpr int barHeight = 45;
constexpr QSize buttonSize{40, 40};

toolkit::uctButton* pictureButton(QWidget* parent, const char* name, toolkit::ButtonGlyph glyph, QPoint at)
{
    auto* button = new toolkit::uctButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setPictures(toolkit::buttonPictures(glyph, buttonSize));
    button->move(at);
    return button;
}

// "<" and ">" of a description as the HTML trace can show them.
QString traceableXml(QString text)
{
    return text.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

}  // namespace

frmMedia::frmMedia(LumaroContext& context, platform::MediaPlayer& player, platform::Timers& timers,
                   platform::MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), player_(player), boxes_(boxes)
{
    setObjectName(QStringLiteral("frmMedia"));
    imgBackground_ = new QWidget(this);
    imgBackground_->setObjectName(QStringLiteral("imgBackground"));
    imgBackground_->setAttribute(Qt::WA_StyledBackground);
    imgBackground_->setStyleSheet(QStringLiteral(
        "#imgBackground { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #24384d, stop:1 #0c141d); }"));

    MoviePlayer_ = player_.createVideoOutput(this);
    MoviePlayer_->setObjectName(QStringLiteral("MoviePlayer"));
    HTMLViewer_ = new QWebEngineView(this);
    HTMLViewer_->setObjectName(QStringLiteral("HTMLViewer"));
    buildBar();

    TimerVideo_ = timers.create(platform::Timer::Kind::Repeating, [this] { TimerVideo_Timer(); });
    connect(&player_, &platform::MediaPlayer::openStateChanged, this, [this](platform::MediaPlayer::OpenState state) {
        if (state == platform::MediaPlayer::OpenState::Open && pendingSeek_)
            player_.setPosition(*std::exchange(pendingSeek_, std::nullopt));
        else if (state != platform::MediaPlayer::OpenState::Opening)
            pendingSeek_.reset();
    });
    connect(&player_, &platform::MediaPlayer::errorOccurred, this,
            [this](platform::MediaPlayer::Error error, const QString& text) { playerFailed(error, text); });
    Form_Load();
}

frmMedia::~frmMedia()
{
    // The player outlives the window: nothing of this window's video may go on.
    TimerVideo_.reset();
    if (player_.openState() != platform::MediaPlayer::OpenState::Closed)
        player_.close();
}

void frmMedia::buildBar()
{
    using toolkit::ButtonGlyph;
    fraZoneLecteur_ = new QFrame(this);
    fraZoneLecteur_->setObjectName(QStringLiteral("fraZoneLecteur"));
    fraZoneLecteur_->resize(barWidth, barHeight);
    fraZoneLecteur_->setStyleSheet(QStringLiteral(
        "#fraZoneLecteur { background: #33475c; border: 1px solid #5d7891; border-radius: 6px; }"));

    kavbtnVideo_ = pictureButton(fraZoneLecteur_, "kavbtnVideo", ButtonGlyph::Video, {6, 2});
    kavbtnLivre_ = pictureButton(fraZoneLecteur_, "kavbtnLivre", ButtonGlyph::Book, {50, 2});
    cmbComplements_ = new QComboBox(fraZoneLecteur_);
    cmbComplements_->setObjectName(QStringLiteral("cmbComplements"));
    cmbComplements_->setGeometry(96, 10, 190, 25);

    picMplayerControl_ = new QWidget(fraZoneLecteur_);
    picMplayerControl_->setObjectName(QStringLiteral("picMplayerControl"));
    picMplayerControl_->setGeometry(294, 0, 400, barHeight);
    kavbtnPlay_ = pictureButton(picMplayerControl_, "kavbtnPlay", ButtonGlyph::Play, {0, 2});
    kavbtnPause_ = pictureButton(picMplayerControl_, "kavbtnPause", ButtonGlyph::Pause, {42, 2});
    kavbtnStop_ = pictureButton(picMplayerControl_, "kavbtnStop", ButtonGlyph::Stop, {84, 2});
    sldAvancement_ = new QSlider(Qt::Horizontal, picMplayerControl_);
    sldAvancement_->setObjectName(QStringLiteral("sldAvancement"));
    sldAvancement_->setRange(0, 100);
    sldAvancement_->setGeometry(130, 10, 222, 25);
    sldAvancement_->setFocusPolicy(Qt::NoFocus);
    kavbtnSon_ = pictureButton(picMplayerControl_, "kavbtnSon", ButtonGlyph::Sound, {358, 2});

    kavbtnAide_ = pictureButton(fraZoneLecteur_, "kavbtnAide", ButtonGlyph::Help, {708, 2});
    kavbtnQuitter_ = pictureButton(fraZoneLecteur_, "kavbtnQuitter", ButtonGlyph::Quit, {754, 2});

    // The sound button shows the player's own output volume.
    frmVolume_ = new QFrame(this, Qt::Popup);
    frmVolume_->setObjectName(QStringLiteral("frmVolume"));
    frmVolume_->setFrameShape(QFrame::Box);
    sldVolume_ = new QSlider(Qt::Vertical, frmVolume_);
    sldVolume_->setObjectName(QStringLiteral("sldVolume"));
    sldVolume_->setRange(0, platform::MediaPlayer::maxVolume);
    auto* volumeLayout = new QVBoxLayout(frmVolume_);
    volumeLayout->setContentsMargins(6, 8, 6, 8);
    volumeLayout->addWidget(sldVolume_);
    frmVolume_->resize(32, 140);

    connect(kavbtnVideo_, &toolkit::uctButton::Click, this, [this] { OptChoix_Click(0); });
    connect(kavbtnLivre_, &toolkit::uctButton::Click, this, [this] { OptChoix_Click(1); });
    connect(cmbComplements_, &QComboBox::activated, this, [this] { cmbComplements_Click(); });
    connect(kavbtnPlay_, &toolkit::uctButton::Click, this, [this] { optMediaPlay_Click(0); });
    connect(kavbtnPause_, &toolkit::uctButton::Click, this, [this] { optMediaPlay_Click(1); });
    connect(kavbtnStop_, &toolkit::uctButton::Click, this, [this] { optMediaPlay_Click(2); });
    toolkit::onSliderMouse(*sldAvancement_, [this] { sldAvancement_MouseDown(); }, [this] { sldAvancement_MouseUp(); });
    connect(kavbtnSon_, &toolkit::uctButton::MouseDown, this, [this] { kavbtnSon_->ButtonPosition(2); });
    connect(kavbtnSon_, &toolkit::uctButton::MouseUP, this, [this] { kavbtnSon_->ButtonPosition(1); });
    connect(kavbtnSon_, &toolkit::uctButton::Click, this, [this] { kavbtnSon_Click(); });
    connect(sldVolume_, &QSlider::valueChanged, this, [this](int volume) { player_.setVolume(volume); });
    connect(kavbtnAide_, &toolkit::uctButton::Click, this, [this] { imgAide_Click(); });
    connect(kavbtnQuitter_, &toolkit::uctButton::Click, this, [this] { imgQuitter_Click(); });
}

void frmMedia::Form_Load()
{
    toolkit::paintSliderBackground(*sldAvancement_, QColor(252, 115, 61));
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Sub Form_Load"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        placeOnScreen(screen ? screen->geometry().size() : QSize(800, 600));
        MoviePlayer_->hide();
        HTMLViewer_->hide();
        picMplayerControl_->hide();
        cmbComplements_->hide();
        cmbComplements_->setToolTip(message(QStringLiteral("ToolTipcomplements")));
        sldAvancement_->setToolTip(message(QStringLiteral("ToolTip3")));
        kavbtnPlay_->ToolTipText(message(QStringLiteral("ToolTip4")));
        kavbtnPause_->ToolTipText(message(QStringLiteral("ToolTip5")));
        kavbtnStop_->ToolTipText(message(QStringLiteral("ToolTip6")));
        kavbtnSon_->ToolTipText(message(QStringLiteral("ToolTip7")));
        kavbtnAide_->ToolTipText(message(QStringLiteral("ToolTip8")));
        kavbtnQuitter_->ToolTipText(message(QStringLiteral("ToolTip9")));
        context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_FormLoad_ErreurInconnue, *error, scope);
    }
}

int frmMedia::leftZoneFor(int screenWidth)
{
    return roundHalfEven((screenWidth - 800) / 2.0);
}

void frmMedia::placeOnScreen(const QSize& screen)
{
    setGeometry(0, 0, screen.width(), screen.height());
    pilLeftZone_ = leftZoneFor(screen.width());
    fraZoneLecteur_->move(pilLeftZone_, screen.height() - 50);
    MoviePlayer_->move(pilLeftZone_, MoviePlayer_->y());
}

void frmMedia::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    imgBackground_->setGeometry(rect());
}

void frmMedia::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isVisible())
        imgQuitter_Click();
}

QString frmMedia::message(const QString& key) const
{
    return context_.message(key);
}

void frmMedia::playerFailed(platform::MediaPlayer::Error error, const QString& text)
{
    if (!MoviePlayer_->isVisible()) {
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("Erreur kav du lecteur : ") + text);
        return;
    }
    // A video that cannot be played stops its tick and says so, instead of
    // leaving a black picture whose position never moves.
    TimerVideo_->stop();
    showPlayerState(Shown::Stopped);
    refuseVideo(platform::RuntimeError(
        error == platform::MediaPlayer::Error::Resource ? platform::FileNotFound : platform::AutomationError, text));
    // The player may report from inside the display that opened the video.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QPointer<frmMedia> alive(this);
            showFailure();
            // With nothing else to show, the window goes as at the video's end.
            if (alive && isVisible() && isMainVideoOnDisplay() && !pibLivrePrincipalPresent_
                && !pibComplementsPresents_) {
                player_.close();
                emit Quitter();
            }
        },
        Qt::QueuedConnection);
}

void frmMedia::refuseVideo(const platform::RuntimeError& error)
{
    context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_piLanceAffichageEnCours_ErreurInconnue;
    context_.lastError.store(error);
    context_.trace.write(tracel::TypeForm, unitName, tracel::errorLine(error));
}

void frmMedia::recordError(long code, const platform::RuntimeError& error, const tracel::TraceScope& scope)
{
    context_.pulStateEnCours = code;
    context_.lastError.store(error);
    scope.line(tracel::errorLine(error));
}

void frmMedia::MediaInet(bool value)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Friend Property Let MediaInet"));
    scope.value(QStringLiteral("ibMediaInet"), value ? QStringLiteral("Vrai") : QStringLiteral("Faux"));
    MediaInet_ = value;
}

void frmMedia::URLMediaVideo(const QString& value)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Friend Property Let URLMediaVideo"));
    scope.value(QStringLiteral("isURLMediaVideo"), value);
    URLMediaVideo_ = value;
}

void frmMedia::URLMediaLivre(const QString& value)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Friend Property Let URLMediaLivre"));
    scope.value(QStringLiteral("isURLMediaLivre"), value);
    URLMediaLivre_ = value;
}

bool frmMedia::Affiche(std::shared_ptr<Video> ioVideo, long ilIndexDepart, const QString& isAdresseMedia,
                       const QString& isExtensionVideo, TypeVideo ieTypeVideo)
{
    MediaOpenedForHelpViewer_ = false;
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Public Function Affiche"));
    scope.value(QStringLiteral("ilIndexDepart"), QString::number(ilIndexDepart));
    scope.value(QStringLiteral("isAdresseMedia"), isAdresseMedia);
    scope.value(QStringLiteral("isExtensionVideo"), isExtensionVideo);
    // The display reads "no such attribute" from a step code still at 1: one
    // left over from an earlier operation must not pass for a failure here.
    context_.pulStateEnCours = enuFunctionReturnState_General_Traitement_OK;
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        pieTypeVideo_ = ieTypeVideo;
        const bool lecon = ieTypeVideo == TypeLecon;
        kavbtnVideo_->ToolTipText(message(lecon ? QStringLiteral("ToolTip1") : QStringLiteral("ToolTip1Corrige")));
        kavbtnLivre_->ToolTipText(message(lecon ? QStringLiteral("ToolTip2") : QStringLiteral("ToolTip2Corrige")));
        pioVideo_ = std::move(ioVideo);
        pisAdresseMedia_ = isAdresseMedia;
        pisExtensionVideo_ = isExtensionVideo;
        const long count = platform::require(pioVideo_).NbSeq();
        scope.value(QStringLiteral("pioVideo.NbSeq"), QString::number(count));
        if (ilIndexDepart >= count) {
            context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurNbSeq;
            scope.line(QStringLiteral("Erreur kav référencée ") + QString::number(context_.pulStateEnCours));
            return;
        }
        pilIndexEnCours_ = ilIndexDepart;
        if (!piRempliCombo() || !piInitAffichage())
            return;
        if (HTMLViewer_->isVisible())
            HTMLViewer_->setFocus();
        if (MoviePlayer_->isVisible())
            MoviePlayer_->setFocus();
        result = true;
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_Affiche_ErreurInconnue, *error, scope);
        return false;
    }
    return result;
}

bool frmMedia::piRempliCombo()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Function piRempliCombo"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        cmbComplements_->clear();
        cmbComplements_->addItem(message(QStringLiteral("CMB_complements")), -1);
        const Video& video = platform::require(pioVideo_);
        int added = 0;
        bool selected = false;
        for (long i = 0; i < video.NbSeq(); ++i) {
            if (sequenceStartValue(video.DebutDUneSeq(i)) <= 1)
                continue;
            scope.line(QStringLiteral("La sequence ") + QString::number(i) + QStringLiteral(" est un complément"));
            QString type = QStringLiteral("LIVRE");
            QString title;
            if (!piGetInfoXml(type, title, QStringLiteral("Title"), i)) {
                if (context_.pulStateEnCours == enuFunctionReturnState_General_Traitement_OK)
                    context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_piRempliCombo_ErreurComplement;
                return;
            }
            cmbComplements_->addItem(title, qlonglong(i));
            ++added;
            if (i == pilIndexEnCours_) {
                cmbComplements_->setCurrentIndex(cmbComplements_->count() - 1);
                selected = true;
            }
        }
        pibComplementsPresents_ = added > 0;
        if (added > 0 && !selected)
            cmbComplements_->setCurrentIndex(0);
        cmbComplements_->setVisible(pibComplementsPresents_);
        result = true;
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_piRempliCombo_ErreurInconnue, *error, scope);
        return false;
    }
    return result;
}

bool frmMedia::piGetInfoXml(QString& iosType, QString& iosValeur, const QString& isAttribute, long ilIndexSequence)
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName, QStringLiteral("Private Function piGetInfoXml"));
    scope.value(QStringLiteral("iosType"), iosType);
    scope.value(QStringLiteral("isAttribute"), isAttribute);
    scope.value(QStringLiteral("ilIndexSequence"), QString::number(ilIndexSequence));
    bool result = false;
    const auto fail = [&](long code, const QString& line) {
        context_.pulStateEnCours = code;
        scope.line(line);
    };
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const QStringList descriptions = platform::require(pioVideo_).HtmSeq();
        if (ilIndexSequence < 0 || ilIndexSequence >= descriptions.size())
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        const QString text = withTitleSpelling(descriptions.at(qsizetype(ilIndexSequence)));
        scope.value(QStringLiteral("XMLText"), traceableXml(text));
        QDomDocument document;
        if (!document.setContent(text))
            return fail(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurloadXML, QStringLiteral("Erreur loadXML"));
        // The root is the first node, whatever its kind: a declaration or a
        // comment in front of the element fails the name test.
        const QDomNode root = document.firstChild();
        if (root.isNull())
            return fail(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurRoot,
                        QStringLiteral("Erreur nRoot Is Nothing"));
        if (iosType.isEmpty()) {
            iosType = root.nodeName();
        } else if (root.nodeName() != iosType) {
            scope.line(QStringLiteral("(iosType = ") + iosType + QStringLiteral(") <> (nRoot.nodeName = ") +
                       root.nodeName() + QLatin1Char(')'));
            return;
        }
        const QDomNode child = root.firstChild();
        if (child.isNull())
            return fail(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurChild,
                        QStringLiteral("Erreur nChild Is Nothing"));
        if (!child.isElement() || child.nodeName().compare(QLatin1String("FILE"), Qt::CaseInsensitive) != 0)
            return fail(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurFile,
                        QStringLiteral("Erreur nChild.nodeName <> 'FILE'"));
        const QDomAttr attribute = child.toElement().attributeNode(isAttribute);
        if (attribute.isNull())
            return fail(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurAttribute,
                        QStringLiteral("Erreur getNamedItem(") + isAttribute + QStringLiteral(")  Is Nothing"));
        iosValeur = attribute.value();
        scope.value(QStringLiteral("iosValeur"), iosValeur);
        result = true;
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_piGetInfoXml_ErreurInconnue, *error, scope);
        return false;
    }
    return result;
}

std::optional<QString> frmMedia::readAttribute(const QString& type, const QString& attribute, long index)
{
    QString kind = type;
    QString value;
    if (!piGetInfoXml(kind, value, attribute, index))
        return std::nullopt;
    return value;
}

bool frmMedia::piInitAffichage()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Private Function piInitAffichage"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        pibLivrePrincipalPresent_ = false;
        pibVideoPresente_ = false;
        pilIndexLivrePrincipal_ = -1;
        pilIndexVideo_ = -1;
        pidteDureeVideo_ = 0;
        dureeText_.clear();
        kavbtnVideo_->hide();
        kavbtnLivre_->hide();
        kavbtnAide_->hide();
        pibAideAffichee_ = false;
        kavbtnAide_->ButtonPosition(1);

        if (!readMainDocument(0))
            return;
        const Video& video = platform::require(pioVideo_);
        if (video.NbSeq() > 1 && sequenceStartValue(video.DebutDUneSeq(1)) == 1) {
            scope.line(QStringLiteral("il y a un principal secondaire"));
            if (!readMainDocument(1))
                return;
        } else {
            scope.line(QStringLiteral("il n' y a pas de principal secondaire"));
        }
        const bool both = pibVideoPresente_ && pibLivrePrincipalPresent_;
        kavbtnVideo_->setVisible(both);
        kavbtnLivre_->setVisible(both);
        kavbtnAide_->setVisible(both);
        if (pibVideoPresente_)
            kavbtnVideo_->ButtonPosition(pilIndexEnCours_ == pilIndexVideo_ ? 2 : 1);
        if (pibLivrePrincipalPresent_)
            kavbtnLivre_->ButtonPosition(pilIndexEnCours_ == pilIndexLivrePrincipal_ ? 2 : 1);
        if (!piLanceAffichageEnCours())
            return;
        show();
        result = true;
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_piInitAffichage_ErreurInconnue, *error, scope);
        return false;
    }
    return result;
}

bool frmMedia::readMainDocument(long index)
{
    const QString number = QString::number(index);
    if (readAttribute(QStringLiteral("LIVRE"), QStringLiteral("FileName"), index)) {
        pibLivrePrincipalPresent_ = true;
        pilIndexLivrePrincipal_ = index;
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("pibLivrePrincipalPresent = True"));
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("pilIndexLivrePrincipal = ") + number);
        return true;
    }
    if (context_.pulStateEnCours != enuFunctionReturnState_General_Traitement_OK)
        return false;
    if (const auto duree = readAttribute(QStringLiteral("VIDEO"), QStringLiteral("Duree"), index)) {
        pibVideoPresente_ = true;
        pilIndexVideo_ = index;
        // A duration that is not a time, or is zero, is kept as 0: such a
        // video is refused when it is to be shown, the rest of the media not.
        pidteDureeVideo_ = timeTextSeconds(*duree).value_or(0);
        dureeText_ = *duree;
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("pibVideoPresente = True"));
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("pilIndexVideo = ") + number);
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("pidteDureeVideo = ") + *duree);
        return true;
    }
    if (context_.pulStateEnCours == enuFunctionReturnState_General_Traitement_OK) {
        context_.pulStateEnCours = index == 0 ? enuFunctionReturnState_Lumaro_frmMedia_piInitAffichage_ErreurNoMedia0
                                              : enuFunctionReturnState_Lumaro_frmMedia_piInitAffichage_ErreurNoMedia1;
        context_.trace.write(tracel::TypeForm, unitName, QStringLiteral("erreur kav on a trouve ni livre ni video"));
    }
    return false;
}

bool frmMedia::piLanceAffichageEnCours()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeForm, unitName,
                             QStringLiteral("Private Function piLanceAffichageEnCours"));
    bool result = false;
    const auto error = platform::trapError(platform::AutomationError, [&] {
        if (const auto book = readAttribute(QStringLiteral("LIVRE"), QStringLiteral("FileName"), pilIndexEnCours_)) {
            result = showBook(*book);
            return;
        }
        if (context_.pulStateEnCours != enuFunctionReturnState_General_Traitement_OK)
            return;
        if (const auto video = readAttribute(QStringLiteral("VIDEO"), QStringLiteral("FileName"), pilIndexEnCours_)) {
            result = showVideo(*video);
            return;
        }
        context_.pulStateEnCours = enuFunctionReturnState_Lumaro_frmMedia_piLanceAffichageEnCours_ErreurNoMedia;
        scope.line(QStringLiteral("Erreur kav le document à afficher n'est ni une VIDEO ni un LIVRE"));
    });
    if (error) {
        recordError(enuFunctionReturnState_Lumaro_frmMedia_piLanceAffichageEnCours_ErreurInconnue, *error, scope);
        return false;
    }
    return result;
}

}  // namespace lumaro
