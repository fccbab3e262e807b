// Calls by slot number, unsigned address sums, shell items from locations,
// ID lists and task-memory strings.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

using Microsoft::WRL::ComPtr;

namespace {
// An object whose function table the calls go through; each slot records
// what it received and answers its own number.
struct SlotRecorder {
  std::vector<uintptr_t> received;
  int calls = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot0() {
    ++calls;
    received.clear();
    return 100;
  }
  virtual HRESULT STDMETHODCALLTYPE Slot1(uintptr_t a) {
    ++calls;
    received = {a};
    return 101;
  }
  virtual HRESULT STDMETHODCALLTYPE Slot2(uintptr_t a, uintptr_t b, uintptr_t c) {
    ++calls;
    received = {a, b, c};
    return static_cast<HRESULT>(0x80004005u);
  }
  virtual HRESULT STDMETHODCALLTYPE Slot3(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e,
                                          uintptr_t f, uintptr_t g, uintptr_t h) {
    ++calls;
    received = {a, b, c, d, e, f, g, h};
    return 103;
  }
};

void ExpectRaises(int32_t number, const std::function<void()>& action) {
  try {
    action();
    ADD_FAILURE() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), number);
  }
}

std::wstring DisplayName(IShellItem* item, SIGDN kind) {
  PWSTR name = nullptr;
  if (item == nullptr || FAILED(item->GetDisplayName(kind, &name))) return L"";
  std::wstring text = name;
  CoTaskMemFree(name);
  return text;
}
}  // namespace

TEST(CallInterfaceMethod, CallsTheSlotWithTheArgumentValues) {
  SlotRecorder recorder;
  EXPECT_EQ(CmnDialogExProbe::CallInterfaceMethod(&recorder, 0), 100) << "no arguments";
  EXPECT_TRUE(recorder.received.empty());
  EXPECT_EQ(CmnDialogExProbe::CallInterfaceMethod(&recorder, 1, {42}), 101);
  EXPECT_EQ(recorder.received, (std::vector<uintptr_t>{42}));
  EXPECT_EQ(CmnDialogExProbe::CallInterfaceMethod(&recorder, 2, {7, 0xFFFFFFFFu, 9}), static_cast<int32_t>(0x80004005u))
      << "the method's own result comes back, failure codes included";
  EXPECT_EQ(recorder.received, (std::vector<uintptr_t>{7, 0xFFFFFFFFu, 9}));
  EXPECT_EQ(CmnDialogExProbe::CallInterfaceMethod(&recorder, 3, {1, 2, 3, 4, 5, 6, 7, 8}), 103);
  EXPECT_EQ(recorder.received, (std::vector<uintptr_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(recorder.calls, 4);
}

TEST(CallInterfaceMethod, BadSlotOrNullObjectMakesNoCallAndLeavesFive) {
  SlotRecorder recorder;
  SetLastError(0);
  EXPECT_FALSE(CmnDialogExProbe::CallInterfaceMethod(&recorder, -1, {1}).has_value());
  EXPECT_EQ(GetLastError(), 5u);
  SetLastError(0);
  EXPECT_FALSE(CmnDialogExProbe::CallInterfaceMethod(nullptr, 3).has_value());
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_EQ(recorder.calls, 0);
  ExpectRaises(kErrOverflow, [&] { CmnDialogExProbe::CallInterfaceMethod(&recorder, 0x20000000); });
  EXPECT_EQ(recorder.calls, 0);
}

TEST(CallInterfaceMethod, CallsARealShellItem) {
  ScratchFolder folder;
  const std::wstring file = folder.File(L"slot.dcm");
  ASSERT_TRUE(WriteFileBytes(file, "DICM"));
  ComPtr<IShellItem> item;
  ASSERT_EQ(SHCreateItemFromParsingName(file.c_str(), nullptr, IID_PPV_ARGS(&item)), S_OK);

  PWSTR name = nullptr;
  auto hr = CmnDialogExProbe::CallInterfaceMethod(item.Get(), 5,  // IShellItem::GetDisplayName
                                                  {static_cast<uintptr_t>(SIGDN_FILESYSPATH),
                                                   reinterpret_cast<uintptr_t>(&name)});
  ASSERT_EQ(hr, 0);
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(TextEquals(name, file));
  CoTaskMemFree(name);

  auto refs = CmnDialogExProbe::CallInterfaceMethod(item.Get(), 1);  // AddRef, no arguments
  ASSERT_TRUE(refs.has_value());
  EXPECT_EQ(CmnDialogExProbe::CallInterfaceMethod(item.Get(), 2), *refs - 1);  // Release
}

TEST(UnsignedAdd, SumsAsUnsignedThirtyTwoBitValues) {
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(0x7FFFFFFF, 1), static_cast<int32_t>(0x80000000u));
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(0x10000, -8), 0xFFF8);
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(static_cast<int32_t>(0x80000000u), 0x10), static_cast<int32_t>(0x80000010u));
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(static_cast<int32_t>(0xFFFFFFF0u), 0xF), -1);
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(5, 0), 5);
  EXPECT_EQ(CmnDialogExProbe::UnsignedAdd(static_cast<int32_t>(0x80000000u), -1), 0x7FFFFFFF);
}

TEST(UnsignedAdd, RaisesWhenTheSumLeavesThirtyTwoBits) {
  ExpectRaises(kErrOverflow, [] { CmnDialogExProbe::UnsignedAdd(-1, 1); });        // 2^32
  ExpectRaises(kErrOverflow, [] { CmnDialogExProbe::UnsignedAdd(5, 4294967296.0); });  // |Incr| ≥ 2^32
  ExpectRaises(kErrOverflow, [] { CmnDialogExProbe::UnsignedAdd(5, -4294967296.0); });
  ExpectRaises(kErrOverflow, [] { CmnDialogExProbe::UnsignedAdd(0, -1); });  // below 0
}

TEST(CoTaskMemToString, CopiesAndFreesWhenAsked) {
  PWSTR none = nullptr;
  EXPECT_EQ(CmnDialogExProbe::CoTaskMemToString(none, true), L"");

  auto alloc = [](const std::wstring& text) {
    auto* memory = static_cast<PWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    memcpy(memory, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return memory;
  };
  PWSTR kept = alloc(L"C:\\Data\\a.dcm");
  EXPECT_EQ(CmnDialogExProbe::CoTaskMemToString(kept, false), L"C:\\Data\\a.dcm");
  EXPECT_EQ(CmnDialogExProbe::CoTaskMemToString(kept, false), L"C:\\Data\\a.dcm") << "not freed";
  PWSTR freed = alloc(L"x");
  PWSTR before = freed;
  EXPECT_EQ(CmnDialogExProbe::CoTaskMemToString(freed, true), L"x");
  EXPECT_EQ(freed, before) << "the pointer keeps its value";
  CoTaskMemFree(kept);
  PWSTR empty = alloc(L"");
  EXPECT_EQ(CmnDialogExProbe::CoTaskMemToString(empty, true), L"");
}

TEST(ShellItemFromPath, MakesItemsFromEveryKindOfLocation) {
  ScratchFolder folder;
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);

  EXPECT_FALSE(probe.ShellItemFromPath(std::monostate{}, nullptr));
  EXPECT_FALSE(probe.ShellItemFromPath(std::wstring(), nullptr));

  ComPtr<IShellItem> fromPath = probe.ShellItemFromPath(folder.Path(), nullptr);
  ASSERT_TRUE(fromPath);
  EXPECT_TRUE(TextEquals(DisplayName(fromPath.Get(), SIGDN_FILESYSPATH), folder.Path()));

  ComPtr<IUnknown> object = fromPath;
  ComPtr<IShellItem> fromObject = probe.ShellItemFromPath(object, nullptr);
  EXPECT_EQ(fromObject.Get(), fromPath.Get()) << "an object is asked for its IShellItem";

  // A folder CLSID in braces is parsed as "::" followed by the text.
  const std::wstring myComputer = L"{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
  ComPtr<IShellItem> fromClsid = probe.ShellItemFromPath(myComputer, nullptr);
  ASSERT_TRUE(fromClsid);
  EXPECT_TRUE(TextEquals(DisplayName(fromClsid.Get(), SIGDN_DESKTOPABSOLUTEPARSING), L"::" + myComputer));
  // Without braces the same GUID is taken as a path, which names nothing.
  EXPECT_FALSE(probe.ShellItemFromPath(myComputer.substr(1, 36), nullptr));

  PIDLIST_ABSOLUTE list = nullptr;
  ASSERT_EQ(SHGetIDListFromObject(fromPath.Get(), &list), S_OK);
  ComPtr<IShellItem> fromList = probe.ShellItemFromPath(OwnedIdList{list}, nullptr);
  EXPECT_TRUE(TextEquals(DisplayName(fromList.Get(), SIGDN_FILESYSPATH), folder.Path()));
  IShellItem* target = nullptr;
  EXPECT_FALSE(probe.ShellItemFromPath(OwnedIdList{list}, &target)) << "the item goes to the target";
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(TextEquals(DisplayName(target, SIGDN_FILESYSPATH), folder.Path()));
  target->Release();
  ILFree(list);
}

TEST(ItemIdList, ConvertsTheLocationAndFreesIt) {
  ScratchFolder folder;
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);

  probe.ItemIdList(true, false);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(probe.LocationItem())) << "Empty stays Empty";

  probe.LocationItem() = folder.Path();
  probe.ItemIdList(true, false);
  ASSERT_TRUE(std::holds_alternative<OwnedIdList>(probe.LocationItem()));
  PIDLIST_ABSOLUTE list = std::get<OwnedIdList>(probe.LocationItem()).pidl;
  wchar_t path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDListW(list, path));
  EXPECT_TRUE(TextEquals(path, folder.Path()));

  probe.ItemIdList(false, false);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(probe.LocationItem())) << "the list is freed";

  probe.LocationItem() = std::wstring(L"D:\\nowhere");
  probe.ItemIdList(false, false);
  EXPECT_TRUE(std::holds_alternative<std::wstring>(probe.LocationItem())) << "a text is kept without Clear";
  probe.ItemIdList(false, true);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(probe.LocationItem()));

  probe.LocationItem() = std::wstring(folder.Path() + L"\\missing");
  probe.ItemIdList(true, false);
  EXPECT_TRUE(std::holds_alternative<std::wstring>(probe.LocationItem())) << "no item, no list";
}
