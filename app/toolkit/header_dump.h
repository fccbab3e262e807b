#pragma once
// The header dump: dcmdump's printout of a DICOM file, and lookups in it.
#include <string>
#include <vector>

#include "app/toolkit/character_set.h"

// The modality tag, as the lookups take it.
inline constexpr wchar_t kModalityTag[] = L"0008,0060";
// The file's character set (Specific Character Set), as the lookups take it.
inline constexpr wchar_t kCharacterSetTag[] = L"0008,0005";

// The dcmdump command line for one file (long values add " +L").
std::wstring DcmDumpCommandLine(const std::wstring& filePath, bool longValues);

// Runs dcmdump on the file and returns what it printed, or "" after an error
// (shown in a message box).
std::wstring RunDcmDump(const std::wstring& filePath, bool longValues);

// The value printed in square brackets for the tag, or "". The tag may carry
// its parentheses; it is written back without them. With cut set and the tag
// found, the dump is shortened to the text after the tag.
std::wstring GetTagValue(std::wstring& dump, std::wstring& tag, bool cut);

// The values of several tags, each as GetTagValue (without cut) gives it, in
// one pass over the dump; the dump is neither copied nor changed.
std::vector<std::wstring> GetTagValues(const std::wstring& dump, const std::vector<std::wstring>& tags);

// The value of (0008,0060) in the dump, or "".
std::wstring GetModality(const std::wstring& dump);

// The value of the data set's own (0008,0005) in the dump, the line at the
// top level (not one inside a sequence item); "" when the file declares none;
// nothing when the dump was cut short, so that it can't tell.
DeclaredCharacterSet GetCharacterSet(const std::wstring& dump);
