#pragma once

#include <QString>


namespace platform::paths {

// The one path separator of the file system.
inline constexpr QChar separator = u'/';

// A path that comes from data (server replies, exercise files, INI files) was
// written for a file system that also separates with "\": both become "/".
QString fromData(const QString& path);

// The path with one "/" at its end (an empty path stays empty).
QString withTrailingSeparator(const QString& path);

// True when the data path, read with fromData, is relative and never climbs
// above its starting folder: no absolute path, no drive letter, no "..", no NUL,
// no name of the program's own resources (":" first).
bool staysInside(const QString& dataPath);

// True when the data names one file of a folder and nothing else: a name that
// stays inside, with no separator ("/" or "\"), and not "." or "..".
bool isPlainFileName(const QString& dataName);

// The data it names was written for a case-insensitive file system: an existing
// path is returned as it is; otherwise each component is looked up without
// regard to case, the exact name first, every component but the last as a
// folder. Returns the path found on disk, or the path unchanged when there is none.
QString findExisting(const QString& path);

}  // namespace platform::paths
