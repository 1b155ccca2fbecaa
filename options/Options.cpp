// The user's six options, the program's own location, and the options file "Tollward.ini".
#include "options/Options.h"

#include "core/ByteCodec.h"
#include "core/InputFile.h"
#include "options/OptionsErrors.h"
#include "options/ProgramLocation.h"

namespace tollward {

const char kOptionsFileName[] = "Tollward.ini";

namespace {

// All nine bytes of the tag, its zero too, must match in letter case as well.
constexpr CFileHeader kHeader("Options:", CFileHeader::Letters::kExact);
constexpr std::size_t kFlagCount = 3;
static_assert(kHeader.Size() + 4 + kFlagCount == COptions::kFileSize);

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
  if (!savedAtEnd_) {
    SaveAtEnd();
  }
}

void COptions::SaveAtEnd() noexcept {
  savedAtEnd_ = true;
  // Nobody is left to read a message: neither a failed save nor a machine's value that stays is
  // told.
  CHeldReports quiet(*this);
  machineAutostartReported_ = true;
  try {
    if (!optionsFilePath.empty()) {
      std::string path = optionsFilePath;
      Save(path);
    }
  } catch (...) {
    // A failed final save goes unseen.
  }
  WriteAutostart();
}

bool COptions::OptionsFileExists(const std::string& path) const {
  const std::string& file = path.empty() ? optionsFilePath : path;
  return CInputFile(file).IsOpen();
}

bool COptions::IsCompleteFile(const std::string& path) {
  CInputFile file(path);
  CByteReader reader(file.get());
  std::uint8_t fields[COptions::kFileSize - kHeader.Size()];
  return kHeader.Read(reader) == CFileHeader::Check::kSound && reader.Raw(fields, sizeof fields);
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
    CByteWriter record(kFileSize);
    kHeader.Put(record);
    record.Uint32(monitorInterval);
    for (const bool flag :
         {minimizeOnMonitorStart, showExtendedFunctionality, flashTrayIconAfterScan}) {
      record.Uint8(flag ? 1 : 0);
    }
    if (!archive.Write(record.data(), record.size())) {
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
    CByteReader reader(archive);
    const ErrorCode header = CFileHeader::ErrorOf(
        kHeader.Read(reader),
        {options_error::kLoadRead, options_error::kLoadFileType, options_error::kLoadVersion});
    if (header != kNoError) {
      return header;
    }
    // Each field is taken as soon as it is read: a file cut short keeps what it did hold.
    const std::uint32_t interval = reader.Uint32();
    if (!reader.ok()) {
      return options_error::kLoadRead;
    }
    monitorInterval = interval;
    for (bool* flag :
         {&minimizeOnMonitorStart, &showExtendedFunctionality, &flashTrayIconAfterScan}) {
      const std::uint8_t byte = reader.Uint8();
      if (!reader.ok()) {
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
