#pragma once
// Where a newly created character is saved: its name turned into a file name that holds only
// lower-case letters and "_", kept apart from the character files already in the folder.
#include <cstddef>
#include <string>

// Longest name part of a character file name, in bytes (the "_2" of a repeated name comes after).
constexpr std::size_t maximumCharacterFileNameLength = 100;

// Every letter lower-cased, every other byte "_" (bytes looked up as unsigned char in the C
// locale, so "Zoë" gives "zo_"); cut at maximumCharacterFileNameLength bytes.
std::string makeCharacterFileName(const std::string& name);

// folder (ending in "/") + the file name + ".xml"; while that file exists, "_2", "_3", ... go
// before ".xml", so a second "Sir Bob 3" never overwrites "Sir Bob 2". Empty for an empty
// folder: there is then no per-user folder, and nothing may be written elsewhere.
std::string makeNewCharacterPath(const std::string& folder, const std::string& name);
