#pragma once
// A special capability that a class or subclass grants at some level, read from one file.
#include <string>

struct ClassAbility {
    std::string id;
    std::string displayName;
    std::string description;
};

// Fills ability from one "ClassAbility" file; a file that can't be read leaves it untouched.
void parseClassAbility(ClassAbility& ability, const std::string& path);
