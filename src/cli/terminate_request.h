// Ctrl-C as the export's terminate request.
#pragma once

#include <csignal>

namespace tavrin::cli {

// Set to 1 by SIGINT or SIGTERM once InstallTerminateRequest() has run.
const volatile std::sig_atomic_t& TerminateRequest();

// The first SIGINT or SIGTERM only sets the flag, so the export stops at its next row and
// closes its chat file; the handler then resets itself, so a second one ends the program at
// once for a user who does not want to wait.
void InstallTerminateRequest();

}  // namespace tavrin::cli
