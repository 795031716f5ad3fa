#include "LumaroContext.h"

#include "Module.h"
#include "Parcours.h"

#include "platform/ErrorTrap.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumaro {

namespace {

const QString programName = QStringLiteral("Lumaro");
const QString programVersion = QStringLiteral("1.0.0");

constexpr double secondsPerDay = 86400.0;

}  // namespace

LumaroContext::LumaroContext(const platform::Clock& clock) : clock_(&clock) {}

LumaroContext::~LumaroContext() = default;

LumaroContext& LumaroContext::processDefault()
{
    static LumaroContext context;
    return context;
}

platform::OleDate LumaroContext::localNow() const
{
    return platform::OleDate::fromDateTime(clock_->now()).value_or(platform::OleDate());
}

platform::OleDate LumaroContext::modelNow() const
{
    return platform::OleDate(localNow().serial() - pudteDiffDateServeur);
}

long LumaroContext::takeStateEnCours()
{
    return std::exchange(pulStateEnCours, basalo::enuFunctionReturnState_General_Traitement_OK);
}

QString LumaroContext::message(const QString& key) const
{
    // Messages are read inside failure handlers, which must not fail themselves.
    QString text;
    if (const auto reader = langue)
        platform::trapError(platform::AutomationError, [&] { text = reader->GetMessage(key); });
    return text;
}

void LumaroContext::levelTracelage(long level)
{
    if (trace.isStarted())
        return;
    trace.setLevel(level);
    if (level > 0 && !puInitialiseTrace())
        trace.setLevel(0);
}

void LumaroContext::pathParent(const QString& folder)
{
    if (folder.size() < 2 || trace.isStarted())
        return;
    pathParent_ = platform::paths::withTrailingSeparator(platform::paths::fromData(folder));
}

bool LumaroContext::puInitialiseTrace()
{
    QString folder = pathParent_;
    if (folder.isEmpty() && QCoreApplication::instance())
        folder = platform::paths::withTrailingSeparator(QCoreApplication::applicationDirPath());
    const QString title = programName + QLatin1Char(' ') + dateText(localNow());
    if (!trace.start(folder, programName, title, *clock_))
        return false;
    trace.write(tracel::TypeClass, QString(), QStringLiteral("Version : ") + programVersion);
    return true;
}

QString LumaroContext::traceFolder() const
{
    return trace.info() ? trace.info()->PathTracel() : QString();
}

void LumaroContext::contexteManagerEnded()
{
    contexteManagers_ = std::max(0, contexteManagers_ - 1);
    endTraceIfLast();
}

void LumaroContext::managerEnded()
{
    managers_ = std::max(0, managers_ - 1);
    endTraceIfLast();
}

void LumaroContext::endTraceIfLast()
{
    if (contexteManagers_ > 0 || managers_ > 0 || !trace.isStarted())
        return;
    trace.setLevel(0);
    trace.stop();
}

QString LumaroContext::dateText(platform::OleDate date)
{
    const QDateTime dateTime = date.toDateTime();
    if (!dateTime.isValid())
        return QString::number(date.serial(), 'f', 8);
    return QLocale::system().toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + dateTime.time().toString(QStringLiteral("HH:mm:ss"));
}

QString puFormateDuree(double duree)
{
    const double seconds = std::isfinite(duree) ? std::round(duree * secondsPerDay) : 0.0;
    // A duration too long to count in seconds is shown as the longest one that can be.
    const qint64 whole = qint64(std::clamp(seconds, 0.0, 9.0e15)) + 60;
    const qint64 hours = whole / 3600;
    const qint64 minutes = (whole % 3600) / 60;
    return QStringLiteral("%1:%2").arg(hours, 4, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

}  // namespace lumaro
