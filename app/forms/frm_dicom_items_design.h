#pragma once
// The stored design of the item editor: the title, the all-rows button, the
// five buttons of the bottom row, and eleven rows of five controls each inside
// their own container (rows 0 to 9 are the item rows; row 10 stays hidden).
#include "ui/design.h"

// Item rows: 0 to 9. The design holds one more, hidden row.
inline constexpr int kItemRows = 10;
inline constexpr int kDesignRows = 11;

const FormDesign& DICOMItemsDesign();
