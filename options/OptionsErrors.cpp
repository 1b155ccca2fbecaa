// The option record's error texts, word for word as the user sees them (spelling included).
#include "options/OptionsErrors.h"

namespace tollward {
namespace {

constexpr ErrorTableEntry kOptionsTable[] = {
    {32, "Save: unhandled exeption (unknown error).", true},
    {33, "Save: unable to open file for writing.", false},
    {34, "Save: error on writing data to archive.", false},
    {35, "SaveToArchive: write error.", false},
    {40, "Load: unhandled exeption (unknown error).", true},
    {41, "Load: unable to open file for reading.", false},
    {42, "Load: error on reading data from archive.", false},
    {43, "LoadFromArchive: read error.", false},
    {44, "LoadFromArchive: invalid file type / syncronization.", false},
    {45, "LoadFromArchive: invalid file version.", false},
};

}  // namespace

const ErrorTable kOptionsErrors{kOptionsTable};

}  // namespace tollward
