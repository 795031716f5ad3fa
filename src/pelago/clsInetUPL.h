#pragma once

#include "frmInet.h"

#include "toolkit/clsInetUPL.h"

#include <QPointer>
#include <QStringList>

#include <functional>

namespace pelago {

class CommonData;

// The launcher's transport: the shared transport with the configuration names
// "CfgSite" and "CfgBdd" sent with every form post and raw post, the
// launcher's step codes, the AICC report by GET and a file-presence check.
class clsInetUPL : public toolkit::clsInetUPL {
    Q_OBJECT

public:
    // serverBase gives the course server's address, from which alone packages are fetched.
    clsInetUPL(CommonData& data, std::function<QString()> serverBase);

    // Binds the hidden form, whose retry timer the file check waits on.
    void SetInetForm(frmInet* frm) { form_ = frm; }

    // GETs siURL (an AICC address with the request in its query), without a
    // deadline: the request gives up only when nothing has moved for the
    // stall time. Then checks the management system's answer: True when it
    // says "error=0". A refusal,
    // an unreadable answer or a failed request gives False; when
    // DisplayMessageAicc is a non-zero whole number the learner also sees
    // MessageAicc with "%1" replaced by the error number. The answer's text
    // goes to soReturn, the request's result (1, else the transport's time-out
    // or failure code) to soResult, when given.
    bool puSendResult(const QString& siURL, QString* soReturn = nullptr, long* soResult = nullptr);

    // True when every listed file is in the folder; else looks again each
    // second of the retry timer, three times, before giving up.
    bool VerifPresenceFichiers(const QString& isPathFiles, const QStringList& iaFic);

private:
    CommonData& data_;
    QPointer<frmInet> form_;
};

}  // namespace pelago
