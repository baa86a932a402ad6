#pragma once
// The host's "ANSI code page": the one character set that text read from a message database is
// squeezed through and that chat files are written in. On this platform it is the character set
// of the locale the program starts in, so a user on a UTF-8 desktop loses nothing and a user on
// a single-byte locale gets exactly what that set can hold.
//
// All text inside the program is UTF-8. A code page converts between UTF-8 and its own bytes.

#include <memory>
#include <string>
#include <string_view>

namespace tavrin::platform {

class CodePage {
 public:
  virtual ~CodePage() = default;

  // The charset name as iconv knows it ("UTF-8", "ISO-8859-1", "ANSI_X3.4-1968", ...).
  virtual const std::string& Name() const = 0;

  // True when the code page is UTF-8; Narrow and Widen then only repair malformed input.
  virtual bool IsUtf8() const = 0;

  // UTF-8 text to bytes of this code page. Malformed UTF-8 is first decoded as the platform's
  // decoder would: every byte that does not start a well-formed sequence becomes U+FFFD. A
  // character the code page cannot hold becomes its best-fit character where one exists
  // (transliteration), otherwise "?". Never fails.
  virtual std::string Narrow(std::string_view utf8) const = 0;

  // Bytes of this code page to UTF-8. A byte that is not valid in the code page becomes U+FFFD.
  // Never fails.
  virtual std::string Widen(std::string_view bytes) const = 0;

  // Narrow(utf8) appended to `out`, so a caller can reuse one buffer for many texts. Under
  // UTF-8 it copies without an allocation of its own.
  virtual void AppendNarrow(std::string_view utf8, std::string& out) const { out += Narrow(utf8); }

  // Widen(Narrow(utf8)), appended to `out`: the text reduced to what the code page can hold.
  // The default goes through both steps; under UTF-8 it is a single validating copy.
  virtual void AppendRoundTrip(std::string_view utf8, std::string& out) const;

  std::string RoundTrip(std::string_view utf8) const {
    std::string out;
    AppendRoundTrip(utf8, out);
    return out;
  }
};

// The code page of the current locale (nl_langinfo(CODESET)); call after setlocale(LC_ALL, "").
// Throws std::runtime_error when iconv cannot convert to or from that character set.
std::unique_ptr<CodePage> MakeLocaleCodePage();

// A code page for an explicit charset name, for tests and tools.
// Throws std::runtime_error when iconv does not know the name.
std::unique_ptr<CodePage> MakeCodePage(std::string_view charsetName);

// The host's one code page, made from the locale at the first call and kept for the life of
// the program. The store's text conversions and the chat files both use it.
const CodePage& HostCodePage();

// True when `text` is well-formed UTF-8, i.e. AppendValidUtf8 would copy it unchanged.
bool IsValidUtf8(std::string_view text);

// Appends `utf8` to `out` with every byte that does not start a well-formed UTF-8 sequence
// (overlong forms, surrogates and values above U+10FFFF included) replaced by U+FFFD.
void AppendValidUtf8(std::string_view utf8, std::string& out);

}  // namespace tavrin::platform
