#pragma once
// Text forms of a picture's bytes used by the fill's INI section form.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Two upper-case hexadecimal digits per byte, in byte order, nothing else.
std::string StreamToString(const std::vector<uint8_t>& stream);

// Empties `stream`, then appends one byte per complete pair of characters; an odd last
// character is ignored. Throws EConvertError ("No Hex-Number") at the first pair that is not
// hexadecimal (either case); the bytes before it stay in `stream`.
void StringToStream(std::string_view text, std::vector<uint8_t>& stream);

// The first two characters of `text` as a hexadecimal byte, the first the high nibble. Throws
// EConvertError ("No Hex-Number") when either is not 0-9, A-F or a-f, or is missing.
int32_t HexToInt(std::string_view text);

}  // namespace tavrin
