#pragma once
// Resource identifiers of the program's icons and manifest.
#define IDR_MANIFEST 1

// Icons; the sources (SVG) lie beside the .ico files in resources/icons/ and
// scripts/make_icons.sh regenerates the .ico files from them. The trefoil has
// the lowest number, so the shell shows it as the program's icon.
#define IDI_TREFOIL 101         // radiation trefoil, 16/24/32: main window icon, "Choose a DICOM File..."
#define IDI_PADLOCK_OPEN 102    // green open padlock, 24: "Unlock the text editor", a row's Unlocked option
#define IDI_PADLOCK_CLOSED 103  // red closed padlock, 24: "Lock the text editor", a row's Locked option
#define IDI_WINDOW_TABLE 104    // window holding a table, 32: "Edit..."
#define IDI_QUESTION_DISC 105   // white question mark on a blue disc, 32: about icon, about box's "Help"
#define IDI_MASK 106            // domino mask, 24: "Anoniimize All"
#define IDI_DICE 107            // two dice, 24: a row's "Anonimize" button
#define IDI_RED_CROSS 108       // red diagonal cross, 32: "Cancel"
#define IDI_HISTORY_CLOCK 109   // clock in a backward arrow, 32: "Load last used Items"
#define IDI_DISK 110            // diskette, 32: "Save current item set"
#define IDI_FOLDER_OPEN 111     // open folder with a sheet, 32: "Load item set"
#define IDI_DISK_CHECK 112      // diskette with a green check mark, 32: "Save DICOM File"
#define IDI_LOGO 113            // trefoil with a writing quill, 256: the about box's logo
#define IDI_SCAN_SLICES 114     // stack of scan slices, 128: the about box's DICOM toolkit link
#define IDI_GEAR_CODE 115       // gear with code brackets, 128: the about box's development tool link
