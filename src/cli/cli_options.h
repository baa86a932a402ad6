// The headless front end's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrin::cli {

enum class CliAction { Export, ShowHelp, BadUsage };

struct CliOptions {
  CliAction action = CliAction::BadUsage;
  std::optional<std::string> root;  // the database root; the default root when absent
  std::string out;                  // the output folder
  bool quiet = false;
  std::string error;  // what was wrong, for BadUsage
};

// Accepts "--root DIR", "--root=DIR", "--out DIR", "--out=DIR", "--quiet" (or "-q") and
// "--help" (or "-h"), in any order; a later value of an option replaces an earlier one.
// "--help" wins over everything else. "--out" is required and may not be empty.
CliOptions ParseCommandLine(const std::vector<std::string>& arguments);

// The text "--help" prints.
std::string HelpText(const std::string& programName);

// Process exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitNoDatabase = 3;
inline constexpr int kExitInterrupted = 130;  // 128 + SIGINT, as shells report it

}  // namespace tavrin::cli
