#include "ui/gdi.h"

#include <map>
#include <utility>

#include "ui/scale.h"

namespace {
// Icons of the program's resources, by id and pixel size; stock icons are
// shared with the system and never destroyed.
class IconCache {
 public:
  ~IconCache() {
    for (auto& [key, entry] : icons_)
      if (entry.owned && entry.icon) DestroyIcon(entry.icon);
  }

  HICON Get(int id, int pixels) {
    auto key = std::make_pair(id, pixels);
    auto found = icons_.find(key);
    if (found != icons_.end()) return found->second.icon;
    Entry entry;
    entry.icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                               IMAGE_ICON, pixels, pixels, 0));
    entry.owned = entry.icon != nullptr;
    if (!entry.icon)
      entry.icon = static_cast<HICON>(
          LoadImageW(nullptr, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, LR_SHARED));
    icons_.emplace(key, entry);
    return entry.icon;
  }

 private:
  struct Entry {
    HICON icon = nullptr;
    bool owned = false;
  };
  std::map<std::pair<int, int>, Entry> icons_;
};
}  // namespace

HICON LoadDesignIcon(int id, int designSize) {
  if (id == 0 || designSize <= 0) return nullptr;
  static IconCache cache;
  return cache.Get(id, DesignToPixels(designSize));
}
