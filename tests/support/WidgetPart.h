#pragma once

#include <QString>
#include <QWidget>

namespace testsupport {

// The child widget of that object name, null when the window has none.
template <typename T = QWidget>
T* part(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace testsupport
