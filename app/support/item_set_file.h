#pragma once
// The item-set file: ten lines of ANSI text, the values of the item editor's
// rows in row order, each line ended by CR LF.
#include <array>
#include <optional>
#include <string>

inline constexpr size_t kItemSetRows = 10;
using ItemSet = std::array<std::wstring, kItemSetRows>;

// The bytes of a file holding the item set.
std::string ItemSetFileBytes(const ItemSet& values);

// The item set read from a file's bytes: a CR ends a line and an LF right
// after it belongs to the line end; an LF anywhere else stays in the value;
// NUL bytes are dropped; missing lines are empty; lines after the tenth are
// ignored.
ItemSet ItemSetFromBytes(const std::string& bytes);

// Creates or empties the file and writes the item set; 0 when it did, else
// the system's error code (a file that was opened may then hold part of the
// lines).
unsigned long WriteItemSetFile(const std::wstring& path, const ItemSet& values);

// The item set of an existing file, or nothing when it can't be opened or read.
std::optional<ItemSet> ReadItemSetFile(const std::wstring& path);

// The last-used items file: the temporary folder and "SaveItems.txt".
std::wstring LastUsedItemsFile();
