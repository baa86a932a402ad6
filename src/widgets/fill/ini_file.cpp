#include "widgets/fill/ini_file.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

#include "widgets/fill/fill_errors.h"

namespace tavrin {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {
  std::ifstream in(fileName_, std::ios::binary);
  std::string text;
  while (in && std::getline(in, text)) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    Line line{text, {}, {}};
    const std::string_view t = Trim(text);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      line.section = std::string(Trim(t.substr(1, t.size() - 2)));
    } else if (const auto eq = t.find('='); eq != std::string_view::npos && t.front() != ';') {
      line.key = std::string(Trim(t.substr(0, eq)));
    }
    lines_.push_back(std::move(line));
  }
}

std::optional<std::size_t> IniFile::FindKey(std::string_view section,
                                            std::string_view ident) const {
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (!line.section.empty()) {
      inSection = SameName(line.section, section);
    } else if (inSection && !line.key.empty() && SameName(line.key, ident)) {
      return i;
    }
  }
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view ident,
                                std::string_view fallback) const {
  const std::optional<std::size_t> found = FindKey(section, ident);
  if (!found) return std::string(fallback);
  const std::string& line = lines_[*found].text;
  std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view ident,
                                  std::int32_t fallback) const {
  const std::string text = ReadString(section, ident, "");
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return fallback;
  return value;
}

void IniFile::WriteString(std::string_view section, std::string_view ident,
                          std::string_view value) {
  std::string text = std::string(ident) + "=" + std::string(value);
  if (const std::optional<std::size_t> found = FindKey(section, ident)) {
    lines_[*found].text = std::move(text);
  } else {
    // Insert after the last key line of the section, or append a new section at the end.
    std::ptrdiff_t insertAt = -1;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (!lines_[i].section.empty()) inSection = SameName(lines_[i].section, section);
      if (inSection && (!lines_[i].section.empty() || !lines_[i].key.empty())) {
        insertAt = static_cast<std::ptrdiff_t>(i) + 1;
      }
    }
    if (insertAt < 0) {
      lines_.push_back({"[" + std::string(section) + "]", std::string(section), {}});
      insertAt = static_cast<std::ptrdiff_t>(lines_.size());
    }
    lines_.insert(lines_.begin() + insertAt, Line{std::move(text), {}, std::string(ident)});
  }
  Save();
}

void IniFile::WriteInteger(std::string_view section, std::string_view ident, std::int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

void IniFile::Save() const {
  std::ostringstream text;
  for (const Line& line : lines_) text << line.text << "\n";
  std::ofstream out(fileName_, std::ios::binary | std::ios::trunc);
  out << text.str();
  out.close();
  if (!out) throw EIniFileException("Unable to write to " + fileName_);
}

}  // namespace tavrin
