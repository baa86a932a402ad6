#pragma once
// Failures raised by the fill's storage forms. Each carries the message the user or caller sees.

#include <stdexcept>
#include <string>

namespace tavrin {

// A text that should hold a number does not ("No Hex-Number").
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The INI layer could not carry out a write ("Unable to write to <file>").
class EIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A property stream (the clipboard form) is malformed; the properties read before the fault
// have been set.
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The clipboard cannot be opened or refuses the data ("Cannot open clipboard").
class EClipboardException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tavrin
