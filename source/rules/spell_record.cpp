#include "rules/spell_record.h"

#include <tinyxml2.h>

#include "platform/text_encoding.h"
#include "rules/catalogue_reader.h"

void readSpellRecord(SpellRecord& record, const std::string& path) {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = loadCatalogueFile(document, path, "Spell");
    if (!root) return;
    forEachAttribute(*root, [&](const std::string& name, const char* value) {
        if (name == "id") record.id = value;
        else if (name == "displayName") record.displayName = value;
        else if (name == "level") record.level = readInt(value);
        else if (name == "range") record.range = value;
        else if (name == "duration") record.duration = value;
    });
    for (const tinyxml2::XMLElement* child = root->FirstChildElement("Description"); child;
         child = child->NextSiblingElement("Description")) {
        // "[*" ... "]" sets the name and the two labels apart in the UI text markup.
        record.text = "[*" + record.displayName + "]\n\n" + "[*Range: ]" + record.range + "\n" + "[*Duration: ]" +
                      record.duration + "\n\n";
        for (const tinyxml2::XMLAttribute* attribute = child->FirstAttribute(); attribute; attribute = attribute->Next()) {
            if (std::string(attribute->Name()) == "text") record.text += std::string(attribute->Value()) + "\n";
        }
    }
}

namespace {

// XML 1.0's NameStartChar, over the characters Windows-1252 can hold.
bool isNameStartCharacter(char32_t c) {
    return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD);
}

bool isNameCharacter(char32_t c) {
    return isNameStartCharacter(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

} // namespace

bool isXmlName(const std::string& text) {
    if (text.empty()) return false;
    // Program text is Windows-1252, and the file holds each byte as the character it stands for.
    const std::u32string characters = platform::fileTextToCharacters(platform::windows1252ToUtf8(text));
    if (!isNameStartCharacter(characters[0])) return false;
    for (const char32_t c : characters) {
        if (!isNameCharacter(c)) return false;
    }
    return true;
}
