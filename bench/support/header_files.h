#pragma once
// DICOM files whose dumps reach a chosen size, made with BigDicom: the large
// block sorts before the item editor's ten tags, so every lookup of them
// scans the whole block first.
#include <string>

#include "tests/support/scratch_folder.h"

// One MB of dump: 2^20 characters.
inline constexpr double kCharactersPerMb = 1048576.0;

// Items of the large block that give a dump of about `characters` characters,
// measured from the dumps of two small files of the kind (written in folder).
int ItemsForDumpSize(double characters, const ScratchFolder& folder);

// Writes the file with a dump of about `mb` MB into the folder; its path.
std::wstring WriteHeaderFile(const ScratchFolder& folder, const std::wstring& name, double mb);

// How many of the ten item tags are printed after the large block: the tag's
// own line comes after the block's last line, and the tag's text (as the
// lookups search it, without parentheses) first occurs on that line.
int ItemTagsAfterBlock(const std::wstring& dump);
