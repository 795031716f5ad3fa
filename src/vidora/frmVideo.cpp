#include "frmVideo.h"

#include "Fonctions.h"
#include "SequencePages.h"
#include "VidoraContext.h"

#include "platform/MediaPlayer.h"
#include "platform/Timers.h"
#include "toolkit/ButtonPictures.h"
#include "toolkit/SliderColour.h"
#include "toolkit/SliderMouse.h"
#include "toolkit/usrButton.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace vidora {

namespace {

const QColor sliderColour(228, 141, 99);
const QSize buttonSize(40, 40);

toolkit::usrButton* makeButton(QWidget* parent, const char* name, toolkit::ButtonGlyph glyph, QPoint at)
{
    auto* button = new toolkit::usrButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setPictures(toolkit::buttonPictures(glyph, buttonSize));
    button->move(at);
    button->resize(buttonSize);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

frmVideo::frmVideo(VidoraContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), pages_(std::make_unique<SequencePages>(context.temporaryRoot))
{
    setObjectName(QStringLiteral("frmVideo"));
    player_ = context_.createPlayer ? context_.createPlayer() : nullptr;
    platform::require(player_);
    auto& timers = platform::require(context_.timers);
    Timer1_ = timers.create(platform::Timer::Kind::Repeating, [this] { Timer1_Timer(); });
    timVolumeWindows_ = timers.create(platform::Timer::Kind::Repeating, [this] { timVolumeWindows_Timer(); });
    buildControls();
    connectControls();
    piPositionneFenetres(QSize(800, 600));
}

frmVideo::~frmVideo()
{
    shutDown();
}

void frmVideo::buildControls()
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(38, 44, 58));
    setPalette(palette);

    videoOutput_ = player_->createVideoOutput(this);
    videoOutput_->setObjectName(QStringLiteral("MediaPlayer"));
    QPalette black = videoOutput_->palette();
    black.setColor(QPalette::Window, Qt::black);
    videoOutput_->setPalette(black);
    videoOutput_->setAutoFillBackground(true);

    WbTexteVideo_ = new QWebEngineView(this);
    WbTexteVideo_->setObjectName(QStringLiteral("WbTexteVideo"));
    // The pages are the server's text, kept in a local folder: they may show
    // the server's pictures, but never read other local files.
    QWebEngineSettings* settings = WbTexteVideo_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
    WbTexteVideo_->hide();

    picTelecommande_ = new QFrame(this);
    picTelecommande_->setObjectName(QStringLiteral("picTelecommande"));
    picTelecommande_->setFrameShape(QFrame::StyledPanel);
    picTelecommande_->setAutoFillBackground(true);
    QWidget* panel = picTelecommande_;

    imgMode_ = makeLabel(panel, "imgMode", QString(), QRect(10, 8, 170, 30));
    imgMode_->setAlignment(Qt::AlignCenter);
    QFont modeFont(QStringLiteral("Arial"), 14, QFont::Bold);
    imgMode_->setFont(modeFont);

    QFont labelFont(QStringLiteral("Arial"), 10);
    lblNoSeq_ = makeLabel(panel, "lblNoSeq", QStringLiteral("1/1"), QRect(10, 46, 80, 22));
    lblTime_ = makeLabel(panel, "lblTime", timeLabelText(0), QRect(100, 46, 80, 22));
    lblTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* label : {lblNoSeq_, lblTime_})
        label->setFont(labelFont);

    kavbtnPlay_ = makeButton(panel, "kavbtnPlay", toolkit::ButtonGlyph::Play, {20, 80});
    kavbtnPause_ = makeButton(panel, "kavbtnPause", toolkit::ButtonGlyph::Pause, {75, 80});
    kavbtnStop_ = makeButton(panel, "kavbtnStop", toolkit::ButtonGlyph::Stop, {130, 80});
    kavbtnPrecedent_ = makeButton(panel, "kavbtnPrecedent", toolkit::ButtonGlyph::Previous, {47, 130});
    kavbtnSuivant_ = makeButton(panel, "kavbtnSuivant", toolkit::ButtonGlyph::Next, {103, 130});

    sldTelecommande_ = new QSlider(Qt::Horizontal, panel);
    sldTelecommande_->setObjectName(QStringLiteral("sldTelecommande"));
    sldTelecommande_->setRange(0, 100);
    sldTelecommande_->setGeometry(10, 182, 170, 24);

    sldVolume_ = new QSlider(Qt::Horizontal, panel);
    sldVolume_->setObjectName(QStringLiteral("sldVolume"));
    sldVolume_->setRange(0, platform::MediaPlayer::maxVolume);
    sldVolume_->setSingleStep(655);
    sldVolume_->setPageStep(6554);
    sldVolume_->setGeometry(10, 218, 170, 24);
    for (QSlider* slider : {sldTelecommande_, sldVolume_})
        toolkit::paintSliderBackground(*slider, sliderColour);

    chkVolume_ = new QCheckBox(panel);
    chkVolume_->setObjectName(QStringLiteral("chkVolume"));
    chkVolume_->setGeometry(12, 248, 24, 22);
    lblVolume_ = makeLabel(panel, "lblVolume", volumePercentText(0), QRect(100, 248, 80, 22));
    lblVolume_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVolume_->setFont(labelFont);

    kavbtnSon_ = makeButton(panel, "kavbtnSon", toolkit::ButtonGlyph::Sound, {47, 282});
    kavbtnQuitter_ = makeButton(panel, "kavbtnQuitter", toolkit::ButtonGlyph::Quit, {103, 282});

    fraAide_ = new QFrame(panel);
    fraAide_->setObjectName(QStringLiteral("fraAide"));
    fraAide_->setFrameShape(QFrame::Box);
    fraAide_->setGeometry(8, 336, 174, 216);
    picAide_ = makeLabel(panel, "picAide", QString(), QRect(75, 340, 40, 40));
    picAide_->setPixmap(toolkit::buttonPictures(toolkit::ButtonGlyph::Help, buttonSize).up);
    const std::array<QString, 4> captions = {
        QStringLiteral("Lisez le texte de la séquence"),
        QStringLiteral("Cliquez sur lecture pour visualiser la vidéo de la séquence"),
        QStringLiteral("- 1 -"),
        QStringLiteral("- 2 -"),
    };
    const std::array<QRect, 4> places = {QRect(8, 70, 158, 40), QRect(8, 140, 158, 60), QRect(8, 48, 158, 20),
                                         QRect(8, 118, 158, 20)};
    for (int i = 0; i < 4; ++i) {
        lblAide_[i] = makeLabel(fraAide_, "lblAide", captions[i], places[i]);
        lblAide_[i]->setObjectName(QStringLiteral("lblAide%1").arg(i));
        lblAide_[i]->setWordWrap(true);
        lblAide_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lblAide_[i]->setFont(labelFont);
    }
    showPanelPicture(QStringLiteral("Son"));
    fraAide_->hide();
    picAide_->hide();
}

void frmVideo::connectControls()
{
    connect(kavbtnPlay_, &toolkit::usrButton::MouseDown, this, &frmVideo::kavbtnPlay_MouseDown);
    connect(kavbtnPause_, &toolkit::usrButton::MouseDown, this, &frmVideo::kavbtnPause_MouseDown);
    connect(kavbtnStop_, &toolkit::usrButton::MouseDown, this, &frmVideo::kavbtnStop_MouseDown);
    connect(kavbtnPrecedent_, &toolkit::usrButton::Click, this, &frmVideo::kavbtnPrecedent_Click);
    connect(kavbtnSuivant_, &toolkit::usrButton::Click, this, &frmVideo::kavbtnSuivant_Click);
    connect(kavbtnQuitter_, &toolkit::usrButton::Click, this, &frmVideo::kavbtnQuitter_Click);
    connect(kavbtnSon_, &toolkit::usrButton::Click, this, &frmVideo::kavbtnSon_Click);
    // A push button shows its up picture when released: the buttons that
    // mirror the remote control's state take their look back.
    for (toolkit::usrButton* button : {kavbtnPlay_, kavbtnPause_, kavbtnStop_, kavbtnSon_}) {
        connect(button, &toolkit::usrButton::MouseUP, button,
                [button] { button->ButtonPosition(button->ButtonPosition()); });
    }
    toolkit::onSliderMouse(*sldTelecommande_, [this] { sldTelecommande_MouseDown(); },
                           [this] { sldTelecommande_MouseUp(); });
    connect(sldVolume_, &QSlider::valueChanged, this, &frmVideo::sldVolume_Scroll);
    connect(chkVolume_, &QCheckBox::clicked, this, &frmVideo::chkVolume_Click);

    // The player's events are only traced.
    const QString module = QStringLiteral("frmVideo");
    connect(player_.get(), &platform::MediaPlayer::errorOccurred, this,
            [this, module](platform::MediaPlayer::Error error, const QString& text) {
                context_.trace.write(tracel::TypeForm, module,
                                     QStringLiteral("MediaPlayer_Error : %1 : %2").arg(static_cast<int>(error)).arg(text));
            });
    connect(player_.get(), &platform::MediaPlayer::openStateChanged, this,
            [this, module](platform::MediaPlayer::OpenState state) {
                context_.trace.write(tracel::TypeForm, module,
                                     QStringLiteral("NewState = %1").arg(static_cast<int>(state)), 2);
            });
}

QLabel* frmVideo::lblAide(int index) const
{
    return index >= 0 && index < static_cast<int>(lblAide_.size()) ? lblAide_[index] : nullptr;
}

void frmVideo::piPositionneFenetres(QSize screen)
{
    const QSize design(800, 600);
    const QSize area = screen.width() > design.width() && screen.height() > design.height() ? screen : design;
    const int margin = static_cast<int>(roundHalfEven(area.width() * 21.0 / design.width()));
    const int top = (area.height() - (playerHeight + paneHeight)) / 2;
    const int left = (area.width() - (playerWidth + panelWidth + margin)) / 2 + panelWidth + margin;
    videoOutput_->setGeometry(left, top, playerWidth, playerHeight);
    picTelecommande_->setGeometry(left - (panelWidth + margin), top, panelWidth, playerHeight + paneHeight);
    WbTexteVideo_->setGeometry(left, top + playerHeight, playerWidth, paneHeight);
    resize(area);
}

void frmVideo::showPanelPicture(const QString& name)
{
    panelPicture_ = name;
    imgMode_->setText(name);
    QPalette palette = picTelecommande_->palette();
    palette.setColor(QPalette::Window, name == QLatin1String("Son") ? QColor(236, 222, 200) : QColor(214, 226, 238));
    picTelecommande_->setPalette(palette);
}

void frmVideo::setLooks(long play, long pause, long stop)
{
    kavbtnPlay_->ButtonPosition(play);
    kavbtnPause_->ButtonPosition(pause);
    kavbtnStop_->ButtonPosition(stop);
}

void frmVideo::setSliderValue(QSlider* slider, int value)
{
    const QSignalBlocker blocker(slider);
    slider->setValue(value);
}

void frmVideo::showSoundMode()
{
    kavbtnSon_->ButtonPosition(toolkit::usrButton::PositionDown);
    sldVolume_->setEnabled(true);
    sldVolume_->show();
    WbTexteVideo_->hide();
    fraAide_->hide();
    picAide_->hide();
    showPanelPicture(QStringLiteral("Son"));
    sequenceCommandsEnabled_ = false;
    kavbtnPrecedent_->ButtonPosition(toolkit::usrButton::PositionDisabled);
    kavbtnSuivant_->ButtonPosition(toolkit::usrButton::PositionDisabled);
}

void frmVideo::showTextMode()
{
    kavbtnSon_->ButtonPosition(toolkit::usrButton::PositionUp);
    kavbtnPrecedent_->ButtonPosition(toolkit::usrButton::PositionUp);
    kavbtnSuivant_->ButtonPosition(toolkit::usrButton::PositionUp);
    sequenceCommandsEnabled_ = true;
    sldVolume_->show();
    sldVolume_->setEnabled(false);
    fraAide_->show();
    picAide_->show();
    showPanelPicture(QStringLiteral("Texte"));
}

void frmVideo::showVolume()
{
    chkVolume_->setChecked(false);
    lblVolume_->setEnabled(true);
    setSliderValue(sldVolume_, static_cast<int>(context_.pulMemVolume));
    lblVolume_->setText(volumePercentText(context_.pulMemVolume));
}

void frmVideo::disableSwitch()
{
    kavbtnSon_->ButtonPosition(toolkit::usrButton::PositionDisabled);
}

void frmVideo::showSwitch()
{
    kavbtnSon_->ButtonPosition(context_.pubAvecSon ? toolkit::usrButton::PositionDown : toolkit::usrButton::PositionUp);
}

void frmVideo::showSequencePage(long index)
{
    WbTexteVideo_->hide();
    shownPage_ = pages_->pagePath(index);
    context_.trace.write(tracel::TypeForm, QStringLiteral("frmVideo"),
                         QStringLiteral("WbTexteVideo.Navigate(") + shownPage_ + QLatin1Char(')'));
    WbTexteVideo_->load(QUrl::fromLocalFile(shownPage_));
    WbTexteVideo_->show();
}

void frmVideo::showCounter(long number, long count)
{
    lblNoSeq_->setText(QStringLiteral("%1/%2").arg(number).arg(count));
}

void frmVideo::startVolumePoll()
{
    context_.trace.write(tracel::TypeForm, QStringLiteral("frmVideo"),
                         QStringLiteral("pioFrmVideo.timVolumeWindows.Enabled = True"));
    timVolumeWindows_->start(std::chrono::milliseconds(100));
}

bool frmVideo::sequenceTimerRuns() const
{
    return Timer1_ && Timer1_->isActive();
}

bool frmVideo::volumePollRuns() const
{
    return timVolumeWindows_ && timVolumeWindows_->isActive();
}

void frmVideo::launchPlay(bool play)
{
    lblTime_->setText(timeLabelText(player_->position()));
    if (play) {
        selected_ = 0;
        selectOption(tcPlay);
    } else if (selected_ == tcPlay) {
        selected_ = 0;
    }
}

void frmVideo::hideForHost()
{
    selected_ = tcStop;
    setLooks(toolkit::usrButton::PositionUp, toolkit::usrButton::PositionUp, toolkit::usrButton::PositionDown);
    Timer1_->stop();
    timVolumeWindows_->stop();
    timLunette_ = false;
    player_->stop();
    hide();
}

void frmVideo::shutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    exitPending_ = false;
    Timer1_->stop();
    timVolumeWindows_->stop();
    player_->stop();
    if (context_.pubWithSoundCard)
        player_->setVolume(static_cast<int>(context_.pulMemOrigineVolume));
    // A fresh pages object: the old one takes its folder with it now.
    pages_ = std::make_unique<SequencePages>(context_.temporaryRoot);
    hide();
}

void frmVideo::closeEvent(QCloseEvent* event)
{
    // The close box ends the window like the quit button, whatever the step.
    const QPointer<frmVideo> alive(this);
    ++handling_;
    context_.trace.write(tracel::TypeForm, QStringLiteral("frmVideo"), QStringLiteral("UnloadMode = 0"));
    piExit();
    if (alive)
        --handling_;
    event->accept();
}

}  // namespace vidora
