#include "render/render_paths.h"

#include <cstring>
#include <tinyxml2.h>

#include "app/log.h"
#include "app/xml_file.h"
#include "platform/paths.h"

std::vector<PathGroup> readRenderPaths(const std::string& path, bool logProgress) {
    std::vector<PathGroup> groups;
    if (logProgress) LOG_MESSAGE("Trying to load renderable paths file at: %s", path.c_str());
    // The scene reader stays quiet about a missing file: the scene then simply has no renderables.
    if (!logProgress && !platform::isRegularFile(platform::resolvePath(path))) return groups;
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return groups;
    if (logProgress) LOG_MESSAGE("File Opened");

    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::strcmp(root->Name(), "RenderPaths") != 0) return groups;

    for (const tinyxml2::XMLElement* groupElement = root->FirstChildElement(); groupElement;
         groupElement = groupElement->NextSiblingElement()) {
        PathGroup group;
        group.name = groupElement->Name();
        for (const tinyxml2::XMLElement* pathElement = groupElement->FirstChildElement(); pathElement;
             pathElement = pathElement->NextSiblingElement()) {
            // The attribute's name carries no meaning; an element without one gives no path.
            const tinyxml2::XMLAttribute* attribute = pathElement->FirstAttribute();
            if (attribute) group.paths.push_back(attribute->Value());
        }
        groups.push_back(std::move(group));
        if (logProgress) LOG_MESSAGE("Path Group Added");
    }
    return groups;
}
