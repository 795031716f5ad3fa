#include "StagedPackage.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>
#include <vector>

namespace toolkit {
namespace {

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A rename within one file system: the file is wholly at one place or the
// other, never copied; it fails rather than replace what is at `to`.
bool move(const QString& from, const QString& to, QString& why)
{
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(fsPath(to), error))) {
        why = to + QStringLiteral(" existe déjà");
        return false;
    }
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    if (error)
        why = to + QStringLiteral(" : ") + QString::fromLocal8Bit(error.message());
    return !error;
}

// A file that is there, a link included, as opposed to nothing at that name.
bool occupied(const QFileInfo& info)
{
    return info.exists() || info.isSymLink();
}

}  // namespace

StagedPackage::StagedPackage(SessionState& state, const QString& folder, const tracel::TraceScope& scope)
    : state_(state), scope_(scope), folder_(folder.isEmpty() ? QString() : QDir::cleanPath(folder))
{
    if (folder_.isEmpty()) {
        fail(QStringLiteral("Dossier des composants non défini"));
        return;
    }
    const QFileInfo target(folder_);
    const QString parent = target.absolutePath();
    if (!QDir().mkpath(parent)) {
        fail(QStringLiteral("Dossier impossible à créer : ") + parent);
        return;
    }
    // Beside the component folder, so that installing is renaming.
    staging_.emplace(parent + QStringLiteral("/.") + target.fileName() + QStringLiteral("-XXXXXX"));
    if (!staging_->isValid()) {
        fail(QStringLiteral("Dossier de réception impossible à créer dans %1 : %2")
                 .arg(parent, staging_->errorString()));
        staging_.reset();
    }
}

StagedPackage::~StagedPackage() = default;

void StagedPackage::fail(const QString& why) const
{
    state_.recordError(platform::RuntimeError(platform::FileNotFound, why), scope_);
}

QString StagedPackage::stagedPath(const QString& name)
{
    if (!staging_)
        return {};
    const QString path = staging_->filePath(QStringLiteral("new/") + name);
    const QString parent = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent)) {
        fail(QStringLiteral("Dossier impossible à créer pour %1 : %2").arg(name, parent));
        return {};
    }
    return path;
}

bool StagedPackage::write(const QString& name, const QByteArray& contents)
{
    QFile out(stagedPath(name));
    if (!open(out, name))
        return false;
    return close(out, name, out.write(contents) == contents.size());
}

bool StagedPackage::copy(const QString& name, const QString& sourceFile)
{
    QFile in(sourceFile);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Fichier %1 illisible : %2").arg(sourceFile, in.errorString()));
        return false;
    }
    // Copied piece by piece, never whole in memory; the copy gets the
    // folder's usual rights, never the source's (a disc's files may be executable).
    QFile out(stagedPath(name));
    if (!open(out, name))
        return false;
    constexpr qint64 pieceSize = 256 * 1024;
    bool written = true;
    while (written && !in.atEnd()) {
        const QByteArray piece = in.read(pieceSize);
        if (in.error() != QFileDevice::NoError) {
            fail(QStringLiteral("Fichier %1 illisible : %2").arg(sourceFile, in.errorString()));
            return false;
        }
        written = out.write(piece) == piece.size();
    }
    return close(out, name, written);
}

bool StagedPackage::open(QFile& out, const QString& name) const
{
    if (out.fileName().isEmpty())
        return false;
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(QStringLiteral("Fichier %1 non écrit : %2").arg(name, out.errorString()));
        return false;
    }
    return true;
}

bool StagedPackage::close(QFile& out, const QString& name, bool written)
{
    // Closing forgets an error of an earlier write: it is taken before.
    const QString writeError = written ? QString() : out.errorString();
    out.close();
    if (!written || out.error() != QFileDevice::NoError) {
        fail(QStringLiteral("Fichier %1 non écrit : %2").arg(name, written ? out.errorString() : writeError));
        return false;
    }
    names_.append(name);
    scope_.line(QStringLiteral("Fichier reçu : ") + name, 3);
    return true;
}

bool StagedPackage::makeFolders(const QString& folder, QStringList& made, QString& why) const
{
    QStringList missing;
    for (QString at = folder; !occupied(QFileInfo(at)); at = QFileInfo(at).absolutePath())
        missing.prepend(at);
    for (const QString& at : missing) {
        if (!QDir().mkdir(at)) {
            why = QStringLiteral("Dossier impossible à créer : ") + at;
            return false;
        }
        made.append(at);
    }
    if (!QFileInfo(folder).isDir()) {
        why = QStringLiteral("Un fichier porte le nom du dossier ") + folder;
        return false;
    }
    return true;
}

QString StagedPackage::install()
{
    if (!staging_)
        return {};
    struct Placed {
        QString file;
        QString older;  // where the older version waits, "" when there was none
    };
    std::vector<Placed> placed;
    QStringList made;
    // Everything back as it was: the package's files out, the older versions in, the new folders gone.
    const auto undo = [&] {
        QString why;
        for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
            if (!QFile::remove(it->file))
                scope_.line(QStringLiteral("erreur kav fichier non retiré : ") + it->file);
            if (!it->older.isEmpty() && !move(it->older, it->file, why))
                scope_.line(QStringLiteral("erreur kav ancienne version non remise : ") + why);
        }
        for (auto it = made.crbegin(); it != made.crend(); ++it)
            QDir().rmdir(*it);
    };

    QString why;
    if (!makeFolders(folder_, made, why)) {
        undo();
        fail(why);
        return {};
    }
    const QString target = platform::paths::withTrailingSeparator(folder_);
    for (const QString& name : std::as_const(names_)) {
        const QString file = target + name;
        const QFileInfo existing(file);
        bool moved = makeFolders(existing.absolutePath(), made, why);
        QString older;
        if (moved && occupied(existing)) {
            if (existing.isDir() && !existing.isSymLink()) {
                why = QStringLiteral("Un dossier porte le nom du fichier ") + file;
                moved = false;
            } else {
                // Kept aside until the whole package is in, to be put back otherwise.
                older = staging_->filePath(QStringLiteral("old/") + name);
                const QString olderFolder = QFileInfo(older).absolutePath();
                moved = QDir().mkpath(olderFolder) && move(file, older, why);
                if (!moved) {
                    if (why.isEmpty())
                        why = QStringLiteral("Dossier impossible à créer : ") + olderFolder;
                    older.clear();
                }
            }
        }
        if (moved && !move(staging_->filePath(QStringLiteral("new/") + name), file, why)) {
            QString back;
            if (!older.isEmpty() && !move(older, file, back))
                scope_.line(QStringLiteral("erreur kav ancienne version non remise : ") + back);
            moved = false;
        }
        if (!moved) {
            undo();
            fail(QStringLiteral("Paquet non installé dans %1 : %2").arg(target, why));
            return {};
        }
        placed.push_back({file, older});
    }
    return target;
}

}  // namespace toolkit
