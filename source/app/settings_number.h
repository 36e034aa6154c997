#pragma once
// Whole numbers typed into settings files, read strictly: a value the program can't take as
// written is reported as unreadable rather than wrapped or cut short as atoi would.
#include <optional>

// Optional spaces, an optional sign, then digits only, within the range of int. Anything else
// ("1e3", "0x10", "", "2147483648") gives no value.
std::optional<int> readSettingsNumber(const char* text);
