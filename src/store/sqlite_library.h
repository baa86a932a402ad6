#pragma once
// The program's binding to the SQLite shared library, made at the first connect.
//
// States: not loaded -> loaded (Load succeeded; stays loaded until the binding is destroyed at
// program end). A failed Load leaves it not loaded, so the next connect tries every candidate
// again from the first.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"

namespace tavrin::store {

namespace detail {
struct SQLiteApi;
}

class SQLiteLibrary {
 public:
  // "libsqlite3.so.0" first, "libsqlite.so.0" second.
  static std::vector<std::string> DefaultCandidateNames();

  // The binding every connection uses unless it is given another.
  static std::shared_ptr<SQLiteLibrary> Default();

  // How a candidate file name is loaded; a test can stand in for a machine without SQLite.
  using Loader = std::function<platform::DynamicLibrary(const std::string& fileName)>;

  explicit SQLiteLibrary(std::vector<std::string> candidateNames = DefaultCandidateNames(),
                         Loader loader = &platform::DynamicLibrary::Load);
  ~SQLiteLibrary();
  SQLiteLibrary(const SQLiteLibrary&) = delete;
  SQLiteLibrary& operator=(const SQLiteLibrary&) = delete;

  const std::vector<std::string>& CandidateNames() const { return candidateNames_; }
  // Takes effect at the next Load while not loaded.
  void SetCandidateNames(std::vector<std::string> names) { candidateNames_ = std::move(names); }

  bool IsLoaded() const { return api_ != nullptr; }
  const std::string& LoadedName() const { return library_.FileName(); }

  // Loads the first candidate that loads and exports every function the store calls; does
  // nothing when already loaded. Throws ELibraryNotFound with
  // "None of the dynamic libraries can be found: <names joined by ", ">" when none does.
  void Load();

  // Precondition: IsLoaded().
  const detail::SQLiteApi& Api() const { return *api_; }

 private:
  std::vector<std::string> candidateNames_;
  Loader loader_;
  platform::DynamicLibrary library_;
  std::unique_ptr<detail::SQLiteApi> api_;
};

}  // namespace tavrin::store
