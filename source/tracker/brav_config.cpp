#include "tracker/brav_config.h"

#include <cstring>
#include <tinyxml2.h>

bool BRAVConfig::loadAppSpecificData(const tinyxml2::XMLElement* section) {
    if (!section || std::strcmp(section->Name(), "AppSpecificData") != 0) return false;
    for (const tinyxml2::XMLElement* e = section->FirstChildElement("LastSavedFilePath"); e;
         e = e->NextSiblingElement("LastSavedFilePath")) {
        for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            if (std::strcmp(a->Name(), "value") == 0) LastSavedFilePath = a->Value();
        }
    }
    return true;
}

void BRAVConfig::saveAppSpecificData(tinyxml2::XMLElement* settingsElement) {
    if (!settingsElement) return;
    tinyxml2::XMLDocument* document = settingsElement->GetDocument();
    tinyxml2::XMLElement* section = document->NewElement("AppSpecificData");
    tinyxml2::XMLElement* path = document->NewElement("LastSavedFilePath");
    path->SetAttribute("value", LastSavedFilePath.c_str());
    section->InsertEndChild(path);
    settingsElement->InsertEndChild(section);
}
