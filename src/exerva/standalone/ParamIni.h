#pragma once

#include <QString>

#include <array>
#include <optional>

namespace exerva {

// The stand-alone mode's settings file "Param.ini": seven lines, each one text
// field between double quotes, "key" & separator & value:
//   "appli:12" "listepoint:1;3;7" "lLow:4" "lUp:6" "BaseBis:1" "ModeInet:0" "Path#/home/cours"
// A double quote inside a value is written doubled, so that no value can end
// its field early; a line break inside a value is written as a space.
//
// Reading is forgiving: a line may lack its quotes, the value is everything
// after the first ":" (lines 1 to 6) or the first "#" (line 7), whatever the key
// before it says, and a line that is missing or holds no separator gives no value.
class ParamIni {
public:
    enum Line {
        Appli,
        ListePoint,
        LLow,
        LUp,
        BaseBis,
        ModeInet,
        Path,
        LineCount,
    };
    using Values = std::array<QString, LineCount>;
    using ReadValues = std::array<std::optional<QString>, LineCount>;

    static QString fileName() { return QStringLiteral("Param.ini"); }

    // Seven settings never need more than this: a larger file is read up to its
    // last whole line within it, so that a stray huge file cannot fill memory.
    static constexpr qint64 maxReadBytes = 1024 * 1024;

    // The values of the file's lines; nothing when the file does not exist or
    // cannot be read. Text is read as UTF-8, or windows-1252 when it is not UTF-8.
    static std::optional<ReadValues> read(const QString& filePath);

    // Writes the file anew (UTF-8), replacing the old one only once the new one
    // is complete. False when it cannot be written.
    static bool write(const QString& filePath, const Values& values);

    // One line as written: key, separator and value, quoted.
    static QString line(Line line, const QString& value);
    // The field a written line holds: quotes removed, doubled quotes made single.
    // A line without an opening quote is taken as it stands, trimmed.
    static QString field(const QString& line);
};

}  // namespace exerva
