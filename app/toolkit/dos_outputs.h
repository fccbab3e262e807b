#pragma once
// DOSOutputs: runs one console command line as a hidden child process and
// collects what the child writes to its standard output and standard error.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

class DOSOutputs {
 public:
  DOSOutputs();

  const std::wstring& CommandLine() const { return commandLine_; }
  void SetCommandLine(const std::wstring& command) { commandLine_ = command; }
  const std::wstring& Output() const { return output_; }
  // Hands the collected text over to the caller, leaving Output empty (a
  // header dump may be megabytes: no copy of it is made).
  std::wstring TakeOutput() { return std::exchange(output_, std::wstring()); }

  // Runs Command (or CommandLine when Command is empty) and returns what it
  // printed, as Output (no copy of it: a header dump may be megabytes); an
  // empty text when the run did not start (a message says why).
  const std::wstring& Execute(const std::wstring& command = L"");

  // Raised after every read with the piece just read.
  std::function<void(const std::wstring& piece)> PieceRead;

  // Error code of the most recent system call of Execute.
  DWORD LastError() const { return lastError_; }

  static constexpr DWORD kReadSize = 256;
  // The two texts of dcmdump's at which the reading of a dump stops: what
  // follows them is not read.
  static constexpr wchar_t kNonStandardVrMarker[] = L"DcmItem: Non-standard VR";
  static constexpr wchar_t kDumpErrorMarker[] = L"dcmdump: error:";
  // How long a dcmdump that reading left early is given to end, before it is
  // ended (and as long again for that).
  static constexpr DWORD kChildEndWaitMs = 2000;

 private:
  static constexpr UINT kTerminatedExitCode = 1;

  void Initialize() {}
  bool IsDumpCommand() const;
  // True when the program that the command line starts is dcmdump itself,
  // not merely a command line that names it somewhere.
  bool StartsDcmdump() const;
  // Reads until the child closes its output; true when a dump's stop marker
  // ended the reading before that.
  bool ReadUntilClosed(HANDLE readEnd, bool dumpFlag);
  static void EndDcmdump(HANDLE child);

  std::wstring commandLine_;
  std::wstring output_;
  DWORD lastError_ = 0;
};
