// The user's six options, the program's own location, and the options file "Tollward.ini".
#include "options/Options.h"

#include <cstring>

#include "core/InputFile.h"
#include "options/OptionsErrors.h"
#include "options/ProgramLocation.h"

namespace tollward {

const char kOptionsFileName[] = "Tollward.ini";

namespace {

// The tag includes its terminating zero; all nine bytes must match.
constexpr unsigned char kTag[9] = {'O', 'p', 't', 'i', 'o', 'n', 's', ':', 0};
// The format version, the double 1.0 in little-endian order.
constexpr unsigned char kVersion[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};

bool ReadExactly(std::FILE* file, void* data, std::size_t size) {
  return std::fread(data, 1, size, file) == size;
}

}  // namespace

COptions::COptions(IAutostartStore& autostart, const ICommandLine& commandLine)
    : CErrorState(kOptionsErrors), autostart_(autostart) {
  try {
    // The system's name of the program file; the command line's first token, which whoever
    // started the program chose, only where the system gives none.
    const std::string programFile = commandLine.ProgramFile();
    ProgramLocation location = programFile.empty()
                                   ? ProgramLocationFromCommandLine(commandLine.Text())
                                   : ProgramLocationOfFile(programFile);
    programPath = std::move(location.path);
    programDirectory = std::move(location.directory);
    optionsFilePath = programDirectory + kOptionsFileName;
  } catch (...) {
    // Without its location the program still runs, with its files in the current directory.
    programPath.clear();
    programDirectory.clear();
    optionsFilePath = kOptionsFileName;
  }
  ReadAutostart();
}

COptions::~COptions() {
  // By now ReportError is this class's own, which shows nothing: the final save is silent.
  try {
    if (!optionsFilePath.empty()) {
      std::string path = optionsFilePath;
      Save(path);
    }
  } catch (...) {
    // Nothing may leave a destructor; a failed final save goes unseen.
  }
  WriteAutostart();
}

bool COptions::OptionsFileExists(const std::string& path) const {
  const std::string& file = path.empty() ? optionsFilePath : path;
  return CInputFile(file).IsOpen();
}

bool COptions::IsCompleteFile(const std::string& path) {
  CInputFile file(path);
  unsigned char record[kFileSize];
  return file.IsOpen() && file.Read(record, sizeof record) &&
         std::memcmp(record, kTag, sizeof kTag) == 0 &&
         std::memcmp(record + sizeof kTag, kVersion, sizeof kVersion) == 0;
}

bool COptions::Save(std::string& path) {
  WriteAutostart();
  return RunReported(options_error::kSaveUnhandled, [&]() -> ErrorCode {
    if (path.empty()) {
      path = optionsFilePath;
    }
    CSafeFileWriter file;
    if (!file.Open(path)) {
      return options_error::kSaveOpen;
    }
    // Both a record that stopped short and a file that could not take the old one's place
    // leave the previous options file as it was.
    if (!SaveToArchive(file) || !file.Commit()) {
      return options_error::kSaveArchive;
    }
    return kNoError;
  });
}

bool COptions::SaveToArchive(CSafeFileWriter& archive) {
  return RunReported(options_error::kSaveUnhandled, [&]() -> ErrorCode {
    const unsigned char interval[4] = {
        static_cast<unsigned char>(monitorInterval),
        static_cast<unsigned char>(monitorInterval >> 8),
        static_cast<unsigned char>(monitorInterval >> 16),
        static_cast<unsigned char>(monitorInterval >> 24),
    };
    const unsigned char minimize = minimizeOnMonitorStart ? 1 : 0;
    const unsigned char extended = showExtendedFunctionality ? 1 : 0;
    const unsigned char flash = flashTrayIconAfterScan ? 1 : 0;
    if (!archive.Write(kTag, sizeof kTag) || !archive.Write(kVersion, sizeof kVersion) ||
        !archive.Write(interval, sizeof interval) || !archive.Write(&minimize, 1) ||
        !archive.Write(&extended, 1) || !archive.Write(&flash, 1)) {
      return options_error::kSaveWrite;
    }
    return kNoError;
  });
}

bool COptions::Load(std::string& path) {
  ReadAutostart();
  return RunReported(options_error::kLoadUnhandled, [&]() -> ErrorCode {
    if (path.empty()) {
      path = optionsFilePath;
    }
    CInputFile file(path);
    if (!file.IsOpen()) {
      return options_error::kLoadOpen;
    }
    if (!LoadFromArchive(file.get())) {
      return options_error::kLoadArchive;
    }
    return kNoError;
  });
}

bool COptions::LoadFromArchive(std::FILE* archive) {
  return RunReported(options_error::kLoadUnhandled, [&]() -> ErrorCode {
    if (archive == nullptr) {
      return options_error::kLoadRead;
    }
    unsigned char tag[sizeof kTag];
    if (!ReadExactly(archive, tag, sizeof tag)) {
      return options_error::kLoadRead;
    }
    if (std::memcmp(tag, kTag, sizeof kTag) != 0) {
      return options_error::kLoadFileType;
    }
    unsigned char version[sizeof kVersion];
    if (!ReadExactly(archive, version, sizeof version)) {
      return options_error::kLoadRead;
    }
    if (std::memcmp(version, kVersion, sizeof kVersion) != 0) {
      return options_error::kLoadVersion;
    }
    // Each field is taken as soon as it is read: a file cut short keeps what it did hold.
    unsigned char interval[4];
    if (!ReadExactly(archive, interval, sizeof interval)) {
      return options_error::kLoadRead;
    }
    monitorInterval = static_cast<std::uint32_t>(interval[0]) |
                      static_cast<std::uint32_t>(interval[1]) << 8 |
                      static_cast<std::uint32_t>(interval[2]) << 16 |
                      static_cast<std::uint32_t>(interval[3]) << 24;
    for (bool* flag :
         {&minimizeOnMonitorStart, &showExtendedFunctionality, &flashTrayIconAfterScan}) {
      unsigned char byte = 0;
      if (!ReadExactly(archive, &byte, 1)) {
        return options_error::kLoadRead;
      }
      *flag = byte != 0;
    }
    return kNoError;
  });
}

bool COptions::SetMonitorInterval(std::uint32_t minutes) {
  if (minutes < 1 || minutes > kMaxMonitorInterval) {
    return false;
  }
  monitorInterval = minutes;
  return true;
}

}  // namespace tollward
