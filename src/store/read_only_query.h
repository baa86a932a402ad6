#pragma once
// A read-only query over a TSQLConnection that reads its whole result into memory when it opens.
//
// States: Closed (no cache, no fields) and Open (row cache, fields, cursor). Open prepares the
// text, steps through every row into the cache and finalizes the statement before it returns,
// so an open query holds no statement and reads nothing from the file. A new query text, a
// disconnect of the connection, Close and the destructor make it Closed; a failed Open leaves it
// Closed.
//
// The row loop:
//
//   zq.SetSQL(std::string(kMessageQuery));
//   zq.Open();
//   const TField& body = zq.FieldByName("msg");   // look up once, keep for the whole result
//   for (; !zq.Eof(); zq.Next()) {
//     std::string_view text = body.AsString();     // a view into the cache, no copy
//     ...
//   }

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/row_cache.h"
#include "store/sql_types.h"

namespace tavrin::store {

class TSQLConnection;
class TReadOnlyQuery;

// One result column of an open query. Valid until the query closes or opens again.
class TField {
 public:
  TField(const TReadOnlyQuery& query, std::size_t index, std::string name, TSQLColumnKind kind)
      : query_(&query), index_(index), fieldName_(std::move(name)), kind_(kind) {}

  // The column's label, made unique ("x", "x_1", ...); "Column" for an empty label.
  const std::string& FieldName() const { return fieldName_; }
  std::size_t Index() const { return index_; }
  TSQLType DataType() const { return kind_.type; }
  int Size() const { return kind_.size; }

  // On the current row. Both false/empty when the result has no rows.
  bool IsNull() const;
  // The value as UTF-8 text, already passed through the connection's code page; the empty text
  // for NULL. Integer columns give their decimal text, boolean ones "True" or "False". The view
  // stays valid until the query closes.
  std::string_view AsString() const;

 private:
  const TReadOnlyQuery* query_;
  std::size_t index_;
  std::string fieldName_;
  TSQLColumnKind kind_;
};

class TReadOnlyQuery {
 public:
  // `name` is the component name put before the text of a field-lookup failure ("zq").
  explicit TReadOnlyQuery(std::string name = {});
  ~TReadOnlyQuery();
  TReadOnlyQuery(const TReadOnlyQuery&) = delete;
  TReadOnlyQuery& operator=(const TReadOnlyQuery&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // Binds the query to `connection` (or to none); closes it first. The connection must outlive
  // the binding; a connection that goes away first unbinds its queries.
  TSQLConnection* Connection() const { return connection_; }
  void SetConnection(TSQLConnection* connection);

  // Replaces the query text (lines separated by CR LF, LF or CR). Every assignment, also of the
  // same text, closes the query.
  void SetSQL(std::string_view text);
  const std::vector<std::string>& SQL() const { return sqlLines_; }
  // What SQLite is given: every line followed by CR LF.
  std::string SQLText() const;

  // Connects the connection if needed, runs the text and caches every row. The cursor stands on
  // the first row. Throws EDatabaseError "SQL Query is empty" for a blank text and when no
  // connection is bound, ESQLException for SQLite's failures, the connection's failures when it
  // cannot connect. Reopening an open query reads the file anew.
  void Open();
  // Drops the cache and the fields. Never throws.
  void Close() noexcept;
  bool Active() const { return active_; }

  // True when the result has no rows, or after Next on the last row.
  bool Eof() const { return eof_; }
  // To the following row; on the last row sets Eof and stays there.
  void Next() {
    if (recNo_ + 1 < cache_.RowCount()) {
      ++recNo_;
    } else {
      eof_ = true;
    }
  }
  // Index of the current row (0-based) and number of cached rows.
  std::size_t RecNo() const { return recNo_; }
  std::size_t RecordCount() const { return cache_.RowCount(); }

  std::size_t FieldCount() const { return fields_.size(); }
  const TField& Fields(std::size_t index) const { return fields_.at(index); }
  // The field whose name equals `name` without regard to (ASCII) letter case, or nullptr.
  const TField* FindField(std::string_view name) const;
  // As FindField, but throws EDatabaseError "zq: Field 'name' not found" (the query's name and
  // ": " left out when the query has no name).
  const TField& FieldByName(std::string_view name) const;

  // The cache of the open query.
  const RowCache& Cache() const { return cache_; }

 private:
  friend class TField;
  friend class TSQLConnection;
  void ConnectionGone() noexcept;

  std::string name_;
  TSQLConnection* connection_ = nullptr;
  std::vector<std::string> sqlLines_;
  bool active_ = false;
  bool eof_ = true;
  std::size_t recNo_ = 0;
  RowCache cache_;
  std::vector<TField> fields_;
};

inline bool TField::IsNull() const {
  const RowCache& cache = query_->cache_;
  return query_->recNo_ < cache.RowCount() && cache.IsNull(query_->recNo_, index_);
}

inline std::string_view TField::AsString() const {
  const RowCache& cache = query_->cache_;
  if (query_->recNo_ >= cache.RowCount()) return {};
  return cache.Value(query_->recNo_, index_);
}

}  // namespace tavrin::store
