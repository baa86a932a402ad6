#pragma once
// The store's failures. Each carries the exact text the user sees in the failure box.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::store {

// A failure of the database layer that SQLite did not report itself, such as an unknown field
// name ("zq: Field 'x' not found") or an empty query text ("SQL Query is empty").
class EDatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A result code from SQLite that is neither success nor "row" nor "done".
// what() is "SQL Error: " followed by SQLite's message or the text for the code.
class ESQLException : public EDatabaseError {
 public:
  ESQLException(int errorCode, const std::string& message)
      : EDatabaseError(message), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

// A plain failure: none of the SQLite library's candidate file names could be loaded.
class ELibraryNotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The store's own text for a SQLite result code ("database is locked" for 5, "unknown error"
// for a code outside the table). The user sees these, not SQLite's sqlite3_errmsg.
std::string_view ErrorString(int code);

// Passes for 0 (ok), 100 (row) and 101 (done). Any other code throws ESQLException with
// "SQL Error: %s", filled with `message` trimmed of blanks and control characters at both ends,
// or with ErrorString(code) when that leaves nothing.
void CheckSQLiteError(int code, std::string_view message = {});

}  // namespace tavrin::store
