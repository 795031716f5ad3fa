#pragma once

#include "basalo/clsManager.h"

#include <QString>
#include <QStringList>

namespace toolkit {

// The language messages of one program: each program reads its own section of
// an INI language file, named by its prefix ("Lumaro_Langue_", "Netrova_Langue_",
// "Pelago_Langue_") followed by the language identifier.
class clsLangue {
public:
    explicit clsLangue(QString sectionPrefix) : sectionPrefix_(std::move(sectionPrefix)) {}

    QString LangueID() const { return langueId_; }
    void LangueID(const QString& value) { langueId_ = value; }
    QString LNGFilePath() const { return lngFilePath_; }
    void LNGFilePath(const QString& value) { lngFilePath_ = value; }

    // The text of the key, read from the file at every call; "" when the file,
    // the section or the key is missing.
    QString GetMessage(const QString& key) const;

    // The same, with every "%1", "%2" and "%3" replaced by the first, second and
    // third value. The replacement is made in one pass, so a value that holds a
    // placeholder itself is left as it is.
    QString GetMessage(const QString& key, const QStringList& values) const;

    // The placeholder replacement on its own, for texts that do not come from
    // the file directly.
    static QString fillPlaceholders(const QString& text, const QStringList& values);

private:
    QString sectionPrefix_;
    QString langueId_;
    QString lngFilePath_;
    basalo::clsManager basalo_;
};

}  // namespace toolkit
