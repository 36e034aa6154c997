#pragma once
// Something every character can attempt with a throw of the dice; class levels copy these
// with their own throws.
#include <string>

struct CharacterAction {
    std::string id;
    std::string displayName;
    std::string description;
    std::string throwText; // as written, e.g. "9+"
    int throwValue = 0;    // its leading number, e.g. 9
};

// Fills record from one action file, whose root is "Proficiency" like a proficiency file's.
// A file that can't be read (logged) or has another root leaves the record as it was.
void parseActionFile(CharacterAction& record, const std::string& path);
