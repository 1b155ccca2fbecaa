// The stand-in answers raw RASAPI32 calls as the system's service does where the program relies on
// it.
#include <gtest/gtest.h>

#include "platform/win32/Ras400.h"
#include "tests/win/PhonebookFixture.h"

#include <cstring>

namespace tollward {
namespace {

class RasStandInTest : public testing::PhonebookFileTest {
 protected:
  void SetUp() override {
    PhonebookFileTest::SetUp();
    WritePhonebook({"[Office]", "AreaCode=089", "LocalPhoneNumber=1234567", "UserName=smith",
                    "Password=secret", "[Home]", "LocalPhoneNumber=555", "[Mobile]"});
  }

  static ras400::DialParams DialParamsFor(const char* name) {
    ras400::DialParams dial{};
    dial.dwSize = sizeof(dial);
    std::strcpy(dial.szEntryName, name);
    return dial;
  }
};

RASENTRYNAMEA* AsNames(void* buffer) {
  return static_cast<RASENTRYNAMEA*>(buffer);
}
RASDIALPARAMSA* AsDial(void* buffer) {
  return static_cast<RASDIALPARAMSA*>(buffer);
}
RASENTRYA* AsEntry(void* buffer) {
  return static_cast<RASENTRYA*>(buffer);
}

TEST_F(RasStandInTest, WrongStructureSizeIsRefused) {
  for (DWORD size : {0ul, 263ul, 265ul, 1052ul}) {
    ras400::EntryName names[4] = {};
    names[0].dwSize = size;
    DWORD bytes = sizeof(names);
    DWORD count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, AsNames(names), &bytes, &count),
              DWORD{ERROR_INVALID_SIZE})
        << size;
  }
  for (DWORD size : {0ul, 264ul, 1051ul, 1053ul}) {
    ras400::DialParams dial = DialParamsFor("Office");
    dial.dwSize = size;
    BOOL hasPassword = FALSE;
    EXPECT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), &hasPassword),
              DWORD{ERROR_INVALID_SIZE});
    EXPECT_EQ(RasSetEntryDialParamsA(nullptr, AsDial(&dial), FALSE), DWORD{ERROR_INVALID_SIZE});
  }
  for (DWORD size : {0ul, 1052ul, 1767ul, 1769ul}) {
    ras400::Entry entry{};
    entry.dwSize = size;
    DWORD bytes = sizeof(entry);
    EXPECT_EQ(RasGetEntryPropertiesA(nullptr, "Office", AsEntry(&entry), &bytes, nullptr, nullptr),
              DWORD{ERROR_INVALID_SIZE});
  }
  EXPECT_NE(PhonebookText().find("UserName=smith"), std::string::npos);
}

TEST_F(RasStandInTest, EnumerationAnswersTooSmallBufferWithNeededSizeAndCount) {
  ras400::EntryName names[3] = {};
  names[0].dwSize = sizeof(ras400::EntryName);
  for (DWORD offered : {0ul, 264ul, 791ul}) {
    DWORD bytes = offered;
    DWORD count = 0;
    EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, AsNames(names), &bytes, &count),
              DWORD{ERROR_BUFFER_TOO_SMALL});
    EXPECT_EQ(bytes, 3u * 264u);
    EXPECT_EQ(count, 3u);
  }
  DWORD bytes = sizeof(names);
  DWORD count = 0;
  ASSERT_EQ(RasEnumEntriesA(nullptr, nullptr, AsNames(names), &bytes, &count), 0u);
  EXPECT_EQ(count, 3u);
  EXPECT_STREQ(names[0].szEntryName, "Office");
  EXPECT_STREQ(names[1].szEntryName, "Home");
  EXPECT_STREQ(names[2].szEntryName, "Mobile");
}

// A caller built with the current headers passes the larger layout; entries then follow each
// other at that layout's size.
TEST_F(RasStandInTest, CurrentLayoutsAreServedToo) {
  RASENTRYNAMEA names[3] = {};
  names[0].dwSize = sizeof(RASENTRYNAMEA);
  DWORD bytes = sizeof(names);
  DWORD count = 0;
  ASSERT_EQ(RasEnumEntriesA(nullptr, nullptr, names, &bytes, &count), 0u);
  EXPECT_EQ(count, 3u);
  EXPECT_STREQ(names[2].szEntryName, "Mobile");
  EXPECT_STREQ(names[2].szPhonebookPath, phonebookPath().c_str());

  RASDIALPARAMSA dial = {};
  dial.dwSize = sizeof(dial);
  std::strcpy(dial.szEntryName, "Office");
  BOOL hasPassword = FALSE;
  ASSERT_EQ(RasGetEntryDialParamsA(nullptr, &dial, &hasPassword), 0u);
  EXPECT_STREQ(dial.szUserName, "smith");

  RASENTRYA entry = {};
  entry.dwSize = sizeof(entry);
  bytes = sizeof(entry);
  ASSERT_EQ(RasGetEntryPropertiesA(nullptr, "Office", &entry, &bytes, nullptr, nullptr), 0u);
  EXPECT_STREQ(entry.szLocalPhoneNumber, "1234567");
}

TEST_F(RasStandInTest, PropertiesAnswerTooSmallBufferWithNeededSize) {
  DWORD bytes = 0;
  EXPECT_EQ(RasGetEntryPropertiesA(nullptr, "Office", nullptr, &bytes, nullptr, nullptr),
            DWORD{ERROR_BUFFER_TOO_SMALL});
  EXPECT_GE(bytes, sizeof(ras400::Entry));

  ras400::Entry entry{};
  entry.dwSize = sizeof(entry);
  bytes = sizeof(entry) - 1;
  EXPECT_EQ(RasGetEntryPropertiesA(nullptr, "Office", AsEntry(&entry), &bytes, nullptr, nullptr),
            DWORD{ERROR_BUFFER_TOO_SMALL});
  EXPECT_EQ(bytes, sizeof(entry));
  EXPECT_STREQ(entry.szAreaCode, "");

  std::memset(entry.szScript, 'x', sizeof(entry.szScript));
  DWORD deviceBytes = 99;
  ASSERT_EQ(
      RasGetEntryPropertiesA(nullptr, "Office", AsEntry(&entry), &bytes, nullptr, &deviceBytes),
      0u);
  EXPECT_EQ(entry.dwSize, sizeof(entry));
  EXPECT_STREQ(entry.szAreaCode, "089");
  EXPECT_STREQ(entry.szLocalPhoneNumber, "1234567");
  EXPECT_EQ(entry.szScript[0], '\0');
  EXPECT_EQ(deviceBytes, 0u);
}

TEST_F(RasStandInTest, DialParamsAnswerOnlyWithTheEntrysValues) {
  ras400::DialParams dial = DialParamsFor("Office");
  std::strcpy(dial.szPhoneNumber, "left by the caller");
  std::strcpy(dial.szDomain, "CALLER");
  BOOL hasPassword = FALSE;
  ASSERT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), &hasPassword), 0u);
  EXPECT_STREQ(dial.szEntryName, "Office");
  EXPECT_STREQ(dial.szUserName, "smith");
  EXPECT_STRNE(dial.szPassword, "secret");
  EXPECT_STRNE(dial.szPassword, "");
  EXPECT_STREQ(dial.szPhoneNumber, "");
  EXPECT_STREQ(dial.szDomain, "");
  EXPECT_TRUE(hasPassword);

  dial = DialParamsFor("Home");
  ASSERT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), &hasPassword), 0u);
  EXPECT_FALSE(hasPassword);
}

TEST_F(RasStandInTest, UnknownEntryIsReportedByEveryCall) {
  const std::string before = PhonebookText();
  ras400::DialParams dial = DialParamsFor("Nowhere");
  BOOL hasPassword = FALSE;
  EXPECT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), &hasPassword),
            DWORD{ERROR_CANNOT_FIND_PHONEBOOK_ENTRY});
  EXPECT_EQ(RasSetEntryDialParamsA(nullptr, AsDial(&dial), FALSE),
            DWORD{ERROR_CANNOT_FIND_PHONEBOOK_ENTRY});
  ras400::Entry entry{};
  entry.dwSize = sizeof(entry);
  DWORD bytes = sizeof(entry);
  EXPECT_EQ(RasGetEntryPropertiesA(nullptr, "Nowhere", AsEntry(&entry), &bytes, nullptr, nullptr),
            DWORD{ERROR_CANNOT_FIND_PHONEBOOK_ENTRY});
  EXPECT_EQ(RasEditPhonebookEntryA(nullptr, nullptr, "Nowhere"),
            DWORD{ERROR_CANNOT_FIND_PHONEBOOK_ENTRY});
  EXPECT_EQ(PhonebookText(), before);
}

TEST_F(RasStandInTest, MissingPointersAreRefused) {
  ras400::EntryName names[1] = {};
  names[0].dwSize = sizeof(names[0]);
  DWORD bytes = sizeof(names);
  DWORD count = 0;
  EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, AsNames(names), nullptr, &count),
            DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, AsNames(names), &bytes, nullptr),
            DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count),
            DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasEnumEntriesA("reserved", nullptr, AsNames(names), &bytes, &count),
            DWORD{ERROR_INVALID_PARAMETER});

  ras400::DialParams dial = DialParamsFor("Office");
  EXPECT_EQ(RasGetEntryDialParamsA(nullptr, nullptr, nullptr), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), nullptr),
            DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasSetEntryDialParamsA(nullptr, nullptr, FALSE), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasGetEntryPropertiesA(nullptr, "Office", nullptr, nullptr, nullptr, nullptr),
            DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(RasEditPhonebookEntryA(nullptr, nullptr, nullptr), DWORD{ERROR_INVALID_PARAMETER});

  // Sizing without a buffer is a question, not a mistake.
  bytes = 0;
  EXPECT_EQ(RasEnumEntriesA(nullptr, nullptr, nullptr, &bytes, &count),
            DWORD{ERROR_BUFFER_TOO_SMALL});
  EXPECT_EQ(count, 3u);
}

TEST_F(RasStandInTest, RemovingThePasswordClearsItAndKeepsTheUserName) {
  ras400::DialParams dial = DialParamsFor("Office");
  std::strcpy(dial.szUserName, "smith");
  std::strcpy(dial.szPassword, "ignored");
  ASSERT_EQ(RasSetEntryDialParamsA(nullptr, AsDial(&dial), TRUE), 0u);
  dial = DialParamsFor("Office");
  BOOL hasPassword = TRUE;
  ASSERT_EQ(RasGetEntryDialParamsA(nullptr, AsDial(&dial), &hasPassword), 0u);
  EXPECT_STREQ(dial.szUserName, "smith");
  EXPECT_STREQ(dial.szPassword, "");
  EXPECT_FALSE(hasPassword);
}

// A line break in a value would end its line early, and the rest would pose as keys of its own.
TEST_F(RasStandInTest, ValuesWithLineBreaksAreRefused) {
  const std::string before = PhonebookText();
  for (const char* password : {"x\r\nAreaCode=0190", "x\nLocalPhoneNumber=0190666", "x\r"}) {
    ras400::DialParams dial = DialParamsFor("Home");
    std::strcpy(dial.szUserName, "family");
    std::strcpy(dial.szPassword, password);
    EXPECT_EQ(RasSetEntryDialParamsA(nullptr, AsDial(&dial), FALSE),
              DWORD{ERROR_INVALID_PARAMETER});
  }
  EXPECT_EQ(PhonebookText(), before);
}

// A bare file name would otherwise be looked for in the Windows folder by the profile functions.
TEST_F(RasStandInTest, PhonebookIsTheCallersElseTheNamedOneFromTheWorkingFolder) {
  testing::WriteBytes(folder_.Path("other.pbk"), {'[', 'E', 'l', 's', 'e', ']'});
  char previous[MAX_PATH] = {};
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.root().string().c_str()));
  SetEnvironmentVariableA("RASPHONE_PBK", "rasphone.pbk");

  ras400::EntryName names[3] = {};
  names[0].dwSize = sizeof(names[0]);
  DWORD bytes = sizeof(names);
  DWORD countNamed = 0;
  DWORD countGiven = 0;
  const DWORD named = RasEnumEntriesA(nullptr, nullptr, AsNames(names), &bytes, &countNamed);
  const DWORD given = RasEnumEntriesA(nullptr, "other.pbk", AsNames(names), &bytes, &countGiven);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(named, 0u);
  EXPECT_EQ(countNamed, 3u);
  ASSERT_EQ(given, 0u);
  ASSERT_EQ(countGiven, 1u);
  EXPECT_STREQ(names[0].szEntryName, "Else");
}

}  // namespace
}  // namespace tollward
