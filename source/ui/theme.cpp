#include "ui/theme.h"

#include <cstdlib>
#include <cstring>
#include <tinyxml2.h>

#include "app/xml_file.h"

namespace {

struct EntryName {
    const char* name;
    Theme::Slot slot;
};

struct Section {
    const char* name;
    std::initializer_list<EntryName> entries;
    bool text;
};

const Section sections[] = {
    {"Widget",
     {{"Normal", Theme::WidgetNormal}, {"Hovered", Theme::WidgetHovered}, {"Activated", Theme::WidgetActivated},
      {"Disabled", Theme::WidgetDisabled}},
     false},
    {"WidgetOutline",
     {{"Normal", Theme::WidgetOutlineNormal}, {"Normal2", Theme::WidgetOutlineNormal2},
      {"Hovered", Theme::WidgetOutlineHovered}, {"Hovered2", Theme::WidgetOutlineHovered2},
      {"Activated", Theme::WidgetOutlineActivated}, {"Activated2", Theme::WidgetOutlineActivated2},
      {"Disabled", Theme::WidgetOutlineDisabled}},
     false},
    {"Panel",
     {{"Normal", Theme::PanelNormal}, {"Hovered", Theme::PanelHovered}, {"Activated", Theme::PanelActivated},
      {"Disabled", Theme::PanelDisabled}, {"Outline", Theme::PanelOutline}},
     false},
    {"SolidWidget",
     {{"Normal", Theme::SolidWidgetNormal}, {"Hovered", Theme::SolidWidgetHovered},
      {"Activated", Theme::SolidWidgetActivated}, {"Disabled", Theme::SolidWidgetDisabled}},
     false},
    {"SolidPanel",
     {{"Normal", Theme::SolidPanelNormal}, {"Hovered", Theme::SolidPanelHovered},
      {"Activated", Theme::SolidPanelActivated}, {"Disabled", Theme::SolidPanelDisabled}},
     false},
    {"Text",
     {{"Normal", Theme::TextNormal}, {"Normal2", Theme::TextNormal2}, {"Hovered", Theme::TextHovered},
      {"Hovered2", Theme::TextHovered2}, {"Activated", Theme::TextActivated}, {"Activated2", Theme::TextActivated2},
      {"Disabled", Theme::TextDisabled}, {"Disabled2", Theme::TextDisabled2}},
     true},
};

const Section* findSection(const char* name) {
    for (const Section& section : sections) {
        if (std::strcmp(section.name, name) == 0) return &section;
    }
    return nullptr;
}

// The two colours of a text state share one fade record.
Theme::Fade fadeOf(Theme::Slot slot) {
    return static_cast<Theme::Fade>((slot - Theme::TextNormal) / 2);
}

} // namespace

Theme::Theme(const std::string& path) {
    setDefaults();
    load(path);
}

void Theme::setDefaults() {
    colours[WidgetNormal] = {0.4f, 0.4f, 0.4f, 0.5f};
    colours[WidgetHovered] = {0.5f, 0.5f, 0.5f, 0.5f};
    colours[WidgetActivated] = {0.3f, 0.3f, 0.3f, 0.5f};
    colours[PanelNormal] = {0.05f, 0.05f, 0.05f, 1.0f};
    colours[PanelHovered] = {0.2f, 0.2f, 0.2f, 1.0f};
    colours[PanelActivated] = {1.0f, 1.0f, 1.0f, 1.0f};
    colours[PanelOutline] = {1.0f, 1.0f, 1.0f, 1.0f};
    colours[TextNormal] = {1.0f, 1.0f, 1.0f, 1.0f};
    colours[TextNormal2] = {0.5f, 0.5f, 0.5f, 1.0f};
    for (Slot slot : {TextHovered, TextHovered2, TextActivated, TextActivated2}) colours[slot] = {1.0f, 1.0f, 1.0f, 1.0f};
}

void Theme::load(const std::string& path) {
    tinyxml2::XMLDocument document;
    if (!loadXmlFile(document, path)) return;
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (!root || std::strcmp(root->Name(), "Theme") != 0) return;
    for (const tinyxml2::XMLElement* colourSet = root->FirstChildElement("Colours"); colourSet;
         colourSet = colourSet->NextSiblingElement("Colours")) {
        for (const tinyxml2::XMLElement* sectionElement = colourSet->FirstChildElement(); sectionElement;
             sectionElement = sectionElement->NextSiblingElement()) {
            const Section* section = findSection(sectionElement->Name());
            if (!section) continue;
            for (const tinyxml2::XMLElement* entry = sectionElement->FirstChildElement(); entry;
                 entry = entry->NextSiblingElement()) {
                for (const EntryName& known : section->entries) {
                    if (std::strcmp(known.name, entry->Name()) != 0) continue;
                    ThemeColour& colour = colours[known.slot];
                    for (const tinyxml2::XMLAttribute* attribute = entry->FirstAttribute(); attribute;
                         attribute = attribute->Next()) {
                        const char* name = attribute->Name();
                        const float value = static_cast<float>(std::atof(attribute->Value()));
                        if (std::strcmp(name, "r") == 0) colour.r = value;
                        else if (std::strcmp(name, "g") == 0) colour.g = value;
                        else if (std::strcmp(name, "b") == 0) colour.b = value;
                        else if (std::strcmp(name, "a") == 0) colour.a = value;
                        else if (section->text && std::strcmp(name, "fadeIn") == 0) {
                            ThemeTextFade& fade = fades[fadeOf(known.slot)];
                            fade.hasFadeIn = 1;
                            fade.fadeIn = value;
                        }
                    }
                    break;
                }
            }
        }
    }
}
