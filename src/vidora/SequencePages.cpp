#include "SequencePages.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vidora {

namespace {

// Path/file access error.
constexpr long pathFileAccessError = 75;

}  // namespace

SequencePages::SequencePages(QString root) : root_(std::move(root)) {}

SequencePages::~SequencePages() = default;

QString SequencePages::folder() const
{
    return dir_ ? dir_->path() : QString();
}

QString SequencePages::pagePath(long index) const
{
    return dir_ ? dir_->filePath(QStringLiteral("HTM%1.htm").arg(index)) : QString();
}

void SequencePages::write(long index, const QString& html)
{
    if (!dir_) {
        const QString root = root_.isEmpty() ? QDir::tempPath() : root_;
        // QTemporaryDir makes the folder for the owner alone.
        auto dir = std::make_unique<QTemporaryDir>(QDir(root).filePath(QStringLiteral("vidora-XXXXXX")));
        if (!dir->isValid())
            throw platform::RuntimeError(pathFileAccessError, dir->errorString());
        dir_ = std::move(dir);
    }
    const QString path = pagePath(index);
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw platform::RuntimeError(pathFileAccessError, file.errorString());
    const QByteArray bytes = html.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw platform::RuntimeError(pathFileAccessError, file.errorString());
    if (!written_.contains(path))
        written_.append(path);
}

QStringList SequencePages::removeAll()
{
    QStringList failed;
    for (const QString& path : std::as_const(written_)) {
        if (QFile::exists(path) && !QFile::remove(path))
            failed.append(path);
    }
    written_ = failed;
    return failed;
}

}  // namespace vidora
