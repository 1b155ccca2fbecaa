// The Windows package as a user unpacks it: its files, how its program is built, and a start
// of that program from the unpacked folder. scripts/test names the folder in TOLLWARD_PACKAGE.
#include <gtest/gtest.h>

#include "platform/win32/WinApi.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/win/PhonebookFixture.h"
#include "tests/win/ProgramProcess.h"
#include "tests/win/Robot.h"

namespace tollward {
namespace {

namespace fs = std::filesystem;
using testing::Program;

fs::path PackageFolder() {
  const char* folder = std::getenv("TOLLWARD_PACKAGE");
  return folder != nullptr ? fs::absolute(folder) : fs::path();
}

fs::path PackagedProgram() {
  return PackageFolder() / "Tollward.exe";
}

bool IsPackaged() {
  return !PackageFolder().empty() && fs::is_regular_file(PackagedProgram());
}

#define ASSERT_PACKAGED() \
  ASSERT_TRUE(IsPackaged()) << "TOLLWARD_PACKAGE must name the unpacked package (scripts/test)"

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

TEST(PackagedProgram, ComesWithItsHelpAndNothingElse) {
  ASSERT_PACKAGED();
  std::vector<std::string> strays;
  bool help = false;
  for (const auto& entry : fs::recursive_directory_iterator(PackageFolder())) {
    const std::string name = Lower(fs::relative(entry.path(), PackageFolder()).string());
    if (name == "help") {
      help = entry.is_directory();
    } else if (name != "tollward.exe" && name.rfind("help\\", 0) != 0) {
      strays.push_back(name);
    } else if (entry.path().extension() == ".dll" || entry.path().extension() == ".DLL") {
      strays.push_back(name);
    }
  }
  EXPECT_TRUE(help);
  EXPECT_TRUE(strays.empty()) << "not part of the program (the RAS stand-in never is): "
                              << ::testing::PrintToString(strays);
}

// Stripped: no COFF symbols and no debug sections, whose long names live in that symbol table.
TEST(PackagedProgram, IsStrippedAndUnderOneMebibyte) {
  ASSERT_PACKAGED();
  const std::vector<unsigned char> image = testing::ReadBytes(PackagedProgram().string());
  EXPECT_LT(image.size(), 1024u * 1024u);
  ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
  EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, nt->FileHeader.Machine);
  EXPECT_EQ(0u, nt->FileHeader.PointerToSymbolTable);
  EXPECT_EQ(0u, nt->FileHeader.NumberOfSymbols);
  EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    const std::string name(reinterpret_cast<const char*>(section->Name),
                           strnlen(reinterpret_cast<const char*>(section->Name), 8));
    EXPECT_TRUE(name.rfind(".debug", 0) != 0 && name.rfind("/", 0) != 0) << name;
  }
}

// The names of the libraries the image imports, lower case, read from the file as it lies.
std::set<std::string> ImportedLibraries(const std::vector<unsigned char>& image) {
  std::set<std::string> names;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  // A virtual address as an offset into the file, through the section that holds it.
  auto offset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& section = sections[i];
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return rva - section.VirtualAddress + section.PointerToRawData;
      }
    }
    return image.size();
  };
  for (size_t at = offset(imports.VirtualAddress);
       at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= image.size();
       at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + at);
    if (descriptor->Name == 0) {
      break;
    }
    const size_t name = offset(descriptor->Name);
    if (name < image.size()) {
      names.insert(Lower(reinterpret_cast<const char*>(image.data() + name)));
    }
  }
  return names;
}

// RASAPI32 comes from the system folder at run time; an import would be looked for beside the
// program first.
TEST(PackagedProgram, ImportsNoRasapi32) {
  ASSERT_PACKAGED();
  const std::set<std::string> imports =
      ImportedLibraries(testing::ReadBytes(PackagedProgram().string()));
  EXPECT_EQ(1u, imports.count("kernel32.dll")) << ::testing::PrintToString(imports);
  EXPECT_EQ(0u, imports.count("rasapi32.dll")) << ::testing::PrintToString(imports);
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
  if (!::VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
      length == 0) {
    return "(none)";
  }
  return std::string(value);
}

// The icon group's images as (size, color depth).
std::set<std::pair<int, int>> IconImages(HMODULE module, UINT id) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  std::set<std::pair<int, int>> images;
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
  if (found == nullptr) {
    return images;
  }
  const auto* group = static_cast<const WORD*>(::LockResource(::LoadResource(module, found)));
  const auto* entries = reinterpret_cast<const GroupEntry*>(group + 3);
  for (WORD i = 0; i < group[2]; ++i) {
    images.insert({entries[i].width, entries[i].bits});
  }
  return images;
}

TEST(PackagedProgram, CarriesItsVersionManifestAndIcon) {
  ASSERT_PACKAGED();
  const std::string exe = PackagedProgram().string();
  DWORD ignored = 0;
  std::vector<char> info(::GetFileVersionInfoSizeA(exe.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(::GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionMS);
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionLS);
  EXPECT_EQ("1.01", VersionString(info, "FileVersion"));
  EXPECT_EQ("1.01", VersionString(info, "ProductVersion"));
  EXPECT_EQ("Tollward", VersionString(info, "ProductName"));
  EXPECT_EQ("Tollward dial-up phonebook guard", VersionString(info, "FileDescription"));
  EXPECT_EQ("(none)", VersionString(info, "CompanyName"));

  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(nullptr, found);
  const std::string manifest(
      static_cast<const char*>(::LockResource(::LoadResource(module, found))),
      ::SizeofResource(module, found));
  EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                             "version=\"6.0.0.0\""))
      << manifest;
  EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\"")) << manifest;

  // Every size the shell asks for from 100 to 200 %, and 256 pixels (recorded as 0); the
  // classic sizes also in 256 colors.
  const std::set<std::pair<int, int>> expected = {{16, 8},  {32, 8},  {48, 8},  {16, 32},
                                                  {20, 32}, {24, 32}, {32, 32}, {40, 32},
                                                  {48, 32}, {64, 32}, {0, 32}};
  EXPECT_EQ(expected, IconImages(module, IDI_TOLLWARD));
  ::FreeLibrary(module);
}

// The stand-in lies in the system folder of the prefix only (scripts/test); what the program
// writes beside itself is removed afterwards, so the folder stays as the zip made it.
class PackagedProgramRun : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    ASSERT_PACKAGED();
  }
  void TearDown() override {
    std::error_code ignored;
    for (const char* name : {"Tollward.ini", "Tollward.con", "Tollward.bac"}) {
      fs::remove(PackageFolder() / name, ignored);
    }
    PhonebookFileTest::TearDown();
  }
};

TEST_F(PackagedProgramRun, StartsFromTheUnpackedFolderAndKeepsItsFilesThere) {
  WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567"});
  Program program(PackagedProgram().string(), " /nosplash");
  ASSERT_TRUE(program.started());
  const HWND controlCenter = program.WaitForWindow(testing::IsControlCenter);
  ASSERT_NE(nullptr, controlCenter);
  EXPECT_EQ(1, testing::RobotWindow(controlCenter).ListCount(IDC_UNREGISTERED_LIST))
      << "the phonebook through the stand-in in the system folder";

  DWORD code = 1;
  ASSERT_TRUE(program.QuitWithYes(controlCenter, code));
  EXPECT_EQ(0u, code);
  for (const char* name : {"Tollward.ini", "Tollward.con", "Tollward.bac"}) {
    EXPECT_TRUE(fs::is_regular_file(PackageFolder() / name)) << name;
  }
}

}  // namespace
}  // namespace tollward
