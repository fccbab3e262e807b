// The icons bound into the program: each group holds exactly the sizes the
// windows ask for, as 32-bit images, and each one loads and draws with a
// transparent background.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct ExpectedIcon {
  int id;
  const char* name;
  std::set<int> sizes;
};

const ExpectedIcon kIcons[] = {
    {IDI_TREFOIL, "trefoil", {16, 24, 32}},
    {IDI_PADLOCK_OPEN, "padlock_open", {24}},
    {IDI_PADLOCK_CLOSED, "padlock_closed", {24}},
    {IDI_WINDOW_TABLE, "window_table", {32}},
    {IDI_QUESTION_DISC, "question_disc", {32}},
    {IDI_MASK, "mask", {24}},
    {IDI_DICE, "dice", {24}},
    {IDI_RED_CROSS, "red_cross", {32}},
    {IDI_HISTORY_CLOCK, "history_clock", {32}},
    {IDI_DISK, "disk", {32}},
    {IDI_FOLDER_OPEN, "folder_open", {32}},
    {IDI_DISK_CHECK, "disk_check", {32}},
    {IDI_LOGO, "logo", {256}},
    {IDI_SCAN_SLICES, "scan_slices", {128}},
    {IDI_GEAR_CODE, "gear_code", {128}},
};

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved, type, count;
};
struct GroupIconEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

struct GroupEntry {
  int size;
  int bitCount;
};

std::vector<GroupEntry> ReadIconGroup(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  if (!found) return {};
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const auto* header = reinterpret_cast<const GroupIconHeader*>(bytes);
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(bytes + sizeof(GroupIconHeader));
  std::vector<GroupEntry> result;
  for (WORD i = 0; i < header->count; ++i) {
    result.push_back({entries[i].width == 0 ? 256 : entries[i].width, entries[i].bitCount});
  }
  return result;
}

// Draws the icon on a dark grey square and returns the pixels (0x00RRGGBB).
std::vector<std::uint32_t> DrawOnGrey(HICON icon, int size) {
  constexpr std::uint32_t kGrey = 0x404040;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < size * size; ++i) pixels[i] = kGrey;
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::vector<std::uint32_t> result(pixels, pixels + size * size);
  for (auto& p : result) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return result;
}

}  // namespace

TEST(Icons, EachGroupHoldsItsSizesIn32Bits) {
  for (const ExpectedIcon& icon : kIcons) {
    SCOPED_TRACE(icon.name);
    std::vector<GroupEntry> entries = ReadIconGroup(icon.id);
    std::set<int> sizes;
    for (const GroupEntry& e : entries) {
      sizes.insert(e.size);
      EXPECT_EQ(e.bitCount, 32) << "size " << e.size;
    }
    EXPECT_EQ(entries.size(), icon.sizes.size());
    EXPECT_EQ(sizes, icon.sizes);
  }
}

TEST(Icons, EachSizeLoadsAndDrawsOnTransparentCorners) {
  for (const ExpectedIcon& expected : kIcons) {
    for (int size : expected.sizes) {
      SCOPED_TRACE(std::string(expected.name) + " " + std::to_string(size));
      HICON handle = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(expected.id),
                                                  IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      ASSERT_NE(handle, nullptr);
      ICONINFO iconInfo{};
      ASSERT_TRUE(GetIconInfo(handle, &iconInfo));
      BITMAP colour{};
      GetObjectW(iconInfo.hbmColor, sizeof(colour), &colour);
      EXPECT_EQ(colour.bmWidth, size);
      EXPECT_EQ(colour.bmHeight, size);
      if (iconInfo.hbmColor) DeleteObject(iconInfo.hbmColor);
      if (iconInfo.hbmMask) DeleteObject(iconInfo.hbmMask);

      std::vector<std::uint32_t> pixels = DrawOnGrey(handle, size);
      DestroyIcon(handle);
      // Every picture leaves its corners empty: they must show the background.
      EXPECT_EQ(pixels[0], 0x404040u);
      EXPECT_EQ(pixels[size * size - 1], 0x404040u);
      size_t drawn = 0;
      for (std::uint32_t p : pixels) drawn += p != 0x404040u;
      EXPECT_GT(drawn, pixels.size() / 4) << "the picture covers a good part of its square";
    }
  }
}
