#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

namespace vidora {

// The HTML pages of one player's sequences, "HTM<i>.htm", kept in a folder of
// the player's own under the temporary folder: made on the first write,
// readable by the learner alone (folder 0700, files 0600), and removed with
// everything in it when the pages object goes. Another player, or another
// user, can neither clash with these names nor put a link in their place.
class SequencePages {
public:
    // The folder is made under root (the temporary folder when empty).
    explicit SequencePages(QString root = QString());
    ~SequencePages();
    SequencePages(const SequencePages&) = delete;
    SequencePages& operator=(const SequencePages&) = delete;

    // The path of sequence index's page ("" before the folder exists).
    QString pagePath(long index) const;
    // Writes the text, UTF-8, as the page of that sequence, replacing an
    // earlier one. Raises run-time error 75 when the folder or file cannot
    // be written.
    void write(long index, const QString& html);
    // Deletes every page written so far; a page already gone is no error.
    // The paths it could not delete.
    QStringList removeAll();
    // The folder, "" before the first write.
    QString folder() const;

private:
    QString root_;
    std::unique_ptr<QTemporaryDir> dir_;
    QStringList written_;
};

}  // namespace vidora
