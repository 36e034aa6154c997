// Entities' names, save groups and their XML form.
#include "world/base_entity.h"

#include <tinyxml2.h>

#include "app/parameter_manager.h"
#include "app/simple_parameter_group.h"
#include "world/entity_context.h"

BaseEntity::BaseEntity(EntityContext* owner, std::string name)
    : saveGroup_(std::make_unique<SimpleParameterGroup>(
          "entitySaveData", owner->parameterManager ? owner->parameterManager->getPool() : nullptr, true)),
      name_(std::move(name)), owner_(owner) {}

BaseEntity::~BaseEntity() = default;

tinyxml2::XMLNode* BaseEntity::saveXml(tinyxml2::XMLNode* parent) {
    if (!parent) return nullptr;
    tinyxml2::XMLElement* element = parent->GetDocument()->NewElement(name_.c_str());
    saveGroup_->saveXml(element);
    return parent->InsertEndChild(element);
}

void BaseEntity::loadXml(const tinyxml2::XMLElement* element) {
    if (element && name_ == element->Name()) {
        for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement()) {
            saveGroup_->loadXml(child);
        }
    }
    bindParameters();
}
