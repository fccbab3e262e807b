#include "tests/support/dicom_writer.h"

#include <cwchar>

#include "tests/support/scratch_folder.h"

namespace {
void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
bool HasLongLength(const std::string& vr) {
  return vr == "OB" || vr == "OW" || vr == "OF" || vr == "SQ" || vr == "UT" || vr == "UN" ||
         vr == "UC" || vr == "UR" || vr == "OD" || vr == "OL" || vr == "OV";
}
bool IsBinary(const std::string& vr) {
  return vr == "OB" || vr == "OW" || vr == "OF" || vr == "UN" || vr == "OD" || vr == "OL" ||
         vr == "US" || vr == "UL" || vr == "SS" || vr == "SL" || vr == "FL" || vr == "FD" || vr == "AT";
}
std::string Padded(const std::string& vr, std::string value) {
  if (value.size() % 2 != 0) value.push_back(vr == "UI" || IsBinary(vr) ? '\0' : ' ');
  return value;
}

constexpr char kSopClass[] = "1.2.840.10008.5.1.4.1.1.4";  // MR Image Storage
constexpr char kSopInstance[] = "1.2.826.0.1.3680043.9.7433.1.1";
constexpr char kTransferSyntax[] = "1.2.840.10008.1.2.1";  // explicit VR little endian
constexpr char kImplementationClass[] = "1.2.826.0.1.3680043.9.7433.9";
}  // namespace

const SampleTag kSampleTags[10] = {
    {L"(0010,0010)", "PN", "DOE^John^Q"},
    {L"(0010,0030)", "DA", "19700101"},
    {L"(0010,0040)", "CS", "M"},
    {L"(0008,0020)", "DA", "20200315"},
    {L"(0032,1032)", "PN", "WHO^Asked"},
    {L"(0008,1050)", "PN", "DID^It"},
    {L"(0008,0080)", "LO", "General Hospital"},
    {L"(0008,1010)", "SH", "STATION7"},
    {L"(0008,1070)", "PN", "OPER^Ator"},
    {L"(0008,0070)", "LO", "ACME Medical"},
};

std::string DicomWriter::EncodeElement(uint16_t group, uint16_t element, const std::string& vr,
                                       const std::string& rawValue) {
  std::string value = vr == "SQ" ? rawValue : Padded(vr, rawValue);
  std::string out;
  PutU16(out, group);
  PutU16(out, element);
  out += vr.substr(0, 2);
  if (HasLongLength(vr)) {
    PutU16(out, 0);
    PutU32(out, static_cast<uint32_t>(value.size()));
  } else {
    PutU16(out, static_cast<uint16_t>(value.size()));
  }
  return out + value;
}

std::string DicomWriter::EncodeItem(const std::string& elementsBytes) {
  std::string out;
  PutU16(out, 0xFFFE);
  PutU16(out, 0xE000);
  PutU32(out, static_cast<uint32_t>(elementsBytes.size()));
  return out + elementsBytes;
}

std::string DicomWriter::NonStandardVrElement() {
  std::string element = EncodeElement(0x7FE1, 0x0010, "UN", "odd VR");
  return element.replace(4, 2, "ZZ");
}

DicomWriter::DicomWriter() {
  Set(0x0008, 0x0016, "UI", kSopClass);
  Set(0x0008, 0x0018, "UI", kSopInstance);
}

DicomWriter& DicomWriter::Set(uint16_t group, uint16_t element, const std::string& vr,
                              const std::string& value) {
  elements_[{group, element}] = EncodeElement(group, element, vr, value);
  return *this;
}

DicomWriter& DicomWriter::Remove(uint16_t group, uint16_t element) {
  elements_.erase({group, element});
  return *this;
}

DicomWriter& DicomWriter::SetSequence(uint16_t group, uint16_t element, const std::string& itemsBytes) {
  elements_[{group, element}] = EncodeElement(group, element, "SQ", itemsBytes);
  return *this;
}

std::string DicomWriter::MetaGroup() const {
  std::string body;
  body += EncodeElement(0x0002, 0x0001, "OB", std::string("\x00\x01", 2));
  body += EncodeElement(0x0002, 0x0002, "UI", kSopClass);
  body += EncodeElement(0x0002, 0x0003, "UI", kSopInstance);
  body += EncodeElement(0x0002, 0x0010, "UI", kTransferSyntax);
  body += EncodeElement(0x0002, 0x0012, "UI", kImplementationClass);
  std::string length;
  PutU32(length, static_cast<uint32_t>(body.size()));
  return EncodeElement(0x0002, 0x0000, "UL", length) + body;
}

std::string DicomWriter::Bytes() const {
  std::string out(128, '\0');
  out += "DICM";
  out += MetaGroup();
  for (const auto& [tag, encoded] : elements_) out += encoded;
  return out;
}

std::string DicomWriter::CutShortBytes() const {
  std::string bytes = Bytes();
  const std::string& last = elements_.rbegin()->second;
  return bytes.substr(0, bytes.size() - last.size() + 3);
}

bool DicomWriter::WriteTo(const std::wstring& path) const { return WriteFileBytes(path, Bytes()); }

DicomWriter SampleDicom() {
  DicomWriter w;
  w.Set(0x0008, 0x0060, "CS", "MR");
  for (const SampleTag& t : kSampleTags) {
    unsigned group = 0, element = 0;
    swscanf(t.tag, L"(%4x,%4x)", &group, &element);
    w.Set(static_cast<uint16_t>(group), static_cast<uint16_t>(element), t.vr, t.value);
  }
  w.Set(0x0010, 0x0020, "LO", "PID-0042");
  w.Set(0x0020, 0x000D, "UI", "1.2.826.0.1.3680043.9.7433.2.1");
  return w;
}
