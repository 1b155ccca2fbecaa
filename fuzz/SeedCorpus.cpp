// Writes the fuzzers' seed inputs: sound files of each kind and the usual ways files get damaged.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/ByteCodec.h"
#include "core/EntryScrambler.h"
#include "core/RASBadAreaCodes.h"

namespace {

using tollward::CFileHeader;
using tollward::ConnectionRecord;
using Bytes = std::vector<std::uint8_t>;
using NamedFile = std::pair<std::string, Bytes>;

void Append(Bytes& to, const Bytes& what) {
  to.insert(to.end(), what.begin(), what.end());
}

Bytes Uint32(std::uint32_t value) {
  tollward::CByteWriter out;
  out.Uint32(value);
  return out.bytes();
}

// A list file's header: the tag with its terminating zero, the version 1.0, then the count.
Bytes Header(const CFileHeader& header, std::uint32_t count) {
  tollward::CByteWriter out;
  header.Put(out, count);
  return out.bytes();
}

Bytes Scrambled(const ConnectionRecord& record) {
  std::uint8_t bytes[tollward::kConnectionRecordSize];
  tollward::ScrambleEntry(record, bytes);
  return Bytes(bytes, bytes + sizeof bytes);
}

ConnectionRecord Record(const char* name, const char* area, const char* number, const char* user,
                        const char* password) {
  ConnectionRecord record = tollward::EmptyRecord();
  tollward::CopyField(record.szEntryName, name);
  tollward::CopyField(record.szAreaCode, area);
  tollward::CopyField(record.szLocalPhoneNumber, number);
  tollward::CopyField(record.szUserName, user);
  tollward::CopyField(record.szPassword, password);
  return record;
}

// A text in a zero-filled field of the given size.
Bytes Text(const char* text, std::size_t size) {
  tollward::CByteWriter out;
  out.Text(text, size);
  return out.bytes();
}

Bytes Slot(const char* code) {
  return Text(code, tollward::kBadAreaCodeSlotSize);
}

// What typically happens to a file of this layout: cut inside each part, the tag in other
// letters or of another file, another version, the largest number where the count (or the
// interval) is, bytes after the end.
std::vector<NamedFile> Damaged(const Bytes& sound, const CFileHeader& header,
                               const char* otherTag) {
  const std::size_t tagSize = header.TagSize();
  const std::size_t countOffset = header.Size();
  std::vector<NamedFile> files;
  auto cut = [&](const char* name, std::size_t length) {
    files.emplace_back(name, Bytes(sound.begin(), sound.begin() + length));
  };
  cut("cut-in-tag", tagSize - 3);
  cut("cut-in-version", tagSize + 4);
  cut("cut-in-count", countOffset + 2);
  cut("cut-near-the-end", sound.size() - 3);

  Bytes upper = sound;
  for (std::size_t i = 0; i < tagSize; ++i) {
    if (upper[i] >= 'a' && upper[i] <= 'z') {
      upper[i] = static_cast<std::uint8_t>(upper[i] - 'a' + 'A');
    }
  }
  files.emplace_back("tag-in-capitals", upper);

  Bytes other = sound;
  std::memset(other.data(), 0, tagSize);
  std::memcpy(other.data(), otherTag, std::min(std::strlen(otherTag), tagSize));
  files.emplace_back("tag-of-another-file", other);

  Bytes version = sound;
  version[tagSize + 7] = 0x40;
  files.emplace_back("version-2", version);

  Bytes huge = sound;
  const Bytes most = Uint32(0xFFFFFFFFu);
  std::copy(most.begin(), most.end(), huge.begin() + static_cast<std::ptrdiff_t>(countOffset));
  files.emplace_back("largest-number-after-version", huge);

  Bytes trailing = sound;
  Append(trailing, {'t', 'r', 'a', 'i', 'l'});
  files.emplace_back("bytes-after-the-end", trailing);
  return files;
}

const CFileHeader kConnections("RASConnections:", CFileHeader::Letters::kAnyCase);
const CFileHeader kBadAreaCodes("RASBadAreaCodes:", CFileHeader::Letters::kAnyCase);
const CFileHeader kEntryDetails("RASEntryDetails:", CFileHeader::Letters::kAnyCase);
const CFileHeader kOptions("Options:", CFileHeader::Letters::kExact);

std::vector<NamedFile> ConnectionFiles() {
  const CFileHeader& tag = kConnections;
  const ConnectionRecord office = Record("Office", "030", "123 456", "anna", "secret");
  const ConnectionRecord home = Record("Home", "0190", "1", "", "");
  ConnectionRecord wild;
  std::memset(&wild, 'A', sizeof wild);

  std::vector<NamedFile> files = {{"empty", Header(tag, 0)}};
  Bytes two = Header(tag, 2);
  Append(two, Scrambled(office));
  Append(two, Scrambled(home));
  files.emplace_back("two-records", two);
  Bytes unterminated = Header(tag, 1);
  Append(unterminated, Scrambled(wild));
  files.emplace_back("record-without-zeros", unterminated);
  for (NamedFile& damaged : Damaged(two, kConnections, "RASBadAreaCodes:")) {
    files.push_back(std::move(damaged));
  }
  return files;
}

// One details record: a modem entry with its own name servers and a script, or a blank one.
Bytes DetailsRecord(const char* name, bool filled, std::uint32_t alternates) {
  Bytes record = Text(name, 257);
  Append(record, Uint32(filled ? 0x0105 : 0));  // options
  Append(record, Uint32(filled ? 49 : 0));
  Append(record, Uint32(filled ? 49 : 0));
  for (int address = 0; address < 5; ++address) {
    Append(record, filled ? Bytes{192, 168, 1, static_cast<std::uint8_t>(address)} : Bytes(4, 0));
  }
  Append(record, Uint32(filled ? 1 : 0));
  Append(record, Uint32(filled ? 4 : 0));
  Append(record, Text(filled ? "C:\\ras\\provider.scp" : "", 260));
  Append(record, Text(filled ? "autodial.dll" : "", 260));
  Append(record, Text(filled ? "Dial" : "", 260));
  Append(record, Text(filled ? "modem" : "", 17));
  Append(record, Text(filled ? "Standard Modem" : "", 129));
  Append(record, Uint32(alternates));
  for (std::uint32_t i = 0; i < alternates; ++i) {
    Append(record, Text("030 1234568", 129));
  }
  return record;
}

std::vector<NamedFile> EntryDetailsFiles() {
  const CFileHeader& tag = kEntryDetails;
  std::vector<NamedFile> files = {{"empty", Header(tag, 0)}};
  Bytes two = Header(tag, 2);
  Append(two, DetailsRecord("Home", false, 0));
  Append(two, DetailsRecord("Office", true, 2));
  files.emplace_back("two-records", two);
  Bytes twice = Header(tag, 2);
  Append(twice, DetailsRecord("Office", true, 0));
  Append(twice, DetailsRecord("Office", false, 0));
  files.emplace_back("a-name-twice", twice);
  Bytes wild = Header(tag, 1);
  Append(wild, Bytes(1223, 'A'));
  Append(wild, Uint32(0));
  files.emplace_back("texts-without-zeros", wild);
  for (NamedFile& damaged : Damaged(two, kEntryDetails, "RASBadAreaCodes:")) {
    files.push_back(std::move(damaged));
  }
  return files;
}

std::vector<NamedFile> BadAreaCodeFiles() {
  const CFileHeader& tag = kBadAreaCodes;
  std::vector<NamedFile> files = {{"empty", Header(tag, 0)}};
  Bytes three = Header(tag, 3);
  for (const char* code : {"0190", "0900123456", "1"}) {
    Append(three, Slot(code));
  }
  files.emplace_back("three-codes", three);
  Bytes odd = Header(tag, 3);
  Append(odd, Bytes(11, '9'));
  Append(odd, Slot(""));
  Append(odd, Slot("01x9"));
  files.emplace_back("slots-a-user-could-not-add", odd);
  for (NamedFile& damaged : Damaged(three, kBadAreaCodes, "RASConnections:")) {
    files.push_back(std::move(damaged));
  }
  return files;
}

Bytes OptionsRecord(std::uint32_t interval, std::uint8_t minimize, std::uint8_t extended,
                    std::uint8_t flash) {
  tollward::CByteWriter out;
  kOptions.Put(out);
  out.Uint32(interval);
  for (const std::uint8_t flag : {minimize, extended, flash}) {
    out.Uint8(flag);
  }
  return out.bytes();
}

std::vector<NamedFile> OptionsFiles() {
  const Bytes initial = OptionsRecord(15, 0, 0, 1);
  std::vector<NamedFile> files = {
      {"initial", initial},
      {"all-on", OptionsRecord(9999, 1, 1, 1)},
      {"interval-0", OptionsRecord(0, 0, 1, 0)},
      {"flags-not-0-or-1", OptionsRecord(60, 2, 0xFF, 0x80)},
  };
  for (NamedFile& damaged : Damaged(initial, kOptions, "RASConnections:")) {
    files.push_back(std::move(damaged));
  }
  return files;
}

bool WriteAll(const std::filesystem::path& folder, const std::vector<NamedFile>& files) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const NamedFile& file : files) {
    std::ofstream out(folder / file.first, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.second.data()),
              static_cast<std::streamsize>(file.second.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", (folder / file.first).c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

// One folder per fuzzer, named as the fuzzer is.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const bool written = WriteAll(out / "ConnectionFileFuzzer", ConnectionFiles()) &&
                       WriteAll(out / "BadAreaCodeFileFuzzer", BadAreaCodeFiles()) &&
                       WriteAll(out / "OptionsFileFuzzer", OptionsFiles()) &&
                       WriteAll(out / "EntryDetailsFileFuzzer", EntryDetailsFiles());
  return written ? 0 : 1;
}
