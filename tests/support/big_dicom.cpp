#include "tests/support/big_dicom.h"

#include <string>

DicomWriter BigDicom(int items) {
  std::string sequence;
  for (int i = 0; i < items; ++i) {
    std::string uid = "1.2.826.0.1.3680043.9.7433.3." + std::to_string(i);
    std::string item = DicomWriter::EncodeElement(0x0008, 0x1150, "UI", "1.2.840.10008.5.1.4.1.1.4") +
                       DicomWriter::EncodeElement(0x0008, 0x1155, "UI", uid);
    sequence += DicomWriter::EncodeItem(item);
  }
  DicomWriter w = SampleDicom();
  w.SetSequence(0x0008, 0x1140, sequence);
  return w;
}
