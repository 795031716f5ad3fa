#pragma once

#include "SessionState.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace toolkit {

// A package on its way into a component folder. Its files are written, as
// they come, into a folder of its own beside the component folder (on the
// same file system, so that a move is a rename), and move into the component
// folder only when the whole package is there.
//
// Until install() succeeds the component folder is left exactly as it was:
// a package that fails part-way, at any step (a file that does not come, one
// that cannot be written, a move that fails), leaves neither a file of its own
// nor a changed older version behind. The staging folder goes with this
// object, whatever happened. Every failure stores its error and writes its
// "erreur kav" line.
class StagedPackage {
public:
    // folder: the component folder, made by install() when missing.
    StagedPackage(SessionState& state, const QString& folder, const tracel::TraceScope& scope);
    ~StagedPackage();
    StagedPackage(const StagedPackage&) = delete;
    StagedPackage& operator=(const StagedPackage&) = delete;

    // False, with the error stored, when the staging folder could not be made.
    bool ready() const { return staging_.has_value(); }

    // One file of the package, by its path below the package ("a/b.dll"):
    // written from the bytes, or copied from a file. False with the error stored.
    bool write(const QString& name, const QByteArray& contents);
    bool copy(const QString& name, const QString& sourceFile);

    // Moves every file written into the component folder, each in the
    // sub-folder its name gives, in place of an older version. The folder,
    // with a final "/"; "" with the error stored, the folder as it was.
    QString install();

private:
    // The file's place in the staging folder, its parent folder made; "" with the error stored.
    QString stagedPath(const QString& name);
    // The parent folders of that file of the component folder, made where
    // missing; those it made are added to `made`, outermost first.
    bool makeFolders(const QString& folder, QStringList& made, QString& why) const;
    // The staged file opened for writing, and closed with its name kept
    // (written: every byte went out); false with the error stored. A file
    // without a name was not staged.
    bool open(QFile& out, const QString& name) const;
    bool close(QFile& out, const QString& name, bool written);
    void fail(const QString& why) const;

    SessionState& state_;
    const tracel::TraceScope& scope_;
    QString folder_;
    std::optional<QTemporaryDir> staging_;
    QStringList names_;
};

}  // namespace toolkit
