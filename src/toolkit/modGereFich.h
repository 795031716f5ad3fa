#pragma once

#include "SessionState.h"

#include <QString>

namespace toolkit {

// What the separator helpers make of an empty text: the Internet plug-in turns
// it into the separator alone, the AICC launcher leaves it empty.
enum class EmptyText { BecomesSeparator, StaysEmpty };

// Appends "/" unless the text already ends with it.
void puAddTrailingSlash(QString& text, EmptyText empty = EmptyText::BecomesSeparator);
// The same for a folder path, whose "\" are read as separators: the path ends
// with the file system's separator afterwards.
void puAddTrailingBackslash(QString& text, EmptyText empty = EmptyText::BecomesSeparator);

// True when something of that name exists, folder or file; never fails.
bool puCheckFolderExist(SessionState& state, const QString& isFolder);

// The number of component libraries ("*.dll") in the folder, which the
// original platform had unregistered; nothing needs unregistering here, so
// each is only named in the trace. Then removes the folder's "kavcheck.dat".
// -1, removing nothing, when the folder cannot be searched.
long puDllsUnRegister(SessionState& state, const QString& siDLLPath);

}  // namespace toolkit
