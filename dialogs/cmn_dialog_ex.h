#pragma once
// CmnDialogEx: one object per use of the Windows open-file, save-file or
// choose-folder dialog. The caller sets a few properties, calls one show
// operation and reads the result. Below Windows level 6 the classic dialogs
// (GetOpenFileNameW / GetSaveFileNameW) are used, from level 6 the shell's
// item dialog (FileOpenDialog / FileSaveDialog through IFileDialog).
//
// A show operation that ends cancelled or failed returns false and leaves its
// result code as the thread's last error value (GetLastError), unless
// RaiseErrors is set, in which case the code is raised as a RuntimeError.
//
// The object is used on its GUI thread only. The dialog's callbacks (the
// classic hook, the folder-browser callback, the button subclass and the
// item dialog's event sink) are plain __stdcall functions and a COM object of
// our own that reach the object through their user data.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dialogs/keyed_collection.h"

// The packed option word (field Options). Bit 0 is the least significant.
enum CmnDialogOptions : uint32_t {
  cdoLevelMask = 0x0000007Fu,            // Windows level: 0, 5, or major + minor from 6 on
  cdoRaiseErrors = 0x00000080u,          // a failed showing raises instead of returning false
  cdoCustomizeMask = 0x0000FF00u,        // customisation mode of the item dialog
  cdoCustomizeBit8 = 0x00000100u,        // tested by the preparation
  cdoPickerModeMask = 0x0000F000u,       // mode value of the folder-picker customisation
  cdoSelectionMask = 0x00030000u,        // selection mode of the current showing
  cdoShowingModeMask = 0x000F0000u,      // bits 16-19, cleared by each preparation
  cdoFolderShowing = 0x01000000u,        // the folder dialog is being shown
  cdoFolderReady = 0x02000000u,          // the folder dialog has initialised
  cdoFolderSelectInitDir = 0x04000000u,  // the folder dialog is to select InitDir
  cdoFolderState = 0x08000000u,          // folder dialog state bit
  cdoButtonSubclassed = 0x10000000u,     // the dialog's button is subclassed
  cdoCloseRequested = 0x20000000u,       // CloseDialog asked the dialog to close
  cdoClassicOpen = 0x40000000u,          // the classic dialog is open
  cdoItemDialogLive = 0x80000000u,       // the item dialog is live
  cdoDialogUp = 0xF2000000u,             // a dialog is up or being closed: Reset refuses
  cdoKeptAfterShowing = 0x00FCFFFFu,     // what the end of every showing keeps
};

// Result codes of a showing (0 means no error).
inline constexpr int32_t kDialogCreateFailed = 0xFFFF;
inline constexpr int32_t kDialogCancelled = static_cast<int32_t>(0x800704C7u);

// Flags masks: the bits the class manages itself are taken out of Flags.
inline constexpr uint32_t kClassicFlagsMask = 0xFFDBFF0Fu;  // below level 6
inline constexpr uint32_t kItemFlagsMask = 0xFF9FFBEFu;     // from level 6

// Answer of a custom-control query, and a value attached to a control.
using DialogValue = std::variant<std::monostate, bool, int32_t, std::wstring, Microsoft::WRL::ComPtr<IUnknown>>;

// An ID list owned by the dialog object (freed by ItemIdList(false, ...) or Reset).
struct OwnedIdList {
  PIDLIST_ABSOLUTE pidl = nullptr;
};
// A location handed to a dialog: empty, a path text, a shell object, or an ID list.
using LocationValue = std::variant<std::monostate, std::wstring, Microsoft::WRL::ComPtr<IUnknown>, OwnedIdList>;

// One custom control of the item dialog.
struct CustomControlRecord {
  int32_t ControlId = 0;              // the id given to the dialog (−caller id for a caller's control)
  std::wstring LabelText;             // label, initial edit text or static text
  std::vector<std::wstring> Items;    // item labels, or for a group its children's keys
  std::vector<uint8_t> ItemStates;    // per item a CDCONTROLSTATEF value (applied when bit 7 is set)
  int32_t ControlFlags = 0;           // kind, state, prominence, value field, drop-down bits
  DialogValue AttachedValue;          // handed out by query 5
};

// Control kinds (bits 0-3 of ControlFlags).
enum CustomControlKind : int32_t {
  cckGroup = 0,
  cckOkButton = 1,
  cckComboBox = 2,
  cckRadioList = 3,
  cckCheckButton = 4,
  cckText = 5,
  cckSeparator = 6,
  cckEditBox = 7,
  cckMenu = 8,
  cckPushButton = 9,
  cckCancelLabel = 10,
  cckFileNameLabel = 11,
};

class DialogEventSink;
struct DialogCallbackBlock;

class CmnDialogEx {
 public:
  CmnDialogEx();
  ~CmnDialogEx();
  CmnDialogEx(const CmnDialogEx&) = delete;
  CmnDialogEx& operator=(const CmnDialogEx&) = delete;

  // ---- Lifecycle and option word ----
  // Returns the object to its created state; does nothing while a dialog is up.
  void Reset();
  int32_t OSLevel() const { return static_cast<int32_t>(options_ & cdoLevelMask); }
  bool RaiseErrors() const { return (options_ & cdoRaiseErrors) != 0; }
  void RaiseErrors(bool value);
  uint32_t Options() const { return options_; }

  // The Windows level for a reported version: below 5 → 0, 5 → 5, above → major + minor.
  static int32_t LevelFromVersion(int32_t major, int32_t minor);
  // Test seam: replaces GetVersionExA for objects created while it is set.
  using VersionSource = std::function<BOOL(OSVERSIONINFOA&)>;
  static void SetVersionSeam(VersionSource source);
  // Test seam: replaces the classic dialog's call (GetOpenFileNameW or
  // GetSaveFileNameW) and its CommDlgExtendedError for every object.
  struct ClassicDialogOutcome {
    BOOL chosen = FALSE;
    DWORD extendedError = 0;
  };
  using ClassicDialogSource = std::function<ClassicDialogOutcome(OPENFILENAMEW& ofn, bool isOpen)>;
  static void SetClassicDialogSeam(ClassicDialogSource source);

  // ---- Properties ----
  void Flags(int32_t flags);
  int32_t Flags() const { return static_cast<int32_t>(openFileName_.Flags & ~showingFlags_); }
  void Filter(const std::wstring& filter);
  const std::wstring& Filter() const { return filter_; }  // in dialog form (NUL-separated)
  void FileName(const std::wstring& name);
  std::wstring FileName() const;
  std::wstring FileTitle() const;
  void InitDir(const std::wstring& folder);
  const std::wstring& InitDir() const { return initDir_; }
  void DialogTitle(const std::wstring& title);
  const std::wstring& DialogTitle() const { return title_; }
  void MaxFileSize(int32_t size) { maxFileSize_ = size; }
  int32_t MaxFileSize() const { return maxFileSize_ > 0 ? maxFileSize_ : kDefaultMaxFile; }
  void FilterIndex(int32_t index) { openFileName_.nFilterIndex = static_cast<DWORD>(index); }
  int32_t FilterIndex() const { return static_cast<int32_t>(openFileName_.nFilterIndex); }
  void DefaultExt(const std::wstring& ext) { defaultExt_ = ext; }
  const std::wstring& DefaultExt() const { return defaultExt_; }
  void CustData(LPARAM data) { custData_ = data; }
  LPARAM CustData() const { return custData_; }
  void FlagsEx(int32_t flags) { openFileName_.FlagsEx = static_cast<DWORD>(flags); }
  int32_t FlagsEx() const { return static_cast<int32_t>(openFileName_.FlagsEx); }
  void BrowseFlags(int32_t flags) { browseInfo_.ulFlags = static_cast<UINT>(flags); }
  int32_t BrowseFlags() const { return static_cast<int32_t>(browseInfo_.ulFlags); }
  void ExtraText(const std::wstring& text) { extraText_ = text; }
  const std::wstring& ExtraText() const { return extraText_; }
  const std::wstring& ResultText() const { return resultText_; }
  int32_t RequiredBufferSize() const { return requiredBufferSize_; }

  // ---- Show operations ----
  // The open-file dialog: true when a file was chosen (FileName holds it).
  // resultAddress, when given, receives the chosen IShellItem or IShellItemArray
  // of the item dialog (a counted reference the caller releases).
  bool ShowOpen(HWND owner, int32_t multiSelect = 0, IUnknown** resultAddress = nullptr,
                const std::wstring& clientGuid = L"");
  // The save-file dialog, the same way.
  bool ShowSave(HWND owner, int32_t multiSelect = 0, IUnknown** resultAddress = nullptr,
                const std::wstring& clientGuid = L"");
  // The choose-folder dialog (SHBrowseForFolderW): true when a folder was chosen.
  bool ShowFolder(HWND owner, int32_t mode = 0);
  // Closes the dialog that is showing; the showing ends with the code.
  void CloseDialog(int32_t code, int32_t reserved = 0);
  // The user's Documents folder, through the "Shell.Application" object.
  std::wstring ShellFolderPath();

  // ---- Custom controls of the item dialog ----
  // Adds a group (controlId < 1: the group groupId) or a control controlId of
  // the kind, inside the group groupId when that is ≥ 1. False when refused.
  bool AddBuiltInControls(int32_t groupId, int32_t controlId, int32_t kind, const std::wstring& text,
                          const std::vector<std::wstring>& items = {});
  // The read-only check button (key "ro") and the OK button's two-item drop-down.
  bool CustomizeOpenButton(int32_t checkButtonId, bool readOnlyChecked, bool dropDownOrder);
  // The folder multi-pick customisation with its built-in controls.
  bool CustomizeFolderPicker(int32_t mode, const std::wstring& okLabel = L"");
  // Answers a query about one custom control (value, text, state, ...).
  DialogValue ReadCustomControls(int64_t callerId, int32_t query, int32_t itemIndex);

  // Raised by OnFileOk before the item dialog closes; return true to keep it open.
  std::function<bool(CmnDialogEx&)> FileOkEvent;

 private:
  friend class CmnDialogExProbe;  // white-box access for the tests
  friend class DialogEventSink;
  friend UINT_PTR CALLBACK ClassicHookProc(HWND, UINT, WPARAM, LPARAM);
  friend int CALLBACK BrowseCallbackProc(HWND, UINT, LPARAM, LPARAM);
  friend LRESULT CALLBACK DialogButtonSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  static constexpr int32_t kDefaultMaxFile = 520;

  // Whatever happens in a showing (file or folder dialog), it ends with no
  // state bit set and with Flags as the caller stored them.
  class EndOfShowing {
   public:
    explicit EndOfShowing(CmnDialogEx& dialog) : dialog_(dialog) {}
    ~EndOfShowing() {
      dialog_.options_ &= cdoKeptAfterShowing;
      dialog_.RemoveShowingFlags();
    }
    EndOfShowing(const EndOfShowing&) = delete;
    EndOfShowing& operator=(const EndOfShowing&) = delete;

   private:
    CmnDialogEx& dialog_;
  };

  // ---- Shell items and interface calls ----
  static std::optional<int32_t> CallInterfaceMethod(void* object, int32_t index,
                                                    std::initializer_list<uintptr_t> args = {});
  static int32_t UnsignedAdd(int32_t start, double incr);
  void ReleaseCallbackThunks();
  void CreateCallbackThunks();
  Microsoft::WRL::ComPtr<IShellItem> ShellItemFromPath(const LocationValue& path, IShellItem** target);
  void ItemIdList(bool create, bool clear);
  static std::wstring CoTaskMemToString(PWSTR& memory, bool freeIt);

  // ---- Error reporting ----
  [[noreturn]] void RaiseDialogError(int32_t code, int16_t kind);

  // ---- Showing ----
  bool RunFileDialog(bool isOpen, HWND owner, int32_t multiSelect, IUnknown** resultAddress,
                      const std::wstring& clientGuid, int32_t& code);
  bool FinishShowing(bool result, int32_t code, int16_t kind);
  void PrepareDialog(HWND owner, bool isOpen, int32_t multiSelect, std::wstring& clientGuid, bool& goOn);
  void PrepareClassicDialog(HWND owner);
  void AddShowingFlags(uint32_t bits);
  void RemoveShowingFlags();
  void PrepareItemDialog(bool isOpen, std::wstring& clientGuid);
  void ApplyFileTypes();
  void ApplyFolderAndFileName();
  uint32_t ItemDialogOptions(uint32_t current) const;
  void ParseFileBuffer();
  void SubclassDialogButton(bool subclass);
  HWND LiveDialogWindow() const;
  static bool IsFileSystemPath(const std::wstring& path);
  void OnClassicDialogInit(HWND dialog);

  // ---- Item dialog events and selection ----
  HRESULT OnFileOk();
  void OnItemDialogEvent();
  void OnControlButton(DWORD controlId);
  void ReadBackControls();
  void SelectionToItemArray();
  Microsoft::WRL::ComPtr<IShellItemArray> GetSelectedItems(int32_t& count);

  // ---- Result collection ----
  void CollectResults(HRESULT& code, IUnknown** resultAddress, bool isOpen);
  Microsoft::WRL::ComPtr<IShellItemArray> MergeItemArrays(int32_t& countOrMode);
  std::wstring FileNamesFromDataObject(IShellItem* item, SIGDN kind, uint32_t& attributes);
  void SetFileTextFromPath(const std::wstring& path);

  // ---- Custom controls ----
  int32_t FindControlId(const std::wstring& controlKey, bool create);
  bool BuildCustomControls(bool building, bool failed);
  void BuildControl(CustomControlRecord& c);
  void DiscardCustomControls();
  CustomControlRecord* ControlAt(int32_t index);

  // ---- Known folders and system strings ----
  std::wstring KnownFolderPath(const std::wstring& folder);
  bool ResolveFolderPath(const std::wstring& folder);
  std::wstring LoadSystemString(const std::wstring& library, UINT id, const std::wstring& fallback);

  // ---- Fields ----
  // Callback machinery of the current showing (freed by ReleaseCallbackThunks).
  std::unique_ptr<DialogCallbackBlock> thunkBlock_;  // reached by the hook, browse callback and subclass
  DWORD sinkCookie_ = 0;                             // IFileDialog::Advise cookie of the event sink
  SUBCLASSPROC subclassThunk_ = nullptr;             // subclass procedure given to Set/RemoveWindowSubclass
  std::vector<Microsoft::WRL::ComPtr<DialogEventSink>> callbackRecords_;  // hand-built callback objects

  Microsoft::WRL::ComPtr<IFileDialog> fileDialog_;
  Microsoft::WRL::ComPtr<IFileDialogCustomize> dialogCustomize_;
  Microsoft::WRL::ComPtr<IFileDialog2> fileDialog2_;
  std::unique_ptr<KeyedCollection<std::wstring>> knownFolderCollection_;
  std::unique_ptr<KeyedCollection<int32_t>> controlIdCollection_;
  std::vector<CustomControlRecord> customControls_;
  LocationValue locationItem_;
  Microsoft::WRL::ComPtr<IShellItemArray> selectedItems_;
  std::unique_ptr<KeyedCollection<Microsoft::WRL::ComPtr<IUnknown>>> pickerCollection_;
  uint32_t options_ = 0;
  OPENFILENAMEW openFileName_{};
  BROWSEINFOW browseInfo_{};
  int32_t requiredBufferSize_ = 0;
  std::wstring resultText_;
  std::wstring extraText_;

  // The owned strings behind the structures' pointers.
  std::wstring file_;         // lpstrFile: FileName going in, the returned buffer coming out
  std::wstring filter_;       // lpstrFilter in dialog form
  std::wstring initDir_;      // lpstrInitialDir
  std::wstring title_;        // lpstrTitle and lpszTitle
  std::wstring defaultExt_;   // lpstrDefExt
  std::wstring displayName_;  // pszDisplayName of the folder dialog
  int32_t maxFileSize_ = 0;   // MaxFileSize (0: the default of 520)
  LPARAM custData_ = 0;       // CustData (lCustData carries the callback block while a dialog shows)
  int32_t closeCode_ = 0;     // the code CloseDialog left for the classic or folder dialog
  HWND classicWindow_ = nullptr;  // the classic dialog while it shows
  HWND folderWindow_ = nullptr;   // the folder dialog while it shows
  HWND subclassedButton_ = nullptr;
  FILEOPENDIALOGOPTIONS itemBaseOptions_ = 0;  // the item dialog's own options before ours
  uint32_t showingFlags_ = 0;  // Flags bits the current showing added for itself (not the caller's)
};
