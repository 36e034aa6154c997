#pragma once
// A saved file as a tree: elements with their attributes in order, one per line; white space
// between elements is not part of it, character references are read as the characters.
#include <gtest/gtest.h>

#include <string>

#include <tinyxml2.h>

#include "app/xml_file.h"

inline void describeSavedTree(const tinyxml2::XMLNode& node, int depth, std::string& out) {
    for (const tinyxml2::XMLNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling()) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        if (const tinyxml2::XMLDeclaration* declaration = child->ToDeclaration()) {
            out += std::string("<?") + declaration->Value() + "?>\n";
        } else if (const tinyxml2::XMLElement* element = child->ToElement()) {
            out += std::string("<") + element->Name();
            for (const tinyxml2::XMLAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
                out += std::string(" ") + a->Name() + "=\"" + a->Value() + "\"";
            }
            out += ">\n";
            describeSavedTree(*element, depth + 1, out);
        } else if (const tinyxml2::XMLText* text = child->ToText()) {
            out += std::string("text: ") + text->Value() + "\n";
        }
    }
}

inline std::string savedTreeOf(const std::string& path) {
    tinyxml2::XMLDocument document;
    EXPECT_TRUE(loadXmlFile(document, path)) << path;
    std::string out;
    describeSavedTree(document, 0, out);
    return out;
}
