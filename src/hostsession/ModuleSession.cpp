#include "ModuleSession.h"

#include "toolkit/KavReg.h"
#include "toolkit/modGereFich.h"

#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Module.h"
#include "platform/ErrorTrap.h"

#include <QFile>

#include <cmath>
#include <optional>

namespace hostsession {

namespace {

// Decodes the octal escapes ("\040") of a mount table's field.
QString mountField(const QByteArray& field)
{
    QByteArray decoded;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && value < 256) {
                decoded.append(char(value));
                i += 3;
                continue;
            }
        }
        decoded.append(field[i]);
    }
    return QString::fromUtf8(decoded);
}

}  // namespace

ModuleSession::ModuleSession(toolkit::SessionState& state) : state_(state) {}

ModuleSession::~ModuleSession() = default;

bool ModuleSession::puFindCDRom(QString& sPathCDRom) const
{
    sPathCDRom.clear();
    QFile table(state_.mountTable);
    if (!table.open(QIODevice::ReadOnly))
        return false;
    // A disc is a mounted iso9660 or udf file system; the first listed is taken.
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine().simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QByteArray type = fields.at(2).toLower();
        if (type != "iso9660" && type != "udf")
            continue;
        sPathCDRom = mountField(fields.at(1));
        toolkit::puAddTrailingBackslash(sPathCDRom);
        return true;
    }
    return false;
}

std::shared_ptr<lumaro::Appli> ModuleSession::modelAppli(long idAppli) const
{
    auto appli = platform::require(pioKavParc).Appli(idAppli);
    platform::require(appli);
    return appli;
}

std::shared_ptr<lumaro::Module> ModuleSession::currentModule() const
{
    auto module = platform::require(pioKavParc).ModuleEnCours();
    platform::require(module);
    return module;
}

long ModuleSession::NbQuestionForm()
{
    long count = 0;
    if (const auto error = platform::trapError(platform::AutomationError, [&] {
            count = currentModule()->NbQuest();
        })) {
        state_.pulErrorNumber = error->number();
        state_.pusErrorDescription = error->text();
    }
    return count;
}

namespace {

// The sound switch as stored: "True", "False" or a number; nothing otherwise.
std::optional<bool> readSwitch(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double value = text.toDouble(&number);
    if (!number || !std::isfinite(value))
        return std::nullopt;
    return value != 0.0;
}

// The volume as stored, rounded half to even; nothing when it is no number of the Long range.
std::optional<long> readVolume(const QString& text)
{
    bool number = false;
    const double value = text.toDouble(&number);
    if (!number || !std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return std::nullopt;
    return static_cast<long>(std::nearbyint(value));
}

}  // namespace

bool ModuleSession::piInitSon(toolkit::KavReg& registry)
{
    const tracel::TraceScope scope(state_.trace, tracel::TypeClass, QStringLiteral("clsBarreManager"),
                                   QStringLiteral("Private Function piInitSon"));
    const QString key = QStringLiteral("Quelvoro Inet\\IHM Client");
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const QString withSound =
            registry.GetValue(toolkit::KavReg::CurrentUser, key, QStringLiteral("InitAvecSon"), 0);
        const auto sound = readSwitch(withSound);
        if (!sound) {
            if (!withSound.isEmpty())
                scope.line(QStringLiteral("erreur kav InitAvecSon illisible : ") + withSound);
            registry.SetValue(toolkit::KavReg::CurrentUser, key, QStringLiteral("InitAvecSon"), QStringLiteral("True"),
                              0);
        }
        pibAvecSon = sound.value_or(true);
        const QString volumeText =
            registry.GetValue(toolkit::KavReg::CurrentUser, key, QStringLiteral("InitVolSon"), 0);
        const auto volume = readVolume(volumeText);
        if (!volume) {
            if (!volumeText.isEmpty())
                scope.line(QStringLiteral("erreur kav InitVolSon illisible : ") + volumeText);
            registry.SetValue(toolkit::KavReg::CurrentUser, key, QStringLiteral("InitVolSon"), QStringLiteral("-1"), 0);
        }
        pilNiveauVolume = volume.value_or(-1);
    });
    if (!error)
        return true;
    state_.recordError(*error, scope);
    return false;
}

}  // namespace hostsession
