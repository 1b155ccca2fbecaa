// The user's six options, the program's own location, and the options file "Tollward.ini".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/ErrorState.h"
#include "core/SafeFileWriter.h"
#include "platform/AutostartStore.h"
#include "platform/CommandLine.h"

namespace tollward {

extern const char kOptionsFileName[];

// The options record. Two flags live in the system's autostart value, the other four options
// in the options file beside the program. Reports go nowhere here; a subclass shows them.
// Destruction saves the file and the autostart value once more, silently, unless SaveAtEnd has.
class COptions : public CErrorState {
 public:
  static constexpr std::uint32_t kDefaultMonitorInterval = 15;
  static constexpr std::uint32_t kMaxMonitorInterval = 9999;
  static constexpr std::size_t kFileSize = 24;

  // Reads the autostart flags at once; the options file is read only by Load.
  COptions(IAutostartStore& autostart, const ICommandLine& commandLine);
  ~COptions() override;
  COptions(const COptions&) = delete;
  COptions& operator=(const COptions&) = delete;

  bool runMonitorAtStartup = false;
  bool runSilentCheckAtStart = false;
  bool minimizeOnMonitorStart = false;
  bool showExtendedFunctionality = false;
  bool flashTrayIconAfterScan = true;

  // An empty path stands for the default options file. Reports nothing.
  bool OptionsFileExists(const std::string& path) const;
  // Whether the file holds a whole record of this format. Reports nothing, changes nothing.
  static bool IsCompleteFile(const std::string& path);

  // An empty path is replaced by the default options file's, and holds it on return. Load
  // first refreshes the autostart flags, Save first rewrites the autostart value, whatever
  // happens to the file afterwards.
  bool Load(std::string& path);
  bool Save(std::string& path);
  // The same with the default options file.
  bool Load() {
    std::string path;
    return Load(path);
  }
  bool Save() {
    std::string path;
    return Save(path);
  }

  // The record's last writes, which its destruction makes unless they were made before: the
  // options file, then the autostart value once more, without a word. Afterwards the destruction
  // writes nothing.
  void SaveAtEnd() noexcept;

  // The 24-byte record at the current position of an open file.
  bool SaveToArchive(CSafeFileWriter& archive);
  bool LoadFromArchive(std::FILE* archive);

  // Accepts 1 to 9999 minutes. A file may still bring any value; users of the interval must
  // cope with 0.
  bool SetMonitorInterval(std::uint32_t minutes);
  std::uint32_t GetMonitorInterval() const { return monitorInterval; }

  // Ends with a backslash, or is empty when the program was started without a folder.
  const std::string& GetProgramDirectory() const { return programDirectory; }
  const std::string& GetProgramPath() const { return programPath; }
  const std::string& GetOptionsFilePath() const { return optionsFilePath; }

  // The two flags from the machine's autostart value, or from the user's when the machine has
  // none; a value holding neither switch is removed.
  void ReadAutostart();
  // Writes the machine's value from the two flags for a program in the system's program folders
  // where this user may write it, else the user's; removes both when both flags are off. A
  // machine's value this user cannot remove stays, and the user's is then not added, so that
  // the program is never started twice.
  void WriteAutostart();

 protected:
  // A machine's value stays that should go and that this user may not remove. Said at most
  // once in the record's life; this class says nothing.
  virtual void ReportMachineAutostartLeft() {}

 private:
  void MachineAutostartLeft();

  bool machineAutostartReported_ = false;
  bool savedAtEnd_ = false;
  IAutostartStore& autostart_;

  std::uint32_t monitorInterval = kDefaultMonitorInterval;
  std::string optionsFilePath;
  std::string programPath;
  std::string programDirectory;
};

}  // namespace tollward
