#pragma once
// Generated replacement values of the item editor: the random source, random
// integers, dates and patient names.
#include <cstdint>
#include <string>

// Re-seeds the random source from the current time of day, with a clock fine
// enough that two seedings in the same second differ.
void ReseedRandomFromClock();
// A uniform number r with 0 <= r < 1 (single precision).
float NextRandom();

// floor((high - low + 1) * r + low); raises run-time error 6 when
// high - low + 1 doesn't fit into 32 bits.
int32_t RandomInt(int32_t low, int32_t high);

// An eight-character date YYYYMMDD (day 01 to 28) with the year between the
// bounds; equal bounds are replaced, in the caller's variables, by the current
// year - 100 and the current year - 1.
std::wstring RandomDate(int16_t& first, int16_t& second);

// One of "DOE", "SMITH", "MARTIN", "DUPONT", then "^J-" and seven digits.
std::wstring RandomPatientName();

// The year of the current local date.
int CurrentYear();
