// What the item dialog leaves after Show: paths of real shell items of files
// the test creates, offsets, the caller's item or array, the folder picker's
// gathered selections and their running count, and the names of items that
// have no file-system path.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/dialogs/fake_file_dialog.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_version_seam.h"
#include "ui/text.h"

using Microsoft::WRL::ComPtr;

namespace {
// Files of a scratch folder and shell items and item arrays made from them.
struct ShellFiles {
  ScratchFolder folder{L"dqres"};
  std::wstring Make(const std::wstring& name) {
    std::wstring path = folder.File(name);
    EXPECT_TRUE(WriteFileBytes(path, "x"));
    return path;
  }
  static ComPtr<IShellItem> Item(const std::wstring& path) {
    ComPtr<IShellItem> item;
    EXPECT_EQ(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&item)), S_OK);
    return item;
  }
  static ComPtr<IShellItemArray> Array(const std::vector<std::wstring>& paths) {
    std::vector<PIDLIST_ABSOLUTE> lists;
    for (const std::wstring& p : paths) {
      PIDLIST_ABSOLUTE list = nullptr;
      EXPECT_EQ(SHParseDisplayName(p.c_str(), nullptr, &list, 0, nullptr), S_OK);
      lists.push_back(list);
    }
    ComPtr<IShellItemArray> array;
    EXPECT_EQ(SHCreateShellItemArrayFromIDLists(static_cast<UINT>(lists.size()),
                                                const_cast<PCIDLIST_ABSOLUTE_ARRAY>(lists.data()), &array),
              S_OK);
    for (PIDLIST_ABSOLUTE l : lists) ILFree(l);
    return array;
  }
};

// A level-7 dialog object.
struct Dialog {
  ScopedWindowsVersion version{6, 1};
  CmnDialogEx dialog;
  CmnDialogExProbe probe{dialog};

  void Gather(const ComPtr<IShellItemArray>& items) {
    probe.SelectedItems() = items;
    DWORD n = 0;
    items->GetCount(&n);
    int32_t count = static_cast<int32_t>(n);
    EXPECT_FALSE(probe.MergeItemArrays(count));
    probe.SelectedItems().Reset();
  }
  std::wstring FileText() { return probe.FileBuffer(); }
  int Offset() { return probe.OpenFileName().nFileOffset; }
  // A stand-in item dialog as the dialog's own; with multiSelect set, the
  // option word asks for several files.
  ComPtr<FakeFileDialog> UseFakeDialog(bool multiSelect = false) {
    ComPtr<FakeFileDialog> fake = FakeFileDialog::Create();
    probe.FileDialog() = fake->AsFileDialog();
    if (multiSelect) probe.OpenFileName().Flags = OFN_ALLOWMULTISELECT;
    return fake;
  }
};

std::wstring Joined(const std::vector<std::wstring>& paths) {
  std::wstring all;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) all += L'\0';
    all += paths[i];
  }
  return all;
}

std::vector<std::wstring> PathsOf(IShellItemArray* array) {
  std::vector<std::wstring> paths;
  DWORD n = 0;
  array->GetCount(&n);
  for (DWORD i = 0; i < n; ++i) {
    ComPtr<IShellItem> item;
    PWSTR name = nullptr;
    if (array->GetItemAt(i, &item) == S_OK && item->GetDisplayName(SIGDN_FILESYSPATH, &name) == S_OK) {
      paths.push_back(name);
      CoTaskMemFree(name);
    }
  }
  return paths;
}

void ExpectSamePaths(const std::wstring& actual, const std::wstring& expected) {
  EXPECT_TRUE(TextEquals(actual, expected)) << ToAnsi(ReplaceAll(actual, std::wstring(1, L'\0'), L"|")) << " vs "
                                            << ToAnsi(ReplaceAll(expected, std::wstring(1, L'\0'), L"|"));
}

// A COM object of one interface, with its own reference count.
template <class Interface>
class OneInterfaceObject : public Interface {
 public:
  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  IFACEMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  IFACEMETHODIMP_(ULONG) Release() override {
    ULONG r = --refs_;
    if (r == 0) delete this;
    return r;
  }
  ULONG References() const { return refs_; }

 protected:
  virtual ~OneInterfaceObject() = default;

 private:
  ULONG refs_ = 1;
};

// ---- An item without a file-system path, for the data-object road ----

class DropData final : public OneInterfaceObject<IDataObject> {
 public:
  DropData(std::wstring first, bool wide) : first_(std::move(first)), wide_(wide) {}
  IFACEMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0) return DV_E_FORMATETC;
    std::string names;
    if (wide_) {
      std::wstring list = first_ + L'\0' + L"C:\\second.dcm" + L'\0' + L'\0';
      names.assign(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    } else {
      names = ToAnsi(first_) + '\0' + "C:\\second.dcm" + '\0' + '\0';
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = wide_;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  IFACEMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  IFACEMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  IFACEMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  IFACEMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  IFACEMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  IFACEMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  IFACEMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  IFACEMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  ~DropData() = default;
  std::wstring first_;
  bool wide_;
};

class VirtualItem final : public OneInterfaceObject<IShellItem> {
 public:
  SFGAOF attributes = 0;
  std::wstring dropped;  // first file of its data object; none when empty
  bool wideDrop = true;
  std::wstring parsingName;
  int bindCalls = 0;

  IFACEMETHODIMP BindToHandler(IBindCtx*, REFGUID handler, REFIID riid, void** object) override {
    ++bindCalls;
    *object = nullptr;
    if (handler != BHID_DataObject || riid != IID_IDataObject || dropped.empty()) return E_FAIL;
    *object = static_cast<IDataObject*>(new DropData(dropped, wideDrop));
    return S_OK;
  }
  IFACEMETHODIMP GetParent(IShellItem**) override { return E_NOTIMPL; }
  IFACEMETHODIMP GetDisplayName(SIGDN kind, LPWSTR* name) override {
    *name = nullptr;
    if (kind != SIGDN_DESKTOPABSOLUTEPARSING || parsingName.empty()) return E_FAIL;
    size_t bytes = (parsingName.size() + 1) * sizeof(wchar_t);
    *name = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    memcpy(*name, parsingName.c_str(), bytes);
    return S_OK;
  }
  IFACEMETHODIMP GetAttributes(SFGAOF mask, SFGAOF* result) override {
    *result = attributes & mask;
    return S_OK;
  }
  IFACEMETHODIMP Compare(IShellItem*, SICHINTF, int*) override { return E_NOTIMPL; }
};

ComPtr<VirtualItem> MakeVirtualItem() {
  ComPtr<VirtualItem> item;
  item.Attach(new VirtualItem());
  return item;
}

// An item array of `count` items none of which can be had.
class UnreadableItems final : public OneInterfaceObject<IShellItemArray> {
 public:
  explicit UnreadableItems(DWORD count) : count_(count) {}
  IFACEMETHODIMP BindToHandler(IBindCtx*, REFGUID, REFIID, void** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  IFACEMETHODIMP GetPropertyStore(GETPROPERTYSTOREFLAGS, REFIID, void** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  IFACEMETHODIMP GetPropertyDescriptionList(REFPROPERTYKEY, REFIID, void** object) override {
    *object = nullptr;
    return E_NOTIMPL;
  }
  IFACEMETHODIMP GetAttributes(SIATTRIBFLAGS, SFGAOF, SFGAOF*) override { return E_NOTIMPL; }
  IFACEMETHODIMP GetCount(DWORD* count) override {
    *count = count_;
    return S_OK;
  }
  IFACEMETHODIMP GetItemAt(DWORD, IShellItem** item) override {
    *item = nullptr;
    return E_FAIL;
  }
  IFACEMETHODIMP EnumItems(IEnumShellItems** items) override {
    *items = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~UnreadableItems() = default;
  DWORD count_;
};
}  // namespace

// ---- Gathering and merging ----

TEST(MergeItemArrays, EachItemOnceInTheOrderItFirstAppeared) {
  ShellFiles files;
  std::wstring a = files.Make(L"a.dcm"), b = files.Make(L"b.dcm"), c = files.Make(L"c.dcm");
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
  d.Gather(ShellFiles::Array({b, a, b}));
  d.Gather(ShellFiles::Array({a, c, b}));
  EXPECT_EQ(d.probe.PickerCount(), 2);

  int32_t merge = -1;
  ComPtr<IShellItemArray> merged = d.probe.MergeItemArrays(merge);
  ASSERT_TRUE(merged);
  std::vector<std::wstring> paths = PathsOf(merged.Get());
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_TRUE(TextEquals(paths[0], b));
  EXPECT_TRUE(TextEquals(paths[1], a));
  EXPECT_TRUE(TextEquals(paths[2], c));
}

TEST(MergeItemArrays, NothingGatheredMergesToNothing) {
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
  int32_t merge = -1;
  EXPECT_FALSE(d.probe.MergeItemArrays(merge));
}

TEST(MergeItemArrays, TheRunningCountAndItsLabel) {
  ShellFiles files;
  std::vector<std::wstring> paths;
  for (const wchar_t* name : {L"1.dcm", L"2.dcm", L"3.dcm", L"4.dcm", L"5.dcm"}) paths.push_back(files.Make(name));
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x2000));
  ComPtr<FakeFileDialog> fake = FakeFileDialog::Create();
  ComPtr<IFileDialogCustomize> customize;
  fake->QueryInterface(IID_PPV_ARGS(&customize));
  d.probe.DialogCustomize() = customize;

  d.probe.SelectedItems() = ShellFiles::Array({paths[0], paths[1], paths[2]});
  int32_t count = 3;
  d.probe.MergeItemArrays(count);
  EXPECT_EQ(count, 3);
  d.probe.SelectedItems() = ShellFiles::Array({paths[3], paths[4]});
  count = 2;
  d.probe.MergeItemArrays(count);
  EXPECT_EQ(count, 5) << "the running count comes back";
  EXPECT_EQ(fake->Joined(), L"SetControlLabel(-2147483647,3 items selected) SetControlLabel(-2147483647,5 items selected)");

  CustomControlRecord& group = d.probe.CustomControls().at(static_cast<size_t>(d.probe.FindControlId(L"-2147483647", false)));
  EXPECT_EQ(group.ControlFlags, 0x130 | (5 << 12)) << "the count shares the group's word, its own bits kept";
  int32_t none = 0;
  d.probe.MergeItemArrays(none);
  EXPECT_EQ(none, 5) << "a zero count only reads";
  EXPECT_EQ(d.probe.PickerCount(), 2);

  HRESULT code = S_OK;
  d.probe.DialogCustomize().Reset();
  d.probe.CollectResults(code, nullptr, true);
  EXPECT_EQ(code, S_OK);
  EXPECT_EQ(group.ControlFlags, 0x130) << "collecting resets the count";
  ExpectSamePaths(d.FileText(), Joined(paths));
}

// ---- Collecting ----

TEST(CollectResults, SeveralChoicesAreJoinedByNulAndTheArrayGoesToTheCaller) {
  ShellFiles files;
  std::wstring a = files.Make(L"a.dcm"), b = files.Make(L"b.dcm"), c = files.Make(L"c.dcm");
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
  d.Gather(ShellFiles::Array({a, b}));
  d.Gather(ShellFiles::Array({c, a}));

  HRESULT code = S_OK;
  ComPtr<IUnknown> result;
  d.probe.CollectResults(code, result.GetAddressOf(), true);
  EXPECT_EQ(code, S_OK);
  ExpectSamePaths(d.FileText(), Joined({a, b, c}));
  EXPECT_EQ(d.FileText().find(std::wstring(2, L'\0')), std::wstring::npos) << "no doubled NUL";
  EXPECT_NE(d.FileText().back(), L'\0') << "none at the end";
  EXPECT_EQ(d.Offset(), static_cast<int>(files.folder.Path().size() + 1));
  ComPtr<IShellItemArray> array;
  ASSERT_TRUE(result);
  ASSERT_EQ(result.As(&array), S_OK);
  EXPECT_EQ(PathsOf(array.Get()).size(), 3u);
  EXPECT_FALSE(d.probe.SelectedItems());
}

TEST(CollectResults, OneChoiceGivesOnePathAndAnItem) {
  ShellFiles files;
  std::wstring a = files.Make(L"single.dcm");
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
  d.Gather(ShellFiles::Array({a}));
  HRESULT code = S_OK;
  ComPtr<IUnknown> result;
  d.probe.CollectResults(code, result.GetAddressOf(), true);
  EXPECT_EQ(code, S_OK);
  ExpectSamePaths(d.FileText(), a);
  EXPECT_EQ(d.FileText().find(L'\0'), std::wstring::npos);
  EXPECT_EQ(d.Offset(), static_cast<int>(files.folder.Path().size() + 1));
  ComPtr<IShellItem> item;
  ComPtr<IShellItemArray> array;
  ASSERT_TRUE(result);
  EXPECT_EQ(result.As(&item), S_OK) << "an item, not an array";
  EXPECT_NE(result.As(&array), S_OK);
}

TEST(CollectResults, CancelledOrNothingGatheredEmptiesTheFileText) {
  ShellFiles files;
  std::wstring a = files.Make(L"a.dcm");
  {
    Dialog d;
    d.probe.FileBuffer() = L"C:\\before.dcm";
    d.probe.OpenFileName().nFileOffset = 3;
    HRESULT code = static_cast<HRESULT>(0x800704C7u);
    ComPtr<IUnknown> result;
    d.probe.CollectResults(code, result.GetAddressOf(), true);
    EXPECT_EQ(code, static_cast<HRESULT>(0x800704C7u));
    EXPECT_TRUE(d.FileText().empty());
    EXPECT_EQ(d.Offset(), 0);
    EXPECT_FALSE(result);
  }
  {
    Dialog d;
    ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
    HRESULT code = S_OK;
    d.probe.CollectResults(code, nullptr, true);
    EXPECT_EQ(code, static_cast<HRESULT>(0x800704C7u)) << "an empty gathering is a cancel";
    EXPECT_TRUE(d.FileText().empty());
  }
}

TEST(CollectResults, TheDialogsOwnResultTypeIndexAndRelease) {
  ShellFiles files;
  std::wstring a = files.Make(L"chosen.dcm");
  Dialog d;
  ComPtr<FakeFileDialog> fake = d.UseFakeDialog();
  fake->result = ShellFiles::Item(a);
  fake->fileTypeIndex = 3;
  d.probe.SinkCookie() = 77;

  HRESULT code = S_OK;
  ComPtr<IUnknown> result;
  d.probe.CollectResults(code, result.GetAddressOf(), false);  // the save dialog
  EXPECT_EQ(code, S_OK);
  ExpectSamePaths(d.FileText(), a);
  EXPECT_EQ(d.dialog.FilterIndex(), 3);
  EXPECT_EQ(fake->unadvised, (std::vector<DWORD>{77}));
  EXPECT_EQ(d.probe.SinkCookie(), 0u);
  EXPECT_FALSE(d.probe.FileDialog()) << "the dialog is released";
  ComPtr<IShellItem> item;
  EXPECT_EQ(result.As(&item), S_OK);
}

TEST(CollectResults, MultiSelectFlagReadsTheDialogsResults) {
  ShellFiles files;
  std::wstring a = files.Make(L"a.dcm"), b = files.Make(L"b.dcm");
  Dialog d;
  ComPtr<FakeFileDialog> fake = d.UseFakeDialog(true);
  fake->results = ShellFiles::Array({a, b});
  HRESULT code = S_OK;
  d.probe.CollectResults(code, nullptr, true);
  EXPECT_EQ(code, S_OK);
  ExpectSamePaths(d.FileText(), Joined({a, b}));
}

TEST(CollectResults, ASuccessWithoutAReadableChoiceIsAFailure) {
  Dialog d;
  ComPtr<FakeFileDialog> fake = d.UseFakeDialog(true);
  fake->resultsHr = E_OUTOFMEMORY;
  d.probe.FileBuffer() = L"C:\\typed-before.dcm";
  HRESULT code = S_OK;
  d.probe.CollectResults(code, nullptr, true);
  EXPECT_EQ(code, E_OUTOFMEMORY);
  EXPECT_TRUE(d.FileText().empty()) << "the name that went in is not reported as chosen";

  Dialog single;
  single.UseFakeDialog();  // GetResult gives no item
  code = S_OK;
  single.probe.CollectResults(code, nullptr, true);
  EXPECT_NE(code, S_OK);
}

TEST(CollectResults, AnArrayWithoutReadableItemsIsTheChoiceAndReachesTheCallerOnce) {
  for (DWORD count : {0u, 2u}) {
    for (bool wanted : {true, false}) {
      SCOPED_TRACE(std::to_string(count) + (wanted ? " items, result wanted" : " items, no result address"));
      ComPtr<UnreadableItems> items;
      items.Attach(new UnreadableItems(count));
      Dialog d;
      ComPtr<FakeFileDialog> fake = d.UseFakeDialog(true);
      fake->results = items;
      d.probe.FileBuffer() = L"C:\\typed-before.dcm";
      d.probe.OpenFileName().nFileOffset = 3;
      const ULONG held = items->References();  // this test's and the dialog's

      HRESULT code = S_OK;
      IUnknown* result = nullptr;
      d.probe.CollectResults(code, wanted ? &result : nullptr, true);
      EXPECT_EQ(code, S_OK);
      EXPECT_EQ(d.FileText(), L"C:\\typed-before.dcm") << "the file text stays as it was";
      EXPECT_EQ(d.Offset(), 0);
      EXPECT_FALSE(d.probe.SelectedItems());
      if (wanted) {
        EXPECT_EQ(result, static_cast<IUnknown*>(items.Get())) << "the array itself";
        EXPECT_EQ(items->References(), held + 1) << "one reference, the caller's";
        if (result != nullptr) result->Release();
      }
      EXPECT_EQ(items->References(), held) << "the collection keeps none";
    }
  }
}

TEST(CollectResults, OffsetOfAPathWithoutBackslashIsOne) {
  Dialog d;
  ComPtr<FakeFileDialog> fake = d.UseFakeDialog();
  ComPtr<VirtualItem> item = MakeVirtualItem();
  item->attributes = SFGAO_STREAM;
  item->parsingName = L"nobackslash";
  fake->result = item;
  HRESULT code = S_OK;
  d.probe.CollectResults(code, nullptr, true);
  EXPECT_EQ(d.FileText(), L"nobackslash");
  EXPECT_EQ(d.Offset(), 1);
}

TEST(OnFileOk, ThePickerGathersTheSelectionUnlessTheHandlerKeepsTheDialogOpen) {
  ShellFiles files;
  std::wstring a = files.Make(L"a.dcm"), b = files.Make(L"b.dcm");
  Dialog d;
  ASSERT_TRUE(d.dialog.CustomizeFolderPicker(0x1000));
  ComPtr<FakeFileDialog> fake = d.UseFakeDialog();
  fake->results = ShellFiles::Array({a, b});

  int seen = 0;
  d.dialog.FileOkEvent = [&](CmnDialogEx&) {
    ++seen;
    EXPECT_TRUE(d.probe.SelectedItems()) << "the handler sees the selection";
    return seen == 1;  // keep the dialog open the first time
  };
  EXPECT_EQ(d.probe.OnFileOk(), S_FALSE);
  EXPECT_EQ(d.probe.PickerCount(), 0);
  EXPECT_EQ(d.probe.OnFileOk(), S_OK);
  EXPECT_EQ(d.probe.PickerCount(), 1);
  EXPECT_FALSE(d.probe.SelectedItems());
  d.probe.FileDialog().Reset();
}

// ---- Names of items ----

TEST(FileNamesFromDataObject, ARealFileGivesItsPath) {
  ShellFiles files;
  std::wstring a = files.Make(L"named.dcm");
  Dialog d;
  uint32_t attributes = 0;
  EXPECT_TRUE(TextEquals(d.probe.FileNamesFromDataObject(ShellFiles::Item(a).Get(), SIGDN_FILESYSPATH, attributes), a));
  EXPECT_EQ(attributes & 0x1000u, 0u);
  EXPECT_NE(attributes & SFGAO_FILESYSTEM, 0u);
}

TEST(FileNamesFromDataObject, WithoutAPathTheFirstDroppedFileCarriesTheMark) {
  Dialog d;
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "UTF-16 names" : "ANSI names");
    ComPtr<VirtualItem> item = MakeVirtualItem();
    item->dropped = L"C:\\dropped\\first.dcm";
    item->wideDrop = wide;
    item->parsingName = L"::{virtual}";
    uint32_t attributes = 0;
    EXPECT_EQ(d.probe.FileNamesFromDataObject(item.Get(), SIGDN_FILESYSPATH, attributes), L"C:\\dropped\\first.dcm");
    EXPECT_EQ(attributes, 0x1000u);
  }
}

TEST(FileNamesFromDataObject, AStreamOrAnotherKindFallsBackToTheParsingName) {
  Dialog d;
  ComPtr<VirtualItem> stream = MakeVirtualItem();
  stream->attributes = SFGAO_STREAM;
  stream->dropped = L"C:\\never.dcm";
  stream->parsingName = L"::{stream}";
  uint32_t attributes = 0;
  EXPECT_EQ(d.probe.FileNamesFromDataObject(stream.Get(), SIGDN_FILESYSPATH, attributes), L"::{stream}");
  EXPECT_EQ(stream->bindCalls, 0) << "a stream's data object is not read";
  EXPECT_EQ(attributes, static_cast<uint32_t>(SFGAO_STREAM));

  ComPtr<VirtualItem> other = MakeVirtualItem();
  other->dropped = L"C:\\never.dcm";
  other->parsingName = L"::{other}";
  EXPECT_EQ(d.probe.FileNamesFromDataObject(other.Get(), SIGDN_NORMALDISPLAY, attributes), L"::{other}");
  EXPECT_EQ(other->bindCalls, 0);

  ComPtr<VirtualItem> nameless = MakeVirtualItem();
  EXPECT_EQ(d.probe.FileNamesFromDataObject(nameless.Get(), SIGDN_FILESYSPATH, attributes), L"");
}
