#pragma once
// A small DICOM Part 10 writer for tests: 128-byte preamble, "DICM", the file
// meta group, then an explicit VR little endian data set.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

class DicomWriter {
 public:
  DicomWriter();

  // Sets an element of the data set; value is the raw bytes (ANSI text for
  // string VRs). Odd lengths are padded as the standard says (NUL for UI,
  // blank for the other text VRs, NUL for binary VRs).
  DicomWriter& Set(uint16_t group, uint16_t element, const std::string& vr, const std::string& value);
  DicomWriter& Remove(uint16_t group, uint16_t element);
  // A sequence (SQ) of items, each item the encoded elements of one data set.
  DicomWriter& SetSequence(uint16_t group, uint16_t element, const std::string& itemsBytes);

  // The whole file.
  std::string Bytes() const;
  bool WriteTo(const std::wstring& path) const;
  // The file cut inside the header of its last element: dcmdump reports
  // "I/O suspension or premature end of stream" for it.
  std::string CutShortBytes() const;

  // Encoding of one explicit VR little endian element (used for items too).
  static std::string EncodeElement(uint16_t group, uint16_t element, const std::string& vr,
                                   const std::string& value);
  // Encoding of one sequence item holding the given elements.
  static std::string EncodeItem(const std::string& elementsBytes);
  // An element (7FE1,0010) of the VR "ZZ", which the standard doesn't know:
  // dcmdump warns "DcmItem: Non-standard VR" while it reads a file that ends
  // with it, before it prints anything else.
  static std::string NonStandardVrElement();

 private:
  std::string MetaGroup() const;
  std::map<std::pair<uint16_t, uint16_t>, std::string> elements_;  // encoded, by tag
};

// A file with the ten tags of the item editor, the modality "MR", and the
// identifying values the tests check.
DicomWriter SampleDicom();

// The ten tags of the item editor in row order, and their values in SampleDicom().
struct SampleTag {
  const wchar_t* tag;    // "(gggg,eeee)"
  const char* vr;
  const char* value;
};
extern const SampleTag kSampleTags[10];
