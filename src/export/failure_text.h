// The text of the top-level failure box, shared by the window and the headless front end.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::chat_export {

// The message with "." appended when it is not empty and its last character's code is above
// that of "." (so "File access denied" gets its period, while "...done." or "x!" do not).
std::string FailureBoxText(std::string_view message);

}  // namespace tavrin::chat_export
