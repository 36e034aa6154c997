#include "ui/mouse_pointer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

#include "app/direct_input_devices.h"
#include "app/xml_file.h"
#include "ui/ui_object_params.h"

namespace {

const char* const kindNames[] = {
    "invalid_action", "move_in_range",   "melee_attack",     "move_out_of_range", "normal",
    "ranged_attack",  "wait",            "door",             "pan_camera_left",   "pan_camera_right",
    "pan_camera_up",  "pan_camera_down", "pan_camera_omni",  "rotate_camera",     "able_to_turn",
    "unable_to_turn", "dodge_in_range",  "dodge_out_of_range",
};

} // namespace

MousePointer::MousePointer(InputManager* inputManager, RenderInterface* renderInterface, ThreadResourcePool* pool,
                           std::string name)
    : renderInterface(renderInterface), name(std::move(name)), inputManager(inputManager), pool(pool) {
    pointerObject = uiobject::create(renderInterface, "mousePointer", uiobject::topLayer);
}

MousePointer::~MousePointer() { uiobject::destroy(renderInterface, pointerObject); }

std::uint32_t MousePointer::kindOf(const std::string& id) {
    for (std::uint32_t kind = 0; kind < noType; ++kind) {
        if (id == kindNames[kind]) return kind;
    }
    return 0;
}

void MousePointer::loadPointerMapping(std::string path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::strcmp(root->Name(), "PointerMapping") != 0) return;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement("PointerType"); element;
         element = element->NextSiblingElement("PointerType")) {
        std::string id;
        PointerTypeEntry entry;
        for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute;
             attribute = attribute->Next()) {
            const char* attributeName = attribute->Name();
            if (std::strcmp(attributeName, "id") == 0) id = attribute->Value();
            else if (std::strcmp(attributeName, "mapped") == 0) entry.mapped = attribute->Value();
            else if (std::strcmp(attributeName, "horizAlign") == 0) entry.horizAlign = std::atoi(attribute->Value());
            else if (std::strcmp(attributeName, "vertAlign") == 0) entry.vertAlign = std::atoi(attribute->Value());
        }
        pointerTypes[kindOf(id)] = entry;
    }
}

void MousePointer::updatePosition() {
    if (!pointerObject) return;
    uiobject::setUnsignedInt(pointerObject, PointerParameters::xPos,
                             static_cast<std::uint32_t>(std::max(windowPointerX(), 0)));
    uiobject::setUnsignedInt(pointerObject, PointerParameters::yPos,
                             static_cast<std::uint32_t>(std::max(windowPointerY(), 0)));
}

void MousePointer::setPointerType() {
    if (!pointerObject || currentType == normalType) return;
    auto found = pointerTypes.find(normalType);
    if (found == pointerTypes.end()) return;
    currentType = normalType;
    uiobject::setString(pointerObject, PointerParameters::pointerType, found->second.mapped);
    uiobject::setInt(pointerObject, PointerParameters::horizAlign, found->second.horizAlign);
    uiobject::setInt(pointerObject, PointerParameters::vertAlign, found->second.vertAlign);
}

PointerTypeEntry& MousePointer::findPointerType(std::uint32_t kind) {
    auto found = pointerTypes.find(kind);
    if (found != pointerTypes.end()) return found->second;
    missingEntry_ = PointerTypeEntry{};
    return missingEntry_;
}
