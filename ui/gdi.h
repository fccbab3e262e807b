#pragma once
// Owners of GDI objects (brushes, fonts, pens) and the program's icon pictures.
#include <windows.h>

#include <utility>

// Owner of one GDI object: deleted when the owner goes.
template <class T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T handle) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~GdiObject() { Reset(); }

  T Get() const { return handle_; }
  void Reset(T handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;

// The icon `id` of the program's resources drawn at `designSize` pixels (at 96
// dpi; scaled to the screen), or the system's stock icon of that id when the
// program has none. Icons are loaded once and live until the program ends.
// Returns nullptr for id 0 or an icon that exists nowhere.
HICON LoadDesignIcon(int id, int designSize);

// A solid brush of one colour, made again only when the colour changes.
class SolidBrush {
 public:
  HBRUSH Get(COLORREF color) {
    if (!brush_.Get() || color != color_) {
      brush_.Reset(CreateSolidBrush(color));
      color_ = color;
    }
    return brush_.Get();
  }

 private:
  Brush brush_;
  COLORREF color_ = 0;
};
