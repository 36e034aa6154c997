#pragma once
// Reading and writing whole XML files. Text inside the program is Windows-1252; files on disk
// are UTF-8 (older files in Windows-1252 still read). Saves are atomic.
#include <string>
#include <tinyxml2.h>

// Loads path into document. False, with what happened logged, when the file is missing
// ("Unable to find XML File at path"), is a folder or another thing that is not a file,
// can't be read (with the system's reason), or isn't well-formed XML (with the line).
bool loadXmlFile(tinyxml2::XMLDocument& document, const std::string& path);
// Prints the document, converts it to UTF-8 and replaces path atomically; false (old file
// kept, reason logged) on any failure.
bool saveXmlFile(const tinyxml2::XMLDocument& document, const std::string& path);
// The document's text as it would be saved (UTF-8).
std::string xmlFileText(const tinyxml2::XMLDocument& document);
