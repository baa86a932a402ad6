#pragma once
// How a value SQLite hands over as text becomes the text the caller reads: once through the
// code page, then shaped by the column's kind.

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "store/sql_types.h"

namespace tavrin::store::detail {

// The text of a value of `kind` whose SQLite text (UTF-8, up to its first NUL) is `text`. The
// result is a view of `text` itself or of `scratch`, which it may overwrite.
std::string_view ValueText(const TSQLColumnKind& kind, std::string_view text,
                           const platform::CodePage& codePage, std::string& scratch);

// The text of raw bytes read as if they were text in the code page.
std::string_view BinaryText(std::string_view bytes, const platform::CodePage& codePage,
                            std::string& scratch);

// The longest prefix of `utf8` whose length in UTF-16 code units is at most `units`. A character
// outside the Basic Multilingual Plane counts two units and is never split.
std::string_view CutToUtf16Units(std::string_view utf8, std::size_t units);

}  // namespace tavrin::store::detail
