#include "cli/cli_options.h"

#include <string_view>

namespace tavrin::cli {

namespace {

// Takes the value of "--name VALUE" or "--name=VALUE"; false when `argument` is not this
// option. A missing value is reported in `error`.
bool TakeValue(std::string_view name, const std::vector<std::string>& arguments, std::size_t& i,
               std::optional<std::string>& value, std::string& error) {
  const std::string_view argument = arguments[i];
  if (argument == name) {
    if (i + 1 >= arguments.size()) {
      error = "option " + std::string(name) + " needs a folder";
    } else {
      value = arguments[++i];
    }
    return true;
  }
  if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
      argument[name.size()] == '=') {
    value = std::string(argument.substr(name.size() + 1));
    return true;
  }
  return false;
}

}  // namespace

CliOptions ParseCommandLine(const std::vector<std::string>& arguments) {
  CliOptions options;
  std::optional<std::string> out;
  bool help = false;
  // The first mistake is the one reported, but the scan goes on: "--help" anywhere wins.
  auto mistake = [&options](std::string text) {
    if (options.error.empty()) options.error = std::move(text);
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string missingValue;
    if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--quiet" || argument == "-q") {
      options.quiet = true;
    } else if (TakeValue("--root", arguments, i, options.root, missingValue) ||
               TakeValue("--out", arguments, i, out, missingValue)) {
      if (!missingValue.empty()) mistake(missingValue);
    } else if (!argument.empty() && argument[0] == '-') {
      mistake("unknown option " + argument);
    } else {
      mistake("unexpected argument " + argument);
    }
  }
  if (help) {
    options.action = CliAction::ShowHelp;
    options.error.clear();
    return options;
  }
  if (options.error.empty() && (!out || out->empty()))
    options.error = "the output folder is missing (--out DIR)";
  if (!options.error.empty()) return options;
  options.out = *out;
  options.action = CliAction::Export;
  return options;
}

std::string HelpText(const std::string& programName) {
  return "Usage: " + programName +
         " [--root DIR] --out DIR [--quiet] [--help]\n"
         "\n"
         "Finds every message database (a file named main.db, in any letter case) in the folder\n"
         "tree under the database root and writes one text file per chat into the output\n"
         "folder: l<date><chat>.txt, the date being that of the chat's newest message, one line\n"
         "\"[date time] sender: body\" per message, newest first, CR LF line ends, in the\n"
         "character set of the current locale. Folders named like the client's non-message\n"
         "data (chatsync, httpfe, voicemail, My Skype Received Files) are not searched.\n"
         "An existing file of a chat file's name is replaced; within one run no chat file is\n"
         "replaced: a second chat with the same file name gets _2, _3, ... before .txt.\n"
         "\n"
         "Options:\n"
         "  --root DIR   the database root (default: the per-user configuration folder,\n"
         "               $XDG_CONFIG_HOME or ~/.config, followed by skype/)\n"
         "  --out DIR    the output folder; it must exist\n"
         "  --quiet, -q  no progress and no summary on a terminal\n"
         "  --help, -h   this text\n"
         "\n"
         "On a terminal the progress (databases found, the current database, rows done of its\n"
         "total, chat files written) is shown on standard error, followed by a one-line\n"
         "summary. Messages the window would show in a dialog go to standard error: \"No log\n"
         "files found !\", the full path of a chat file that cannot be created, and a failure's\n"
         "message. Ctrl-C stops the export: the current chat file is closed with the lines\n"
         "written so far and no further chat file is written; a second Ctrl-C ends the program\n"
         "at once.\n"
         "\n"
         "Exit status:\n"
         "  0    success\n"
         "  1    failure (a database could not be read, a chat file could not be written)\n"
         "  2    bad usage\n"
         "  3    no database found\n"
         "  130  stopped by Ctrl-C\n";
}

}  // namespace tavrin::cli
