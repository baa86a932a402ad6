#pragma once
// A small INI file layer: "[Section]" headers and "Key=Value" lines.
//
// It behaves like the desktop's private profile functions the fill storage was designed
// around: reading never fails (a missing file, section or key, or a value that is not a number,
// yields the caller's fallback), section and key names match without regard to ASCII case, and
// every write goes straight to the file, so a write that cannot be carried out fails at once
// with "Unable to write to <file name>". Lines the layer does not understand (comments, blank
// lines) are kept as they are when the file is rewritten.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class IniFile {
 public:
  // Reads the file when it exists and is readable; otherwise starts empty.
  explicit IniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }

  // The value of the key, with surrounding blanks (and one pair of matching quotes) removed;
  // `fallback` when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view fallback) const;
  // A signed 32-bit decimal value; `fallback` when the key is missing or not such a number.
  std::int32_t ReadInteger(std::string_view section, std::string_view ident,
                           std::int32_t fallback) const;

  // Stores the value and rewrites the file. Throws EIniFileException when the file cannot be
  // written; the value stays in memory in that case.
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view ident, std::int32_t value);

 private:
  struct Line {
    std::string text;     // the line as it stands in the file, without its line end
    std::string section;  // for a section header: its name; else empty
    std::string key;      // for a key line: its name; else empty
  };

  std::optional<std::size_t> FindKey(std::string_view section, std::string_view ident) const;
  void Save() const;

  std::string fileName_;
  std::vector<Line> lines_;
};

}  // namespace tavrin
