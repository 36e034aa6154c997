#pragma once
// The pieces every rules reader shares: numbers read the C way, flags, descriptions, the
// folder a catalogue is loaded from and the numbers written back into files.
#include <list>
#include <string>

#include <tinyxml2.h>

#include "app/directory_lister.h"

// atoi: leading white space, an optional sign and digits; anything else gives 0. The result is
// clamped to the 32-bit range so that huge numbers in data files can't wrap. Null gives 0.
int readInt(const char* text);
// atof in the C locale whatever the process locale; out-of-range values clamp to the float range.
float readFloat(const char* text);
// A flag is set only by the number 1 ("true" and "2" are false).
bool readFlag(const char* text);
// An attribute's text, empty when absent.
std::string attributeText(const tinyxml2::XMLElement& element, const char* name);
// A "Description" child carries its text in the attribute "text"; absent leaves out unchanged.
void readDescriptionText(const tinyxml2::XMLElement& description, std::string& out);
// Every "Description" child of element in turn (the last one's text wins).
void readDescriptions(const tinyxml2::XMLElement& element, std::string& out);
// Calls read(name, value) for each attribute of element in file order: the readers match
// names in any order and pass over the ones they don't know.
template <class Read>
void forEachAttribute(const tinyxml2::XMLElement& element, Read read) {
    for (const tinyxml2::XMLAttribute* attribute = element.FirstAttribute(); attribute; attribute = attribute->Next()) {
        read(std::string(attribute->Name()), attribute->Value());
    }
}
// "%d" in the C locale.
std::string formatInt(int value);

// Catalogue folders are given relative to the program's base folder (or absolute). The result
// is absolute with a trailing "/".
std::string catalogueFolderPath(const std::string& baseFolder, const std::string& folder);
// Lists a catalogue folder: extension "*" for every file; entries carry absolute full paths.
// An unreadable or missing folder gives an empty list.
std::list<FileEntry> listCatalogueFolder(const std::string& baseFolder, const std::string& folder,
                                         const std::string& extension, bool includeFolders);
// The root of a loaded file when it carries the expected name, else null (silently: a file of
// another kind is not an error worth a line).
const tinyxml2::XMLElement* rootNamed(const tinyxml2::XMLDocument& document, const char* name);
// Loads a catalogue file and answers its root when it carries the expected name, else null
// (an unreadable file is logged by the loader).
const tinyxml2::XMLElement* loadCatalogueFile(tinyxml2::XMLDocument& document, const std::string& path,
                                              const char* rootName);
