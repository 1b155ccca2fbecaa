// The texts of both lists' codes, word for word as the user sees them (spelling included).
#include "core/ErrorTables.h"

namespace tollward {
namespace {

constexpr ErrorTableEntry kConnectionTable[] = {
    {1, "Retrieve: unhandled exeption (unknown error).", true},
    {2, "Retrieve: error on RAS entry enumeration (API RasEnumEntries).", true},
    {3, "Retrieve: error on receiving 1 RAS dial params (API RasGetEntryDialParams).", true},
    {4, "Retrieve: error on receiving 1 RAS entry property (API RasGetEntryProperties).", true},
    {5, "Retrieve: error on adding 1 RAS entry to array.", true},
    {6, "Retrieve: NOT all connections are successfully received.", true},
    {8, "Add: unhandled exeption (unknown error).", true},
    {9, "Add: connection name already exists.", true},
    {16, "Get: unhandled exeption (unknown error).", true},
    {17, "Get: invalid item number (exceeds array bounds).", true},
    {18, "Set: string too long.", false},
    {19, "RasSetEntryDialParams failed.", false},
    {24, "Delete: unhandled exeption (unknown error).", true},
    {25, "Delete: invalid item (name not found).", false},
    {32, "Save: unhandled exeption (unknown error).", true},
    {33, "Save: unable to open file for writing.", false},
    {34, "Save: error on writing data to archive.", false},
    {35, "SaveToArchive: write error.", false},
    {36, "WriteEncryptedEntry: unhandled exeption (unknown error).", false},
    {37, "WriteEncryptedEntry: write error.", false},
    {38, "Save: no filepath to save to.", true},
    {40, "Load: unhandled exeption (unknown error).", true},
    {41, "Load: unable to open file for reading.", false},
    {42, "Load: error on reading data from archive.", false},
    {43, "LoadFromArchive: read error.", false},
    {44, "LoadFromArchive: invalid file type / syncronization.", false},
    {45, "LoadFromArchive: invalid file version.", false},
    {46, "ReadEncryptedEntry: unhandled exeption (unknown error).", true},
    {47, "ReadEncryptedEntry: read error.", false},
    {48, "Load: no filepath to load from.", true},
    {56, "Find: unhandled exeption (unknown error).", true},
    {64, "CheckConnection: unhandled exeption (unknown error).", true},
    {72, "RemoveBadAreas: unhandled exeption (unknown error).", true},
    {73, "RemoveBadAreas: bad are detected - but can't be moved: connection will be deleted.",
     true},
};

constexpr ErrorTableEntry kBadAreaCodeTable[] = {
    {1, "Add: unhandled exeption (unknown error).", true},
    {2, "Add: new BadAreaCode is empty.", false},
    {3, "Add: new BadAreaCode is too long.", false},
    {4, "Add: new BadAreaCode already exists.", false},
    {5,
     "Add: new BadAreaCode is redundant(1) or makes any predefined BadAreaCode redundant(2).\n\n"
     "Example1: 01905 is invalid if 0190 is already defined.\n"
     "Example2: 019 is invalid if 0190 is already defined.",
     false},
    {8, "Find: unhandled exeption (unknown error).", true},
    {16, "Get: unhandled exeption (unknown error).", true},
    {17, "Get: invalid item number (exceeds array bounds).", true},
    {24, "Delete: unhandled exeption (unknown error).", true},
    {25, "Delete: invalid item (name not found).", false},
    {32, "Save: unhandled exeption (unknown error).", true},
    {33, "Save: unable to open file for writing.", false},
    {34, "Save: error on writing data to archive.", false},
    {35, "SaveToArchive: write error.", false},
    {36, "Save: no filepath to save to.", true},
    {40, "Load: unhandled exeption (unknown error).", true},
    {41, "Load: unable to open file for reading.", false},
    {42, "Load: error on reading data from archive.", false},
    {43, "LoadFromArchive: read error.", false},
    {44, "LoadFromArchive: invalid file type / syncronization.", false},
    {45, "LoadFromArchive: invalid file version.", false},
    {46, "Load: no filepath to load from.", true},
    {48, "Check: unhandled exeption (unknown error).", false},
    {49, "Check: error on number normalization.", true},
    {50, "Check: error on number concatenation.", true},
    {56, "ConcatenatePhoneNumbersNormal: unhandled exeption (unknown error).", true},
    {64, "NormalizeNumber: unhandled exeption (unknown error).", true},
};

}  // namespace

const ErrorTable kConnectionErrors{kConnectionTable};
const ErrorTable kBadAreaCodeErrors{kBadAreaCodeTable};

}  // namespace tollward
