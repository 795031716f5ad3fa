#pragma once

#include "SessionState.h"

#include "platform/Workstation.h"

namespace toolkit {

// Writes the machine's facts into the trace for its support reader: the user,
// the proxy the environment names, the computer, its domain, the system and
// the user logged on. Without a computer name, only the user and proxy lines.
void puLogSystemInfo(SessionState& state, const platform::WorkstationFacts& facts = platform::currentWorkstation());

}  // namespace toolkit
