#include "platform/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <utility>

namespace tavrin::platform {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
constexpr char kDefaultCharacter = '?';

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when its first byte does
// not start one (Unicode's table of well-formed byte sequences).
inline std::size_t SequenceLength(const unsigned char* s, std::size_t available) {
  const unsigned char lead = s[0];
  if (lead < 0x80) return 1;
  auto inRange = [&](std::size_t i, unsigned char lo, unsigned char hi) {
    return i < available && s[i] >= lo && s[i] <= hi;
  };
  if (lead >= 0xC2 && lead <= 0xDF) return inRange(1, 0x80, 0xBF) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned char lo = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned char hi = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    return inRange(1, lo, hi) && inRange(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned char lo = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    return inRange(1, lo, hi) && inRange(2, 0x80, 0xBF) && inRange(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

bool IsAscii(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ULL) return false;
  }
  for (; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

std::string NormalisedCharsetName(std::string_view name) {
  std::string result;
  for (char c : name) {
    if (c == '-' || c == '_') continue;
    result += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return result;
}

class Utf8CodePage final : public CodePage {
 public:
  explicit Utf8CodePage(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const override { return name_; }
  bool IsUtf8() const override { return true; }
  std::string Narrow(std::string_view utf8) const override { return Valid(utf8); }
  std::string Widen(std::string_view bytes) const override { return Valid(bytes); }
  void AppendNarrow(std::string_view utf8, std::string& out) const override {
    AppendValidUtf8(utf8, out);
  }
  void AppendRoundTrip(std::string_view utf8, std::string& out) const override {
    AppendValidUtf8(utf8, out);
  }

 private:
  static std::string Valid(std::string_view text) {
    std::string out;
    AppendValidUtf8(text, out);
    return out;
  }
  std::string name_;
};

// Owns one iconv conversion descriptor.
class IconvHandle {
 public:
  IconvHandle(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("iconv cannot convert from " + from + " to " + to + ": " +
                               std::strerror(errno));
    }
  }
  ~IconvHandle() { iconv_close(cd_); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Converts all of `in` into `out`. At a sequence the target cannot take, or an input byte
  // that is not valid, `onBadInput` appends a stand-in and returns how many input bytes to skip.
  template <typename OnBadInput>
  void Convert(std::string_view in, std::string& out, OnBadInput onBadInput) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t used = out.size();
    out.resize(used + in.size() * 2 + 16);
    bool flushing = false;  // input done; the shift state is written out last
    for (;;) {
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      const std::size_t rc = flushing ? iconv(cd_, nullptr, nullptr, &outPtr, &outLeft)
                                      : iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      const int error = errno;
      used = out.size() - outLeft;
      if (rc != static_cast<std::size_t>(-1)) {
        if (flushing) break;
        flushing = inLeft == 0;
        continue;
      }
      if (error == E2BIG) {
        out.resize(out.size() * 2 + 16);
      } else {  // EILSEQ or EINVAL
        out.resize(used);
        const std::size_t skip = std::min(inLeft, onBadInput(inPtr, inLeft, out));
        inPtr += skip;
        inLeft -= skip;
        used = out.size();
        out.resize(used + inLeft * 2 + 16);
      }
    }
    out.resize(used);
  }

 private:
  iconv_t cd_;
};

class IconvCodePage final : public CodePage {
 public:
  explicit IconvCodePage(std::string name)
      : name_(std::move(name)), narrow_(name_ + "//TRANSLIT", "UTF-8"), widen_("UTF-8", name_) {
    asciiTransparent_ = ConvertsAsciiUnchanged();
  }

  const std::string& Name() const override { return name_; }
  bool IsUtf8() const override { return false; }

  std::string Narrow(std::string_view utf8) const override {
    if (asciiTransparent_ && IsAscii(utf8)) return std::string(utf8);
    std::string valid;
    AppendValidUtf8(utf8, valid);
    std::string out;
    std::lock_guard lock(mutex_);
    narrow_.Convert(valid, out, [](const char* at, std::size_t left, std::string& o) {
      o += kDefaultCharacter;  // a character without a best fit
      const std::size_t length = SequenceLength(reinterpret_cast<const unsigned char*>(at), left);
      return length == 0 ? 1 : length;
    });
    return out;
  }

  std::string Widen(std::string_view bytes) const override {
    if (asciiTransparent_ && IsAscii(bytes)) return std::string(bytes);
    std::string out;
    std::lock_guard lock(mutex_);
    widen_.Convert(bytes, out, [](const char*, std::size_t, std::string& o) {
      o += kReplacementCharacter;  // a byte the code page does not define
      return std::size_t{1};
    });
    return out;
  }

 private:
  // Whether every ASCII text converts to itself both ways, so ASCII can skip iconv. Besides the
  // single bytes, the probes hold the shift sequences of the 7-bit stateful sets (ISO-2022,
  // UTF-7, HZ), which read ASCII bytes as something else.
  bool ConvertsAsciiUnchanged() const {
    std::string everyByte;
    for (int c = 1; c < 0x80; ++c) everyByte += static_cast<char>(c);
    const std::string probes[] = {everyByte, "\x1B$BF|K\\\x1B(B", "+ZeVnLA-", "~{;:~}"};
    auto dropBadInput = [](const char*, std::size_t, std::string&) { return std::size_t{1}; };
    for (const std::string& probe : probes) {
      std::string narrowed;
      std::string widened;
      narrow_.Convert(probe, narrowed, dropBadInput);
      widen_.Convert(probe, widened, dropBadInput);
      if (narrowed != probe || widened != probe) return false;
    }
    return true;
  }

  std::string name_;
  // iconv descriptors carry conversion state, so one conversion at a time.
  mutable std::mutex mutex_;
  mutable IconvHandle narrow_;
  mutable IconvHandle widen_;
  bool asciiTransparent_ = false;
};

}  // namespace

void CodePage::AppendRoundTrip(std::string_view utf8, std::string& out) const {
  out += Widen(Narrow(utf8));
}

void AppendValidUtf8(std::string_view utf8, std::string& out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::size_t runStart = 0;
  std::size_t i = 0;
  while (i < size) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = SequenceLength(bytes + i, size - i);
    if (length != 0) {
      i += length;
      continue;
    }
    out.append(utf8.data() + runStart, i - runStart);
    out += kReplacementCharacter;
    runStart = ++i;
  }
  out.append(utf8.data() + runStart, size - runStart);
}

// Runs for every text value of every row, so ASCII is skipped a word at a time.
bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    if (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, bytes + i, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        i += 8;
        continue;
      }
    }
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = SequenceLength(bytes + i, size - i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::unique_ptr<CodePage> MakeCodePage(std::string_view charsetName) {
  std::string name(charsetName);
  if (NormalisedCharsetName(name) == "UTF8") return std::make_unique<Utf8CodePage>(name);
  return std::make_unique<IconvCodePage>(name);
}

std::unique_ptr<CodePage> MakeLocaleCodePage() {
  const char* codeset = nl_langinfo(CODESET);
  return MakeCodePage(codeset != nullptr && *codeset != '\0' ? codeset : "ANSI_X3.4-1968");
}

const CodePage& HostCodePage() {
  static const std::unique_ptr<CodePage> host = [] {
    try {
      return MakeLocaleCodePage();
    } catch (const std::runtime_error&) {
      // A locale whose set iconv cannot convert: plain ASCII is what every set agrees on.
      return MakeCodePage("ANSI_X3.4-1968");
    }
  }();
  return *host;
}

}  // namespace tavrin::platform
