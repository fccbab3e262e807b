#include "tests/support/big_dicom.h"

#include <string>

namespace {
// Language Code Sequence: an SQ that sorts before (0008,0016).
constexpr uint16_t kBlockGroup = 0x0008;
constexpr uint16_t kBlockElement = 0x0006;
// Every item's UID ends in a number of the same width, so items print alike.
constexpr int kFirstItemNumber = 10000000;
}  // namespace

DicomWriter BigDicom(int items) {
  std::string sequence;
  for (int i = 0; i < items; ++i) {
    std::string uid = "1.2.826.0.1.3680043.9.7433.3." + std::to_string(kFirstItemNumber + i);
    std::string item = DicomWriter::EncodeElement(0x0008, 0x1150, "UI", "1.2.840.10008.5.1.4.1.1.4") +
                       DicomWriter::EncodeElement(0x0008, 0x1155, "UI", uid);
    sequence += DicomWriter::EncodeItem(item);
  }
  DicomWriter w = SampleDicom();
  w.SetSequence(kBlockGroup, kBlockElement, sequence);
  return w;
}
