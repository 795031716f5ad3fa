#include "Fonctions.h"

#include "VidoraContext.h"

#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"

#include <QDir>
#include <QLocale>

#include <cfenv>
#include <cmath>

namespace vidora {

namespace {

const QString moduleName = QStringLiteral("Fonctions");

// Characters 1-2, 4-5 and 7-8 of one half of the range, as a decimal number.
int field(const QString& text, qsizetype first)
{
    bool ok = false;
    const QString digits = text.mid(first, 2).trimmed();
    const int value = digits.toInt(&ok, 10);
    if (!ok || value < 0 || digits.startsWith(u'+'))
        throw platform::RuntimeError(platform::TypeMismatch,
                                     QStringLiteral("Temps de séquence illisible : \"%1\"").arg(text));
    return value;
}

double secondsAt(const QString& text, qsizetype first)
{
    const int minutes = field(text, first);
    const int seconds = field(text, first + 3);
    const int hundredths = field(text, first + 6);
    return minutes * 60.0 + seconds + (hundredths > 50 ? 1 : 0);
}

}  // namespace

long roundHalfEven(double value)
{
    // nearbyint follows the rounding mode, which is to nearest, ties to even,
    // unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return static_cast<long>(rounded);
}

TimeRange readTimeRange(const QString& text)
{
    if (text.size() != 17)
        throw platform::RuntimeError(platform::TypeMismatch,
                                     QStringLiteral("Temps de séquence illisible : \"%1\"").arg(text));
    return {secondsAt(text, 0), secondsAt(text, 9)};
}

bool puMiseEnFormeDesTiming(VidoraContext& context)
{
    const tracel::TraceScope scope(context.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function puMiseEnFormeDesTiming"));
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        context.puaadTimeOfSequences = {};
        if (context.sequenceTimes.size() > maxSequences)
            throw platform::RuntimeError(platform::SubscriptOutOfRange,
                                         QStringLiteral("Plus de %1 séquences").arg(maxSequences));
        for (qsizetype i = 0; i < context.sequenceTimes.size(); ++i) {
            const TimeRange range = readTimeRange(context.sequenceTimes.at(i));
            // A sequence of no length is played through at once; one that
            // ends before it starts has no way through.
            if (range.end < range.start)
                throw platform::RuntimeError(
                    platform::InvalidProcedureCall,
                    QStringLiteral("Séquence %1 à l'envers : \"%2\"").arg(i).arg(context.sequenceTimes.at(i)));
            context.puaadTimeOfSequences[i] = {range.start, range.end};
        }
        // The window closes after the sequence count's last sequence: it
        // must be one of those given.
        if (context.sequenceCount < 1 || context.sequenceCount > context.sequenceTimes.size())
            throw platform::RuntimeError(
                platform::SubscriptOutOfRange,
                QStringLiteral("%1 séquences annoncées pour %2 temps").arg(context.sequenceCount).arg(context.sequenceTimes.size()));
    });
    if (!error)
        return true;
    context.puaadTimeOfSequences = {};
    context.recordError(*error, tracel::TypeBas, moduleName);
    context.pulStateErreurEnCours = basalo::enuFunctionReturnState_VVidora_Fonctions_puMiseEnFormeDesTiming_ErreurInconnue;
    return false;
}

bool puInitTrace(VidoraContext& context)
{
    if (context.trace.isStarted())
        return true;
    // The original wrote to the root of the system drive; the temporary
    // folder is the one place every user can always write to here.
    const QString folder = context.PathTracel.isEmpty() ? QDir::tempPath() : context.PathTracel;
    if (!context.trace.start(folder, QStringLiteral("VVidora"), QStringLiteral("Vidora - Lecteur vidéo")))
        return false;
    while (context.trace.depth() > 0)
        context.trace.lowerDepth();
    context.trace.write(tracel::TypeBas, moduleName,
                        QStringLiteral("Initialisation - ")
                            + QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    return true;
}

QString timeLabelText(double seconds)
{
    const double position = std::max(0.0, seconds);
    const long whole = static_cast<long>(std::floor(position));
    const QString shortest = QString::number(position, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(u'.');
    const QString hundredths = point < 0 ? QString() : shortest.mid(point + 1, 2);
    return QStringLiteral(" %1:%2:%3").arg(whole / 60).arg(whole % 60).arg(hundredths);
}

QString volumePercentText(long volume)
{
    return QStringLiteral(" %1%").arg(roundHalfEven(volume * 100.0 / platform::MediaPlayer::maxVolume));
}

}  // namespace vidora
