#pragma once
// dcmodify: the arguments file of tag assignments, its command line, its run.
#include <string>

// The arguments file: the temporary folder ("Temp") and "Mod.txt".
std::wstring ModificationArgsFile();

// One assignment line: -i "(gggg,eeee)=value" CR LF (the value unchanged).
std::wstring AssignmentLine(const std::wstring& tag, const std::wstring& value);

// Whether a value can travel through the arguments file unchanged. The file
// holds each assignment inside double quotes and dcmodify's "@file" reader
// has no escape character, so a double quote in a value would end the
// assignment early and let the rest of the value act as further options. The
// file is ANSI text, so a character that the code page lacks would reach the
// DICOM file as a replacement character. A line break or another control
// character (below U+0020) would be written into the element as it stands.
struct AssignmentValueCheck {
  bool hasDoubleQuote = false;
  bool outsideCodePage = false;
  bool hasControlCharacter = false;
  bool Writable() const { return !hasDoubleQuote && !outsideCodePage && !hasControlCharacter; }
};
AssignmentValueCheck CheckAssignmentValue(const std::wstring& value);

// The lines one unlocked item row adds: its own assignment, then those of the
// tags that depend on it (Patient's Age with the birth date, the series,
// acquisition and content dates with the study date, ...).
std::wstring RowAssignments(int row, const std::wstring& tag, const std::wstring& value);

// The dcmodify command line for a DICOM file and an arguments file.
std::wstring DcmModifyCommandLine(const std::wstring& dicomFile, const std::wstring& argsFile);

// Runs dcmodify and returns what it printed (nothing on success), or "" after
// an error (shown in a message box).
std::wstring RunDcmModify(const std::wstring& dicomFile, const std::wstring& argsFile);

// dcmodify rewrites a file by renaming it to the path it was given followed by
// ".bak" and writing the new file under the path it was given. Given a file's
// short form, both would keep that short form as their name: this puts the
// rewritten file back under its own name and the backup beside it as that
// name followed by ".bak". Nothing happens when the two paths are the same.
void RestoreFileNameAfterDcmodify(const std::wstring& ownPath, const std::wstring& givenPath);
