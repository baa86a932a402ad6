#include "export/failure_text.h"

namespace tavrin::chat_export {

std::string FailureBoxText(std::string_view message) {
  std::string text(message);
  // In UTF-8 the last byte of a non-ASCII character is at least 0x80, just as every UTF-16 code
  // unit of such a character is above U+002E, so looking at the last byte decides alike.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace tavrin::chat_export
