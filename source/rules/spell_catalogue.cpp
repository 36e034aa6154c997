#include "rules/spell_catalogue.h"

#include "app/log.h"
#include "app/xml_file.h"
#include "rules/catalogue_reader.h"

namespace {

template <class Map>
const typename Map::mapped_type* findIn(const Map& map, const typename Map::key_type& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

const SpellRecord* findSpell(const std::map<int, SpellGroup>& groups, const std::string& id) {
    for (const auto& [level, group] : groups) {
        for (const SpellRecord* spell : group) {
            if (spell->id == id) return spell;
        }
    }
    return nullptr;
}

ClassSpellList readClassSpellList(const tinyxml2::XMLElement& available) {
    ClassSpellList list;
    for (const tinyxml2::XMLElement* level = available.FirstChildElement("Level"); level;
         level = level->NextSiblingElement("Level")) {
        std::vector<std::string> ids;
        for (const tinyxml2::XMLElement* spell = level->FirstChildElement(); spell; spell = spell->NextSiblingElement()) {
            ids.push_back(spell->Name());
        }
        list.try_emplace(readInt(level->Attribute("value")), std::move(ids));
    }
    return list;
}

} // namespace

SpellCatalogue::SpellCatalogue(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

void SpellCatalogue::loadArcaneSpells(const std::string& folder) { loadSpells(folder, arcaneGroups_); }

void SpellCatalogue::loadDivineSpells(const std::string& folder) { loadSpells(folder, divineGroups_); }

void SpellCatalogue::loadSpells(const std::string& folder, std::map<int, SpellGroup>& groups) {
    for (const FileEntry& levelFolder : listCatalogueFolder(baseFolder_, folder, "*", true)) {
        if (!levelFolder.isDirectory) continue;
        std::vector<std::unique_ptr<SpellRecord>> group;
        int level = 0;
        for (const FileEntry& file : listCatalogueFolder(baseFolder_, levelFolder.fullPath, "xml", false)) {
            auto spell = std::make_unique<SpellRecord>();
            readSpellRecord(*spell, file.fullPath);
            // The id becomes an element name when a character that knows the spell is saved.
            if (!isXmlName(spell->id)) {
                LOG_MESSAGE("Spell file %s has id \"%s\", which can't be saved; the spell is left out",
                            file.fullPath.c_str(), spell->id.c_str());
                continue;
            }
            level = spell->level;
            group.push_back(std::move(spell));
        }
        if (groups.count(level)) continue;
        SpellGroup& stored = groups[level];
        for (auto& spell : group) {
            stored.push_back(spell.get());
            records_.push_back(std::move(spell));
        }
    }
}

void SpellCatalogue::loadClassSpellLists(const std::string& folder) {
    for (const FileEntry& entry : listCatalogueFolder(baseFolder_, folder, "xml", false)) {
        tinyxml2::XMLDocument document;
        if (!loadXmlFile(document, entry.fullPath)) continue;
        const tinyxml2::XMLElement* root = rootNamed(document, "AllClassSpellLists");
        if (!root) continue;
        const std::string classId = attributeText(*root, "classID");
        for (const tinyxml2::XMLElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement()) {
            const std::string name = child->Name();
            if (name == "AvailableArcaneSpells") arcaneClassLists_.try_emplace(classId, readClassSpellList(*child));
            else if (name == "AvailableDivineSpells") divineClassLists_.try_emplace(classId, readClassSpellList(*child));
        }
    }
}

const SpellRecord* SpellCatalogue::findArcaneSpell(const std::string& id) const { return findSpell(arcaneGroups_, id); }

const SpellRecord* SpellCatalogue::findDivineSpell(const std::string& id) const { return findSpell(divineGroups_, id); }

const SpellGroup* SpellCatalogue::arcaneSpellsOfLevel(int level) const { return findIn(arcaneGroups_, level); }

const SpellGroup* SpellCatalogue::divineSpellsOfLevel(int level) const { return findIn(divineGroups_, level); }

const ClassSpellList* SpellCatalogue::arcaneClassSpellList(const std::string& classId) const {
    return findIn(arcaneClassLists_, classId);
}

const ClassSpellList* SpellCatalogue::divineClassSpellList(const std::string& classId) const {
    return findIn(divineClassLists_, classId);
}
