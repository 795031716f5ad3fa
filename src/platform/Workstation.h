#pragma once

#include <QString>

namespace platform {

// What the system knows of the machine it runs on and of its user, for the
// support reader of a trace log. A fact the system cannot tell is "".
struct WorkstationFacts {
    QString userName;       // the account running the program
    QString loginName;      // the user logged on at the program's terminal, else the account
    QString computerName;   // the host name
    QString domainName;     // the host's network domain
    QString systemName;     // "Linux"
    QString systemVersion;  // major "." minor of the kernel release
};

WorkstationFacts currentWorkstation();

}  // namespace platform
