#pragma once
// Named text colours ("<id='TitleBarText'" in markup) read from the colour id database.
#include <string>
#include <unordered_map>

struct TextColour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

class ColourIdTable {
public:
    // The colour of an id, or null.
    const TextColour* find(const std::string& id) const;
    void set(const std::string& id, const TextColour& colour) { colours_[id] = colour; }
    std::size_t size() const { return colours_.size(); }
    void clear() { colours_.clear(); }

private:
    std::unordered_map<std::string, TextColour> colours_;
};

// Reads the database (root "ColourIDs"; each child's "id", "r", "g", "b", "a" attributes, values
// as written, missing ones 0) into the table; a missing file or another root adds nothing.
void readColourIdDatabase(const std::string& path, ColourIdTable& table);
