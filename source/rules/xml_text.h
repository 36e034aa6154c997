#pragma once
// Text that a saved character file must hold exactly: characters XML 1.0 cannot carry are
// dropped, and line breaks and tabs inside attribute values are written as character
// references, which every XML reader gives back unchanged (a raw one is read as a space by
// conforming readers, and a raw carriage return as a line feed by all of them).
#include <string>

#include <tinyxml2.h>

// The text without the control characters XML 1.0 forbids (all below 0x20 except tab, line
// feed and carriage return). Program text is Windows-1252, so every other byte is allowed.
std::string xmlSafeText(const std::string& text);
// Drops the forbidden characters in place; true when something was dropped.
bool makeXmlSafe(std::string& text);
// Printed document text with tabs, line feeds and carriage returns inside attribute values
// turned into "&#9;", "&#10;" and "&#13;", and the forbidden control characters dropped.
std::string escapeAttributeBreaks(const std::string& printed);
// Prints document with escapeAttributeBreaks and replaces path atomically; false (old file
// kept, reason logged) on failure.
bool saveXmlFileKeepingText(const tinyxml2::XMLDocument& document, const std::string& path);
