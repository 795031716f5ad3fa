#pragma once

#include "basalo/Enumerations.h"
#include "basalo/enuFunctionReturnState.h"
#include "platform/LastError.h"
#include "platform/OleDate.h"

#include <QString>

namespace basalo {

// The library's last error, shared by every clsManager of the process.
struct BasaloState {
    platform::LastError lastError;

    static BasaloState& processDefault();
};

// Constants, date text, INI reading and path syntax shared by every program of
// the family.
class clsManager {
public:
    explicit clsManager(BasaloState& state = BasaloState::processDefault()) : state_(state) {}

    // The date's serial as decimal text with "." as separator, whatever the locale.
    // 8000 with the error stored, soReturn unchanged, for a date outside the range.
    enuFunctionReturnState ConvertDateToKavDbl(platform::OleDate dteiLocalDateTime, QString& soReturn);
    // The reverse: only digits, an optional sign and one "." are read. 8001 with
    // error 13 (not a number) or 6 (outside the date range) stored, dteoReturn unchanged.
    enuFunctionReturnState ConvertKavDblToDate(const QString& siKavDblDate, platform::OleDate& dteoReturn);

    // Read once: each reading returns the stored value and clears it.
    QString ErrorDescription();
    long ErrorNumber();

    QString ConstanteValue(long eiConstante) const;

    // The value of the key in that section of the INI file, "" when the file,
    // the section or the key is missing.
    QString GetPrivateProfileString(const QString& siSection, const QString& siKey, const QString& siFileName) const;

    // Completes the path with the separator of its type.
    void CheckPathSyntax(QString& soPath, long eiPathType) const;

private:
    void storeError(long number);

    BasaloState& state_;
};

}  // namespace basalo
