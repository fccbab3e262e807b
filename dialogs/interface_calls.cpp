// Interface calls by slot number, unsigned address arithmetic, the release of
// a showing's callback machinery, shell items from locations, ID lists and
// task-memory strings.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cmath>
#include <utility>

#include "dialogs/callback_machinery.h"
#include "dialogs/cmn_dialog_ex.h"
#include "ui/runtime_error.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr size_t kMaxInterfaceArgs = 8;

// Calls the function at `entry` as a method of `object` with args.size() arguments.
template <size_t... I>
HRESULT CallSlot(void* entry, void* object, const uintptr_t* args, std::index_sequence<I...>) {
  using Method = HRESULT(STDMETHODCALLTYPE*)(void*, decltype(I, uintptr_t{})...);
  return reinterpret_cast<Method>(entry)(object, args[I]...);
}

template <size_t N>
HRESULT CallSlotN(void* entry, void* object, const uintptr_t* args) {
  return CallSlot(entry, object, args, std::make_index_sequence<N>{});
}
}  // namespace

std::optional<int32_t> CmnDialogEx::CallInterfaceMethod(void* object, int32_t index,
                                                        std::initializer_list<uintptr_t> args) {
  if (index < 0 || object == nullptr) {
    SetLastError(ERROR_ACCESS_DENIED);  // 5
    return std::nullopt;
  }
  if (index > INT32_MAX / 4) Raise(kErrOverflow);  // the slot's byte offset must fit 32 bits

  void* entry = (*static_cast<void***>(object))[index];
  const uintptr_t* a = args.begin();
  HRESULT hr;
  switch (args.size()) {
    case 0: hr = CallSlotN<0>(entry, object, a); break;
    case 1: hr = CallSlotN<1>(entry, object, a); break;
    case 2: hr = CallSlotN<2>(entry, object, a); break;
    case 3: hr = CallSlotN<3>(entry, object, a); break;
    case 4: hr = CallSlotN<4>(entry, object, a); break;
    case 5: hr = CallSlotN<5>(entry, object, a); break;
    case 6: hr = CallSlotN<6>(entry, object, a); break;
    case 7: hr = CallSlotN<7>(entry, object, a); break;
    case kMaxInterfaceArgs: hr = CallSlotN<kMaxInterfaceArgs>(entry, object, a); break;
    default:
      SetLastError(static_cast<DWORD>(DISP_E_BADPARAMCOUNT));
      return std::nullopt;
  }
  return static_cast<int32_t>(hr);
}

int32_t CmnDialogEx::UnsignedAdd(int32_t start, double incr) {
  constexpr double k2To32 = 4294967296.0;
  constexpr double k2To31 = 2147483648.0;
  if (std::fabs(incr) >= k2To32) Raise(kErrOverflow);
  double sum = start >= 0 ? start + incr : start + incr + k2To32;
  if (sum < k2To31) {
    if (sum < 0) Raise(kErrOverflow);
    double rounded = std::nearbyint(sum);
    if (rounded > INT32_MAX) Raise(kErrOverflow);
    return static_cast<int32_t>(rounded);
  }
  double high = std::nearbyint(sum - k2To31);
  if (high > INT32_MAX) Raise(kErrOverflow);  // the unsigned sum does not fit 32 bits
  return static_cast<int32_t>(static_cast<uint32_t>(high) | 0x80000000u);
}

void CmnDialogEx::CreateCallbackThunks() {
  ReleaseCallbackThunks();
  thunkBlock_ = std::make_unique<DialogCallbackBlock>();
  thunkBlock_->owner = this;
  subclassThunk_ = DialogButtonSubclassProc;
  if (OSLevel() > 5) {
    ComPtr<DialogEventSink> sink;
    sink.Attach(new DialogEventSink(this));
    callbackRecords_.assign(1, sink);
  }
}

void CmnDialogEx::ReleaseCallbackThunks() {
  if (!thunkBlock_) return;
  // A subclass still on a live button would call into the freed block.
  if ((options_ & cdoButtonSubclassed) != 0 && subclassedButton_ != nullptr && IsWindow(subclassedButton_)) {
    RemoveWindowSubclass(subclassedButton_, subclassThunk_, reinterpret_cast<UINT_PTR>(thunkBlock_.get()));
    options_ &= ~cdoButtonSubclassed;
  }
  subclassedButton_ = nullptr;
  thunkBlock_->owner = nullptr;
  thunkBlock_.reset();
  if (OSLevel() > 5) {
    for (auto& sink : callbackRecords_) {
      if (sink) sink->Detach();
    }
    callbackRecords_.clear();
  }
  subclassThunk_ = nullptr;
  browseInfo_.lpfn = nullptr;
}

ComPtr<IShellItem> CmnDialogEx::ShellItemFromPath(const LocationValue& path, IShellItem** target) {
  ComPtr<IShellItem> item;
  if (std::holds_alternative<std::monostate>(path)) return item;
  try {
    if (const auto* object = std::get_if<ComPtr<IUnknown>>(&path)) {
      if (*object) (*object)->QueryInterface(IID_PPV_ARGS(&item));
    } else if (const auto* text = std::get_if<std::wstring>(&path)) {
      std::wstring parse;
      if (text->size() == 38 && text->front() == L'{' && text->back() == L'}') {
        parse = L"::" + *text;  // a shell folder by its CLSID
      } else {
        parse = *text;
      }
      if (!parse.empty()) SHCreateItemFromParsingName(parse.c_str(), nullptr, IID_PPV_ARGS(&item));
    } else if (const auto* list = std::get_if<OwnedIdList>(&path)) {
      if (list->pidl != nullptr) {
        if (target != nullptr) {
          SHCreateItemFromIDList(list->pidl, IID_IShellItem, reinterpret_cast<void**>(target));
        } else {
          SHCreateItemFromIDList(list->pidl, IID_PPV_ARGS(&item));
        }
      }
    }
  } catch (...) {
    // Whatever was obtained before the failure is the answer.
  }
  return item;
}

void CmnDialogEx::ItemIdList(bool create, bool clear) {
  if (create) {
    ComPtr<IUnknown> item;
    if (const auto* object = std::get_if<ComPtr<IUnknown>>(&locationItem_)) {
      item = *object;
    } else if (std::holds_alternative<std::wstring>(locationItem_)) {
      ComPtr<IShellItem> shellItem = ShellItemFromPath(locationItem_, nullptr);
      item = shellItem;
    }
    if (item) {
      PIDLIST_ABSOLUTE pidl = nullptr;
      SHGetIDListFromObject(item.Get(), &pidl);
      if (pidl != nullptr) locationItem_ = OwnedIdList{pidl};
    }
    return;
  }
  if (auto* list = std::get_if<OwnedIdList>(&locationItem_)) {
    ILFree(list->pidl);
    locationItem_ = std::monostate{};
  } else if (clear) {
    locationItem_ = std::monostate{};
  }
}

std::wstring CmnDialogEx::CoTaskMemToString(PWSTR& memory, bool freeIt) {
  if (memory == nullptr) return L"";
  std::wstring text;
  int length = lstrlenW(memory);
  if (length > 0) text.assign(memory, static_cast<size_t>(length));
  if (freeIt) CoTaskMemFree(memory);
  return text;
}
