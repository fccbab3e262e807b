#pragma once
// The setting a benchmark of the program's windows runs in: the program's own
// start-up steps, the registry value that opening a file rewrites, and the
// temporary folder of the item editor's work files.
#include <string>

// As the program's start: no critical-error boxes, OLE, the common controls.
class ProgramSession {
 public:
  ProgramSession();
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;
};

// Opening a file stores its folder as "LastPath": the value as it was is put
// back when this goes.
class KeepLastPath {
 public:
  KeepLastPath();
  ~KeepLastPath();
  KeepLastPath(const KeepLastPath&) = delete;
  KeepLastPath& operator=(const KeepLastPath&) = delete;

 private:
  bool existed_ = false;
  unsigned long type_ = 0;
  std::string bytes_;
};

// Points "TEMP" and "TMP" at a folder while it lives ("SaveItems.txt" and
// "Mod.txt" go there).
class TempFolderAt {
 public:
  explicit TempFolderAt(const std::wstring& folder);
  ~TempFolderAt();
  TempFolderAt(const TempFolderAt&) = delete;
  TempFolderAt& operator=(const TempFolderAt&) = delete;

 private:
  std::wstring temp_, tmp_;
};
