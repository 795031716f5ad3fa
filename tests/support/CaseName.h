#pragma once

#include <QChar>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// A case name GoogleTest accepts (ASCII letters, digits and "_") made from a
// text that says what the case is, so that test lists and CTest show words
// instead of the bytes of the case: accents are dropped, any other character
// becomes "_", and an empty text is "Empty".
inline std::string caseName(const QString& text)
{
    std::string name;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
        name += plain ? static_cast<char>(u) : '_';
    }
    return name.empty() ? std::string("Empty") : name;
}

}  // namespace testsupport
