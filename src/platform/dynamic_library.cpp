#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace tavrin::platform {

DynamicLibrary::~DynamicLibrary() { Release(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      fileName_(std::move(other.fileName_)),
      error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, nullptr);
    fileName_ = std::move(other.fileName_);
    error_ = std::move(other.error_);
  }
  return *this;
}

DynamicLibrary DynamicLibrary::Load(const std::string& fileName) {
  DynamicLibrary library;
  // RTLD_LOCAL: the library's symbols are reached through Symbol only, never by accident.
  library.handle_ = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library.handle_ != nullptr) {
    library.fileName_ = fileName;
  } else {
    const char* reason = dlerror();
    library.error_ = reason != nullptr ? reason : "cannot load " + fileName;
  }
  return library;
}

void* DynamicLibrary::Symbol(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::Release() noexcept {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
  fileName_.clear();
}

}  // namespace tavrin::platform
