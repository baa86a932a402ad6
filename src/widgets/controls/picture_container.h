// TPictureContainer: named pictures that an HTML caption may refer to. A panel only refers to
// a container; when the container goes away, every panel referring to it forgets it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/drawing/smooth_picture.h"

namespace tavrin::controls {

class TPictureItem {
 public:
  TPictureItem();
  std::string Name;
  int32_t Tag = 0;
  TSmoothPicture& Picture() const { return *FPicture; }
  // Copies the given picture's bytes.
  void SetPicture(const TSmoothPicture& value) { FPicture->Assign(&value); }

 private:
  std::unique_ptr<TSmoothPicture> FPicture;
};

class TPictureContainer {
 public:
  TPictureContainer() = default;
  // Tells every referrer that the container is gone.
  ~TPictureContainer();
  TPictureContainer(const TPictureContainer&) = delete;
  TPictureContainer& operator=(const TPictureContainer&) = delete;

  std::vector<std::unique_ptr<TPictureItem>>& Items() { return FItems; }
  TPictureItem& Add();
  // The picture of the first item whose name equals name ignoring case, or null.
  TSmoothPicture* FindPicture(std::string_view name) const;
  std::string Version() const { return "1.0.0.0"; }
  void SetVersion(const std::string&) {}

  // Referrers register a callback run when the container is destroyed.
  void AddFreeNotification(const void* referrer, std::function<void()> onFree);
  void RemoveFreeNotification(const void* referrer);

 private:
  std::vector<std::unique_ptr<TPictureItem>> FItems;
  std::vector<std::pair<const void*, std::function<void()>>> FReferrers;
};

}  // namespace tavrin::controls
