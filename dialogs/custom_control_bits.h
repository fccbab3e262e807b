#pragma once
// The packed bits of a custom-control record and small helpers over them.
#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <string>

#include "dialogs/cmn_dialog_ex.h"
#include "ui/runtime_error.h"

// Keys of ControlIdCollection with a meaning of their own.
inline constexpr wchar_t kReservedControlKey[] = L"-2147483648";  // record 0, never stored
inline constexpr wchar_t kSelectionCountKey[] = L"-2147483647";   // the folder picker's count group
inline constexpr wchar_t kReadOnlyKey[] = L"ro";                  // holds the caller id of the read-only check
inline constexpr wchar_t kOkButtonKey[] = L"def";                 // the OK-button record
inline constexpr wchar_t kCancelLabelKey[] = L"cnx";              // the cancel-label record

// ControlFlags bits.
inline constexpr int32_t kKindMask = 0xF;
inline constexpr int32_t kStateMask = 0x30;
inline constexpr int32_t kProminentBit = 0x40;
inline constexpr int32_t kItemStatesBit = 0x80;
inline constexpr int32_t kValueMask = 0x7FFF00;
inline constexpr int32_t kDropDownOrderBit = 0x1000000;
inline constexpr int32_t kReadOnlyPairBit = 0x2000000;
inline constexpr int32_t kNoSelectionBit = 0x10000000;
inline constexpr int32_t kInGroupBit = static_cast<int32_t>(0x80000000u);

// Control ids of the folder picker's built-in controls.
inline constexpr int32_t kPickerAddButtonId = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t kPickerGroupId = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t kPickerOkButtonId = static_cast<int32_t>(0x80000002u);
inline constexpr int32_t kPickerFolderLabelId = static_cast<int32_t>(0x80000003u);
// Control id of the OK button's read-only drop-down (caller ids stop at 0x0FFFFFFF).
inline constexpr int32_t kOpenDropDownId = static_cast<int32_t>(0xF0000000u);

inline constexpr int32_t kMaxCallerId = 0x0FFFFFFF;
inline constexpr int32_t kMaxGroupChildren = 0x7FFF;

inline int32_t ControlKind(int32_t flags) { return flags & kKindMask; }
inline int32_t ControlState(int32_t flags) { return (flags & kStateMask) >> 4; }
inline int32_t ValueField(int32_t flags) { return (flags & kValueMask) >> 8; }
// Built-in controls have bits 28-30 of their id clear; a caller's id −n has them set.
inline bool IsBuiltInId(int32_t controlId) { return (controlId & 0x70000000) == 0; }
// The caller's number for a control: the negated control id (64-bit, so that
// the negation of 0x80000000 stays exact).
inline int64_t CallerIdOf(int32_t controlId) { return -static_cast<int64_t>(controlId); }

inline void SetReadOnlyFlag(DWORD& flags, bool readOnly) {
  flags = readOnly ? (flags | OFN_READONLY) : (flags & ~static_cast<DWORD>(OFN_READONLY));
}

// An item text of a record; a missing item is a subscript error.
inline const std::wstring& ItemText(const CustomControlRecord& r, size_t index) {
  if (index >= r.Items.size()) Raise(kErrSubscript);
  return r.Items[index];
}
