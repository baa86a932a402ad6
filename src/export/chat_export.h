// The export run: asks for the output folder, finds every message database under the database
// root, reads each one and writes one chat file per chat.
//
// A chat file is named output folder + "l" + date part + fixfilename(chat name) + ".txt" and
// holds one line "[mdate] from_dispname: msg" + CR LF per message with a non-blank body,
// newest first, each line converted whole through the code page. The run services the host's
// message loop once per folder entry and once per row, and stops reading rows once the host
// reports the terminate request.
//
// Guarantees beyond the plain walk:
//   - every chat is a chat group of its own, whatever its name;
//   - a chat file written earlier in the same run is never replaced: a later chat group with
//     the same file name gets "_2" before ".txt", then "_3", and so on (a file left by an
//     earlier run is replaced);
//   - a chat name too long for a file name is cut at a character boundary so that the name,
//     number included, fits the output folder's file system, and the chat is exported;
//   - whichever way the run ends, the chat file it has open is closed with the lines written
//     so far, and the controls are restored.
#pragma once

#include <cstddef>

#include "export/export_host.h"
#include "platform/code_page.h"
#include "platform/directory_lister.h"
#include "platform/file_writer.h"
#include "store/read_only_query.h"
#include "store/sql_connection.h"

namespace tavrin::chat_export {

// What one run works with. The window owns all of it and passes the same objects every run.
struct TExportContext {
  TExportHost& host;
  store::TSQLConnection& connection;
  store::TReadOnlyQuery& query;  // bound to `connection`
  const platform::CodePage& codePage;
  platform::DirectoryLister& lister;
  platform::FileSystem& files;
};

// What a finished run did; failures leave as exceptions instead.
struct TExportSummary {
  std::size_t databases = 0;
  std::size_t rows = 0;  // rows read, terminate request considered
  std::size_t chatFiles = 0;
  std::size_t lines = 0;
  bool cancelled = false;   // the output dialog was cancelled
  bool terminated = false;  // the terminate request ended the run early
};

// Runs one export. Failures end the run at once and leave as exceptions carrying their
// message (store::EDatabaseError and its kin, platform::EInOutError, ...), after the path of a
// chat file that could not be created has been shown with ShowMessageDialog and after the
// controls have been restored. "No log files found !" is shown with ShowErrorDialog and is no
// failure.
TExportSummary doTavrinExport(const TExportContext& context);

}  // namespace tavrin::chat_export
