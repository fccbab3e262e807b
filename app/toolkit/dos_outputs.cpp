#include "app/toolkit/dos_outputs.h"

#include <array>
#include <vector>

#include "ui/message_box.h"
#include "ui/text.h"
#include "ui/win_handle.h"

namespace {
constexpr wchar_t kDumpProgram[] = L"DCMDUMP.EXE";
constexpr wchar_t kDumpProgramFile[] = L"dcmdump.exe";
// What Execute returns when the run did not start.
const std::wstring kNoOutput;

void ShowRunnerFailure(const std::wstring& text) { ShowMessageBox(text, MB_OK | MB_ICONHAND); }

// The markers are plain ASCII: when the raw bytes don't hold one, the text
// converted from them doesn't either, so the conversion is only paid on a hit.
bool BufferHoldsMarker(const std::array<char, DOSOutputs::kReadSize>& buffer) {
  std::string_view bytes(buffer.data(), buffer.size());
  if (bytes.find("DcmItem: Non-standard VR") == std::string_view::npos &&
      bytes.find("dcmdump: error:") == std::string_view::npos) {
    return false;
  }
  std::wstring whole = FromAnsi(bytes);
  return Contains(whole, DOSOutputs::kNonStandardVrMarker) || Contains(whole, DOSOutputs::kDumpErrorMarker);
}

// The file name of the program that a command line starts: its first
// argument, which ends at the closing quote when it opens with one and at the
// first blank or tab otherwise, from its last "\" or "/" on. The system adds
// ".exe" to a name without an extension.
std::wstring ProgramFileName(const std::wstring& commandLine) {
  std::wstring program;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const size_t close = commandLine.find(L'"', 1);
    program = commandLine.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
  } else {
    program = commandLine.substr(0, commandLine.find_first_of(L" \t"));
  }
  const size_t slash = program.find_last_of(L"\\/");
  if (slash != std::wstring::npos) program.erase(0, slash + 1);
  if (program.find(L'.') == std::wstring::npos) program += L".exe";
  return program;
}

std::wstring UpperCase(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}
}  // namespace

DOSOutputs::DOSOutputs() { Initialize(); }

bool DOSOutputs::IsDumpCommand() const { return Contains(UpperCase(commandLine_), kDumpProgram); }

bool DOSOutputs::StartsDcmdump() const { return TextEquals(ProgramFileName(commandLine_), kDumpProgramFile); }

const std::wstring& DOSOutputs::Execute(const std::wstring& command) {
  if (!command.empty()) commandLine_ = command;
  const bool dumpFlag = IsDumpCommand();
  if (commandLine_.empty()) {
    ShowRunnerFailure(L"Command Line empty");
    return kNoOutput;
  }

  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof(SECURITY_ATTRIBUTES);
  security.lpSecurityDescriptor = nullptr;
  security.bInheritHandle = TRUE;

  // Only the write end goes to the child. Were the read end inherited too,
  // the child's writes would never fail once this side stops reading: a
  // child with more to print would wait on a full pipe for good, holding its
  // files open.
  WinHandle readEnd, writeEnd;
  BOOL piped = CreatePipe(readEnd.Put(), writeEnd.Put(), &security, 0);
  lastError_ = GetLastError();
  if (piped) {
    piped = SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    lastError_ = GetLastError();
  }
  if (!piped) {
    ShowRunnerFailure(L"CreatePipe failed. Error: " + DecimalText(lastError_));
    return kNoOutput;
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();

  std::string ansiCommand = ToAnsi(commandLine_);
  std::vector<char> commandBuffer(ansiCommand.begin(), ansiCommand.end());
  commandBuffer.push_back('\0');

  // Inheritance on, for the write end; the child's process and thread
  // handles are this program's alone.
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessA(nullptr, commandBuffer.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                                nullptr, nullptr, &startup, &process);
  lastError_ = GetLastError();
  if (started != 1) {
    ShowRunnerFailure(L"File or command not found");
    return kNoOutput;  // both pipe ends close here
  }
  WinHandle childProcess(process.hProcess), childThread(process.hThread);

  writeEnd.Close();  // the child keeps its own copy as its output
  output_.clear();
  const bool stoppedEarly = ReadUntilClosed(readEnd.Get(), dumpFlag);

  if (stoppedEarly) {
    // With the read end closed, the child's next writes fail. A dcmdump then
    // comes to its end, or is ended: it only reads, and it is not left
    // holding the file. Any other child (a dcmodify whose command line names
    // dcmdump.exe in a path) may be writing a file: it is never ended, and
    // the caller, who goes on to that file, waits until it has finished.
    readEnd.Close();
    if (StartsDcmdump()) {
      EndDcmdump(childProcess.Get());
    } else {
      WaitForSingleObject(childProcess.Get(), INFINITE);
    }
  }
  childProcess.Close();
  childThread.Close();
  readEnd.Close();
  return output_;
}

void DOSOutputs::EndDcmdump(HANDLE child) {
  if (WaitForSingleObject(child, kChildEndWaitMs) == WAIT_OBJECT_0) return;
  if (TerminateProcess(child, kTerminatedExitCode)) WaitForSingleObject(child, kChildEndWaitMs);
}

bool DOSOutputs::ReadUntilClosed(HANDLE readEnd, bool dumpFlag) {
  // One buffer for the whole run: each read overwrites only its first bytes,
  // and the markers are searched in all 256 bytes of it.
  std::array<char, kReadSize> buffer{};
  // A character of a multi-byte code page (UTF-8, or a double-byte one) that
  // a read cuts in two waits here for its other bytes, so that it becomes
  // itself and not two replacement characters.
  std::string unfinished;
  BOOL more;
  do {
    DWORD bytesRead = 0;
    more = ReadFile(readEnd, buffer.data(), kReadSize, &bytesRead, nullptr);
    lastError_ = GetLastError();
    const bool atMarker = dumpFlag && BufferHoldsMarker(buffer);
    unfinished.append(buffer.data(), bytesRead);
    const size_t held = more && !atMarker ? IncompleteAnsiTail(unfinished) : 0;
    std::wstring piece = FromAnsi(std::string_view(unfinished).substr(0, unfinished.size() - held));
    unfinished.erase(0, unfinished.size() - held);
    output_ += piece;
    if (PieceRead) PieceRead(piece);
    if (atMarker) return true;
  } while (more);
  return false;
}
