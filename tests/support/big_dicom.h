#pragma once
// A DICOM file whose dump is large: a sequence of many items at (0008,0006),
// a tag that sorts before every one of the item editor's ten tags, so the dump
// prints the whole sequence first and every lookup of those tags scans past
// it. Each item prints the same number of characters (about 350; 3000 items
// make a dump of about 1 MB).
#include "tests/support/dicom_writer.h"

DicomWriter BigDicom(int items = 3000);
