#pragma once

#include "NetrovaContext.h"

#include "toolkit/clsInetUPL.h"

#include <QStringList>

namespace netrova {

// The plug-in's transport: the shared transport with the session identifier
// sent as "sessionid" to form pages and as "PkCookie" with raw posts, the
// plug-in's step codes, and the form post the hosting page scripts.
class clsInetUPL : public toolkit::clsInetUPL {
    Q_OBJECT

public:
    explicit clsInetUPL(NetrovaContext& context);

    // Posts the page's form with the fields given as name, value, name,
    // value...: as many records as half the number of values rounded to the
    // nearest even number, so that an odd last value is dropped. The reply, or
    // "KAV_ERREUR" when the post failed or a value is missing.
    QString PostExternData(const QString& siURL, const QString& siPage, const QStringList& values);
};

}  // namespace netrova
