#include "widgets/controls/picture_container.h"

#include <glib.h>

#include <algorithm>

namespace tavrin::controls {

TPictureItem::TPictureItem() : FPicture(std::make_unique<TSmoothPicture>()) {}

TPictureContainer::~TPictureContainer() {
  const auto referrers = std::move(FReferrers);
  for (const auto& [referrer, onFree] : referrers) onFree();
}

TPictureItem& TPictureContainer::Add() {
  FItems.push_back(std::make_unique<TPictureItem>());
  return *FItems.back();
}

TSmoothPicture* TPictureContainer::FindPicture(std::string_view name) const {
  const std::string wanted(name);
  for (const auto& item : FItems) {
    // Case folding that also covers letters beyond ASCII.
    gchar* a = g_utf8_casefold(item->Name.c_str(), -1);
    gchar* b = g_utf8_casefold(wanted.c_str(), -1);
    const bool same = g_strcmp0(a, b) == 0;
    g_free(a);
    g_free(b);
    if (same) return &item->Picture();
  }
  return nullptr;
}

void TPictureContainer::AddFreeNotification(const void* referrer, std::function<void()> onFree) {
  RemoveFreeNotification(referrer);
  FReferrers.emplace_back(referrer, std::move(onFree));
}

void TPictureContainer::RemoveFreeNotification(const void* referrer) {
  FReferrers.erase(std::remove_if(FReferrers.begin(), FReferrers.end(),
                                  [&](const auto& r) { return r.first == referrer; }),
                   FReferrers.end());
}

}  // namespace tavrin::controls
