#pragma once
// A DICOM file whose dump is large (about 1 MB for 3000 items): a sequence of
// many items before the ten identifying tags, so lookups scan far.
#include "tests/support/dicom_writer.h"

DicomWriter BigDicom(int items = 3000);
