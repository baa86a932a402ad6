#include "store/sqlite_library.h"

#include "store/errors.h"
#include "store/sqlite_api_p.h"

namespace tavrin::store {

namespace {

template <typename Function>
bool LookUp(const platform::DynamicLibrary& library, const char* name, Function& function) {
  function = library.SymbolAs<Function>(name);
  return function != nullptr;
}

// Every function the store calls, or nothing: a library that lacks one (the older SQLite 2
// library has none of them) would crash the first call instead of failing cleanly.
std::unique_ptr<detail::SQLiteApi> BindApi(const platform::DynamicLibrary& library) {
  auto api = std::make_unique<detail::SQLiteApi>();
  const bool complete = LookUp(library, "sqlite3_open", api->open) &&
                        LookUp(library, "sqlite3_exec", api->exec) &&
                        LookUp(library, "sqlite3_free", api->free) &&
                        LookUp(library, "sqlite3_prepare", api->prepare) &&
                        LookUp(library, "sqlite3_step", api->step) &&
                        LookUp(library, "sqlite3_column_count", api->column_count) &&
                        LookUp(library, "sqlite3_column_name", api->column_name) &&
                        LookUp(library, "sqlite3_column_decltype", api->column_decltype) &&
                        LookUp(library, "sqlite3_column_text", api->column_text) &&
                        LookUp(library, "sqlite3_column_blob", api->column_blob) &&
                        LookUp(library, "sqlite3_column_bytes", api->column_bytes) &&
                        LookUp(library, "sqlite3_finalize", api->finalize) &&
                        LookUp(library, "sqlite3_close", api->close);
  if (!complete) api.reset();
  return api;
}

std::string JoinedNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += ", ";
    joined += name;
  }
  return joined;
}

}  // namespace

std::vector<std::string> SQLiteLibrary::DefaultCandidateNames() {
  return {"libsqlite3.so.0", "libsqlite.so.0"};
}

std::shared_ptr<SQLiteLibrary> SQLiteLibrary::Default() {
  static const std::shared_ptr<SQLiteLibrary> binding = std::make_shared<SQLiteLibrary>();
  return binding;
}

SQLiteLibrary::SQLiteLibrary(std::vector<std::string> candidateNames, Loader loader)
    : candidateNames_(std::move(candidateNames)), loader_(std::move(loader)) {}

SQLiteLibrary::~SQLiteLibrary() = default;

void SQLiteLibrary::Load() {
  if (IsLoaded()) return;
  for (const std::string& name : candidateNames_) {
    platform::DynamicLibrary library = loader_(name);
    if (!library.IsLoaded()) continue;
    std::unique_ptr<detail::SQLiteApi> api = BindApi(library);
    if (api == nullptr) continue;
    library_ = std::move(library);
    api_ = std::move(api);
    return;
  }
  throw ELibraryNotFound("None of the dynamic libraries can be found: " +
                         JoinedNames(candidateNames_));
}

}  // namespace tavrin::store
