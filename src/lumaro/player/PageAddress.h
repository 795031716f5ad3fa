#pragma once

#include <QString>
#include <QUrl>

namespace lumaro {

// A page named by the course data, under the folder the session read from the
// application: a server address as it is, else the local file, found without
// regard to case.
QUrl pageAddress(const QString& folder, const QString& page);

} // namespace lumaro
