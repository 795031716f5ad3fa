#include "StartRecord.h"

#include "platform/Paths.h"
#include "platform/RuntimeError.h"
#include "toolkit/ReplyRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace netrova {

StartRecord::StartRecord(const QString& reply, const QString& separator) : fields_(reply.trimmed().split(separator))
{
    if (reply.trimmed().isEmpty())
        throw platform::RuntimeError(
            platform::SubscriptOutOfRange,
            QStringLiteral("Le serveur de cours n'a envoyé aucun enregistrement de démarrage"));
    if (fields_.size() < fieldCount)
        throw platform::RuntimeError(platform::SubscriptOutOfRange,
                                     QStringLiteral("L'enregistrement de démarrage n'a que %1 champs sur %2 : %3")
                                         .arg(fields_.size())
                                         .arg(fieldCount)
                                         .arg(reply.trimmed().left(200)));
}

long StartRecord::wholeNumber(qsizetype index) const
{
    try {
        return toWholeNumber(fields_.at(index));
    } catch (const platform::RuntimeError& error) {
        throw unreadableField(index, error);
    }
}

bool StartRecord::boolean(qsizetype index) const
{
    try {
        return toBoolean(fields_.at(index));
    } catch (const platform::RuntimeError& error) {
        throw unreadableField(index, error);
    }
}

platform::RuntimeError StartRecord::unreadableField(qsizetype index, const platform::RuntimeError& error) const
{
    return platform::RuntimeError(error.number(),
                                  QStringLiteral("Champ %1 de l'enregistrement de démarrage illisible (%2) : « %3 »")
                                      .arg(index)
                                      .arg(error.text(), fields_.at(index)));
}

long StartRecord::toWholeNumber(const QString& text)
{
    return toolkit::replyWholeNumber(text);
}

bool StartRecord::toBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double value = trimmed.toDouble(&isNumber);
    if (!isNumber)
        throw platform::RuntimeError(platform::TypeMismatch);
    return value != 0.0;
}

QString confinedPersonalFolder(const QString& given, const QString& home, const tracel::TraceScope& scope)
{
    if (given.isEmpty())
        return {};
    const QString root = QDir::cleanPath(home);
    if (platform::paths::staysInside(given))
        return QDir::cleanPath(root + u'/' + platform::paths::fromData(given));
    const QString path = platform::paths::fromData(given);
    const QString clean = QDir::cleanPath(path);
    if (QDir::isAbsolutePath(path) && !path.split(u'/').contains(QStringLiteral(".."))
        && (clean == root || clean.startsWith(root + u'/')))
        return clean;
    scope.line(QStringLiteral("erreur kav PersonalFolder hors du dossier de l'utilisateur : ") + given);
    return {};
}

std::optional<long> languageFileVersion(const basalo::clsManager& constants, const QString& file)
{
    const QString version =
        constants.GetPrivateProfileString(QStringLiteral("General"), QStringLiteral("FileVersion"), file);
    try {
        return StartRecord::toWholeNumber(version);
    } catch (const platform::RuntimeError&) {
        return std::nullopt;
    }
}

void replaceLanguageFile(const basalo::clsManager& constants, const QString& file, const QString& text,
                         const tracel::TraceScope& scope)
{
    const QFileInfo target(file);
    if (!QDir().mkpath(target.absolutePath()))
        throw platform::RuntimeError(platform::FileNotFound, target.absolutePath());
    QTemporaryFile temporary(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temporary.open() || temporary.write(text.toUtf8()) < 0 || !temporary.flush())
        throw platform::RuntimeError(platform::FileNotFound, temporary.errorString());
    temporary.close();
    if (!languageFileVersion(constants, temporary.fileName())) {
        scope.line(QStringLiteral("erreur kav fichier de langue reçu sans FileVersion : fichier conservé"));
        return;
    }
    std::error_code failure;
    std::filesystem::rename(temporary.fileName().toStdString(), target.absoluteFilePath().toStdString(), failure);
    if (failure)
        throw platform::RuntimeError(platform::FileNotFound, QString::fromStdString(failure.message()));
    temporary.setAutoRemove(false);
}

}  // namespace netrova
