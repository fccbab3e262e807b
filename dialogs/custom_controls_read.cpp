// Queries about one custom control: read live from the item dialog while it
// is up (and kept in the control's record), or answered from the record.
#include <windows.h>
#include <shobjidl.h>

#include <cwchar>

#include "dialogs/cmn_dialog_ex.h"
#include "dialogs/custom_control_bits.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
// Queries.
constexpr int32_t kQueryLive = -1;
constexpr int32_t kQueryProminent = 0;
constexpr int32_t kQueryEnabled = 1;
constexpr int32_t kQueryVisible = 2;
constexpr int32_t kQueryText = 3;
constexpr int32_t kQueryValue = 4;
constexpr int32_t kQueryAttached = 5;
constexpr int32_t kQueryChildId = 6;

// Puts a read value into bits 8-23 of the flags. The value is kept within
// those bits, so that a negative item id cannot spill into the flag bits above.
int32_t WithValue(int32_t flags, int32_t keepMask, int64_t value) {
  int64_t shifted = value * 0x100;
  if (shifted > INT32_MAX || shifted < INT32_MIN) Raise(kErrOverflow);
  return (flags & keepMask) | (static_cast<int32_t>(shifted) & 0x00FFFF00);
}

// The caller id written in a child's key, or nothing when the key is not a number.
std::optional<int64_t> KeyNumber(const std::wstring& key) {
  if (key.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  long long n = std::wcstoll(key.c_str(), &end, 10);
  if (end == nullptr || *end != L'\0') return std::nullopt;
  return n;
}

bool HasDropDown(int32_t flags) { return (flags & (kDropDownOrderBit | kReadOnlyPairBit)) != 0; }
}  // namespace

DialogValue CmnDialogEx::ReadCustomControls(int64_t callerId, int32_t query, int32_t itemIndex) {
  if (OSLevel() < 6) return {};
  int32_t index = FindControlId(DecimalText(callerId), false);
  CustomControlRecord* record = ControlAt(index);
  if (index == -1 || record == nullptr) return {};

  // A visual group's child, by its position in the group.
  if (ControlKind(record->ControlFlags) == cckGroup && itemIndex > -1) {
    if (static_cast<size_t>(itemIndex) >= record->Items.size()) return {};
    std::optional<int64_t> child = KeyNumber(record->Items[static_cast<size_t>(itemIndex)]);
    if (!child) return {};
    if (query == kQueryChildId) {
      if (*child < INT32_MIN || *child > INT32_MAX) return {};
      return static_cast<int32_t>(*child);
    }
    try {
      return ReadCustomControls(*child, query, -1);
    } catch (const RuntimeError&) {
      return {};
    }
  }

  CustomControlRecord& r = *record;
  const int32_t kind = ControlKind(r.ControlFlags);
  const DWORD id = static_cast<DWORD>(r.ControlId);
  IFileDialogCustomize* customize = dialogCustomize_.Get();
  const bool live = (options_ & cdoItemDialogLive) != 0 &&
                    (query == kQueryValue || query == kQueryText || query == kQueryLive) && itemIndex < 0;

  if (live) {
    DialogValue result;
    if (query == kQueryValue || query == kQueryLive) {
      switch (kind) {
        case cckComboBox:
        case cckRadioList:
        case cckMenu: {
          DWORD item = 0;
          HRESULT hr = customize ? customize->GetSelectedControlItem(id, &item) : E_POINTER;
          if (hr == S_OK) {
            r.ControlFlags = WithValue(r.ControlFlags, static_cast<int32_t>(0xEF0000FFu), item);
            result = static_cast<int32_t>(item);
          } else {
            result = -1;
          }
          break;
        }
        case cckOkButton:
          if (HasDropDown(r.ControlFlags)) {
            DWORD item = 0;
            if (customize) customize->GetSelectedControlItem(id, &item);
            int64_t value = item;
            if ((r.ControlFlags & kReadOnlyPairBit) != 0) value -= 1;
            r.ControlFlags = WithValue(r.ControlFlags, static_cast<int32_t>(0xFF0000FFu), value);
            result = static_cast<int32_t>(value);
          }
          break;
        case cckCheckButton: {
          BOOL checked = FALSE;
          if (customize) customize->GetCheckButtonState(id, &checked);
          r.ControlFlags = WithValue(r.ControlFlags, static_cast<int32_t>(0xFF0000FFu), checked);
          result = static_cast<int32_t>(checked);
          break;
        }
        default:
          result = true;
          break;
      }
    }
    if (query == kQueryText || query == kQueryLive) {
      switch (kind) {
        case cckEditBox:
          if ((options_ & cdoItemDialogLive) != 0 && customize) {
            WCHAR* text = nullptr;
            customize->GetEditBoxText(id, &text);
            r.LabelText = CoTaskMemToString(text, true);
          }
          if (query == kQueryText) result = r.LabelText;
          break;
        case cckGroup:
        case cckCheckButton:
        case cckText:
        case cckMenu:
        case cckPushButton:
        case cckCancelLabel:
        case cckFileNameLabel:
          if (query == kQueryText) result = r.LabelText;
          break;
        case cckOkButton:
          if (query == kQueryText) result = HasDropDown(r.ControlFlags) ? ItemText(r, 0) : r.LabelText;
          break;
        case cckComboBox:
        case cckRadioList:
        case cckSeparator:
          result = std::wstring();
          break;
        default:
          break;
      }
    }
    return result;
  }

  // Answers from the record.
  switch (query) {
    case kQueryEnabled:
    case kQueryVisible: {
      const int32_t bit = query;
      const int32_t mask = query == kQueryEnabled ? 0x10 : 0x20;
      if (itemIndex == 0) return (r.ControlFlags & mask) != 0;
      if ((r.ControlFlags & kItemStatesBit) != 0) {
        if (itemIndex < 0 || static_cast<size_t>(itemIndex) >= r.ItemStates.size()) Raise(kErrSubscript);
        return (r.ItemStates[static_cast<size_t>(itemIndex)] & bit) != 0;
      }
      return true;
    }
    case kQueryText:
      if (itemIndex == 0) return HasDropDown(r.ControlFlags) ? ItemText(r, 0) : r.LabelText;
      if (kind == cckComboBox || kind == cckMenu || (kind == cckOkButton && HasDropDown(r.ControlFlags))) {
        if (itemIndex < 0 || static_cast<size_t>(itemIndex) >= r.Items.size()) return {};
        return r.Items[static_cast<size_t>(itemIndex)];
      }
      return std::wstring();
    case kQueryProminent:
      return (r.ControlFlags & kProminentBit) != 0;
    case kQueryAttached:
      return r.AttachedValue;
    case kQueryValue: {
      const int32_t value = ValueField(r.ControlFlags);
      if (kind == cckCheckButton) return value;
      if (kind == cckComboBox || kind == cckRadioList) return (r.ControlFlags & kNoSelectionBit) != 0 ? -1 : value;
      if (kind == cckOkButton && HasDropDown(r.ControlFlags)) return value;
      return {};
    }
    default:
      return {};
  }
}
