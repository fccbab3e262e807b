#pragma once
// Resource identifiers of the program's icons and manifest.
#define IDR_MANIFEST 1
