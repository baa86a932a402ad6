#include "store/read_only_query.h"

#include <cstring>

#include "platform/code_page.h"
#include "store/errors.h"
#include "store/sql_connection.h"
#include "store/sqlite_api_p.h"
#include "store/value_text_p.h"

namespace tavrin::store {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

struct ColumnLayout {
  std::string label;
  TSQLColumnKind kind;
};

std::vector<ColumnLayout> ReadLayout(const detail::SQLiteApi& api, sqlite3_stmt* statement) {
  std::vector<ColumnLayout> columns;
  const int count = api.column_count(statement);
  for (int c = 0; c < count; ++c) {
    ColumnLayout column;
    if (const char* name = api.column_name(statement, c)) {
      platform::AppendValidUtf8(name, column.label);  // decoded, never narrowed
    }
    const char* declared = api.column_decltype(statement, c);
    column.kind = ConvertSQLiteTypeToSQLType(declared != nullptr ? declared : "");
    columns.push_back(std::move(column));
  }
  return columns;
}

// Stores the current row of `statement`, converting every value by its column's kind.
void CacheRow(const detail::SQLiteApi& api, sqlite3_stmt* statement,
              const std::vector<ColumnLayout>& columns, const platform::CodePage& codePage,
              RowCache& cache, std::string& scratch) {
  cache.StartRow();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int column = static_cast<int>(c);
    const auto* text = reinterpret_cast<const char*>(api.column_text(statement, column));
    if (text == nullptr) {
      cache.AddNull();
      continue;
    }
    const TSQLColumnKind& kind = columns[c].kind;
    if (kind.type == TSQLType::stBinaryStream) {
      const auto* bytes = static_cast<const char*>(api.column_blob(statement, column));
      const auto count = static_cast<std::size_t>(api.column_bytes(statement, column));
      cache.AddValue(detail::BinaryText({bytes, bytes != nullptr ? count : 0}, codePage, scratch));
    } else {
      cache.AddValue(detail::ValueText(kind, {text, std::strlen(text)}, codePage, scratch));
    }
  }
}

// "x", then "x_1", "x_2", ... for labels met before; "Column" for an empty label.
std::string UniqueFieldName(const std::string& label, const std::vector<TField>& earlier) {
  const std::string base = label.empty() ? "Column" : label;
  auto taken = [&](const std::string& name) {
    for (const TField& field : earlier) {
      if (SameTextIgnoringCase(field.FieldName(), name)) return true;
    }
    return false;
  };
  std::string name = base;
  for (int number = 1; taken(name); ++number) name = base + "_" + std::to_string(number);
  return name;
}

// Steps through the whole result of a prepared statement into a new cache, finalizing the
// statement on every way out; step and finalize failures throw.
RowCache ReadWholeResult(const detail::SQLiteApi& api, detail::SQLiteStatement& statement,
                         const platform::CodePage& codePage, std::vector<ColumnLayout>& columns) {
  sqlite3_stmt* handle = statement.Get();
  int stepResult = api.step(handle);
  CheckSQLiteError(stepResult);

  columns = ReadLayout(api, handle);
  RowCache cache(columns.size());
  std::string scratch;
  while (stepResult == detail::kSQLiteRow) {
    CacheRow(api, handle, columns, codePage, cache, scratch);
    stepResult = api.step(handle);
    CheckSQLiteError(stepResult);
  }
  CheckSQLiteError(statement.Finalize());
  return cache;
}

}  // namespace

TReadOnlyQuery::TReadOnlyQuery(std::string name) : name_(std::move(name)) {}

TReadOnlyQuery::~TReadOnlyQuery() { SetConnection(nullptr); }

void TReadOnlyQuery::SetConnection(TSQLConnection* connection) {
  Close();
  if (connection_ != nullptr) connection_->Detach(*this);
  connection_ = connection;
  if (connection_ != nullptr) connection_->Attach(*this);
}

void TReadOnlyQuery::ConnectionGone() noexcept {
  Close();
  connection_ = nullptr;
}

void TReadOnlyQuery::SetSQL(std::string_view text) {
  Close();
  sqlLines_ = SplitLines(text);
}

std::string TReadOnlyQuery::SQLText() const {
  std::string text;
  for (const std::string& line : sqlLines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TReadOnlyQuery::Close() noexcept {
  active_ = false;
  eof_ = true;
  recNo_ = 0;
  fields_.clear();
  cache_.Clear();
}

void TReadOnlyQuery::Open() {
  Close();
  const std::string text = SQLText();
  if (IsBlank(text)) throw EDatabaseError("SQL Query is empty");
  if (connection_ == nullptr) throw EDatabaseError("Database connection is not assigned");
  connection_->Connect();

  const detail::SQLiteApi& api = connection_->Library().Api();
  sqlite3_stmt* prepared = nullptr;
  const int prepareResult =
      api.prepare(connection_->DatabaseHandle().Get(), text.c_str(), -1, &prepared, nullptr);
  detail::SQLiteStatement statement(api, prepared);
  CheckSQLiteError(prepareResult);
  if (prepared == nullptr) CheckSQLiteError(detail::kSQLiteError);  // text without a statement

  std::vector<ColumnLayout> columns;
  RowCache cache = ReadWholeResult(api, statement, connection_->CodePage(), columns);

  std::vector<TField> fields;
  fields.reserve(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    fields.emplace_back(*this, c, UniqueFieldName(columns[c].label, fields), columns[c].kind);
  }
  cache_ = std::move(cache);
  fields_ = std::move(fields);
  recNo_ = 0;
  eof_ = cache_.RowCount() == 0;
  active_ = true;
}

const TField* TReadOnlyQuery::FindField(std::string_view name) const {
  for (const TField& field : fields_) {
    if (SameTextIgnoringCase(field.FieldName(), name)) return &field;
  }
  return nullptr;
}

const TField& TReadOnlyQuery::FieldByName(std::string_view name) const {
  if (const TField* field = FindField(name)) return *field;
  const std::string message = "Field '" + std::string(name) + "' not found";
  throw EDatabaseError(name_.empty() ? message : name_ + ": " + message);
}

}  // namespace tavrin::store
