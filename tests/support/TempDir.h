#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace testsupport {

// A fixture that gives each test an empty folder of its own, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    // The folder, ending with "/".
    QString dir() const { return temp_.path() + QLatin1Char('/'); }
    QString path(const QString& relative) const { return dir() + relative; }

    // Writes the bytes to a file under the folder, creating its parent folders.
    QString writeFile(const QString& relative, const QByteArray& bytes) const
    {
        const QString full = path(relative);
        QDir().mkpath(full.left(full.lastIndexOf(QLatin1Char('/'))));
        QFile file(full);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << full.toStdString();
        file.write(bytes);
        return full;
    }

    QByteArray readFile(const QString& relative) const
    {
        QFile file(path(relative));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    // What lies under that folder (the whole test folder when empty), hidden
    // entries included: each file's path relative to it with its bytes, each
    // folder's path with a final "/" and no bytes. Two of them compared show
    // anything written, changed, left behind or removed.
    std::map<std::string, std::string> tree(const QString& relativeFolder = {}) const
    {
        std::map<std::string, std::string> entries;
        const QDir root(path(relativeFolder));
        QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString found = it.next();
            const std::string relative = root.relativeFilePath(found).toStdString();
            if (it.fileInfo().isDir() && !it.fileInfo().isSymLink()) {
                entries[relative + '/'];
            } else {
                QFile file(found);
                entries[relative] = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<illisible>";
            }
        }
        return entries;
    }

    // Everything the HTML trace logs under that folder (its sub-folders
    // included) hold so far.
    QString traceTextUnder(const QString& relativeFolder) const
    {
        QString text;
        QDirIterator files(path(relativeFolder), {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly))
                text += QString::fromUtf8(file.readAll());
        }
        return text;
    }

private:
    QTemporaryDir temp_;
};

}  // namespace testsupport
