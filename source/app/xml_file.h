#pragma once
// Reading and writing whole XML files. Text inside the program is Windows-1252; files on disk
// are UTF-8 (older files in Windows-1252 still read). Saves are atomic.
#include <cstddef>
#include <limits>
#include <string>
#include <tinyxml2.h>

constexpr std::size_t unlimitedXmlFileSize = std::numeric_limits<std::size_t>::max();

// Loads path into document. False, with what happened logged, when the file is missing
// ("Unable to find XML File at path"), is a folder or another thing that is not a file, holds
// more than sizeLimit bytes, can't be read (with the system's reason), or isn't well-formed XML
// (with the line); document is then left empty.
// Each name, attribute value and text is decoded on its own: valid UTF-8 is decoded, anything
// else is taken as Windows-1252. Character references are expanded; characters Windows-1252
// lacks become "?", and control characters XML does not allow (NUL among them) are left out;
// each of the two is logged once per load with the first place it happened.
bool loadXmlFile(tinyxml2::XMLDocument& document, const std::string& path,
                 std::size_t sizeLimit = unlimitedXmlFileSize);
// Prints the document, converts it to UTF-8 and replaces path atomically; false (old file
// kept, reason logged) on any failure, and when the text would be larger than sizeLimit.
bool saveXmlFile(const tinyxml2::XMLDocument& document, const std::string& path,
                 std::size_t sizeLimit = unlimitedXmlFileSize);
// The document's text as it would be saved (UTF-8). Control characters XML does not allow are
// left out, and tabs and line breaks inside attribute values are written as character
// references, which every XML reader gives back unchanged (a raw one is read as a space by
// conforming readers, and a raw carriage return as a line feed by all of them).
std::string xmlFileText(const tinyxml2::XMLDocument& document);
