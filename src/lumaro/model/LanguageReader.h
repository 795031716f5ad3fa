#pragma once

#include <QString>

namespace lumaro {

// The language messages of the program, read by key. The question player
// provides the real reader; the model only takes messages from it.
class LanguageReader {
public:
    virtual ~LanguageReader() = default;
    // The message of the key in the current language, "" when there is none.
    virtual QString GetMessage(const QString& key) = 0;
};

}  // namespace lumaro
