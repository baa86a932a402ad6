#include "store/errors.h"

#include <array>
#include <memory>
#include <string>

#include "platform/code_page.h"
#include "store/sqlite_api_p.h"

namespace tavrin::store {

namespace {

constexpr std::array<std::string_view, 27> kErrorTexts = {
    "not an error",
    "SQL logic error or missing database",
    "internal SQLite implementation flaw",
    "access permission denied",
    "callback requested query abort",
    "database is locked",
    "database table is locked",
    "out of memory",
    "attempt to write a readonly database",
    "interrupted",
    "disk I/O error",
    "database disk image is malformed",
    "table or record not found",
    "database is full",
    "unable to open database file",
    "database locking protocol failure",
    "table contains no data",
    "database schema has changed",
    "too much data for one table row",
    "constraint failed",
    "datatype mismatch",
    "library routine called out of sequence",
    "kernel lacks large file support",
    "authorization denied",
    "auxiliary database format error",
    "bind index out of range",
    "file is encrypted or is not a database",
};

// Blanks and control characters count alike: everything up to the space.
std::string_view TrimBlanksAndControls(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool Passes(int code) {
  return code == detail::kSQLiteOk || code == detail::kSQLiteRow || code == detail::kSQLiteDone;
}

}  // namespace

std::string_view ErrorString(int code) {
  if (code < 0 || code >= static_cast<int>(kErrorTexts.size())) return "unknown error";
  return kErrorTexts[code];
}

void CheckSQLiteError(int code, std::string_view message) {
  if (Passes(code)) return;
  std::string_view text = TrimBlanksAndControls(message);
  if (text.empty()) text = ErrorString(code);
  throw ESQLException(code, "SQL Error: " + std::string(text));
}

namespace detail {

void CheckExecResult(const SQLiteApi& api, int code, char* message) {
  std::string text;
  if (message != nullptr) {
    std::unique_ptr<char, decltype(api.free)> owned(message, api.free);
    platform::AppendValidUtf8(owned.get(), text);  // SQLite may quote bytes of a file name
  }
  CheckSQLiteError(code, text);
}

}  // namespace detail

}  // namespace tavrin::store
