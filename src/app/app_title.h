// The application title: the caption of the plain message dialog and of the failure box.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::app {

// The title made from a program file's full name: the part after the last "/", cut before
// its first ".", every character after the first in lower case (the first keeps its case).
// "/usr/bin/Export.Tool.EXE" gives "Export", "MYAPP" gives "Myapp". Text is UTF-8; each
// character is lowered on its own by Unicode's one-character mapping (never by bytes), and
// bytes that are no UTF-8 stay unchanged.
std::string ApplicationTitle(std::string_view programFile);

// The running program's full file name: the target of /proc/self/exe, or argv0 when that
// link cannot be read (a restricted /proc).
std::string ProgramFileName(std::string_view argv0);

}  // namespace tavrin::app
