#pragma once
// A shared library loaded at run time by file name, released when its owner goes away.

#include <string>

namespace tavrin::platform {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;  // holds no library
  ~DynamicLibrary();
  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads `fileName` with the platform's usual library search (a bare name searches the
  // system's library paths). On failure the result holds no library and Error() says why.
  static DynamicLibrary Load(const std::string& fileName);

  bool IsLoaded() const { return handle_ != nullptr; }
  const std::string& FileName() const { return fileName_; }
  const std::string& Error() const { return error_; }

  // The address of an exported symbol, or nullptr when the library lacks it (or holds none).
  void* Symbol(const char* name) const;

  template <typename Function>
  Function SymbolAs(const char* name) const {
    return reinterpret_cast<Function>(Symbol(name));
  }

 private:
  void Release() noexcept;

  void* handle_ = nullptr;
  std::string fileName_;
  std::string error_;
};

}  // namespace tavrin::platform
