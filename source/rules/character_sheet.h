#pragma once
// The one open character: biography, level and hit points, ability scores, class and
// subclass, proficiencies and abilities, spells and spell slots, inventory and purse. The
// rules that change it live here too; it has no screen of its own.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/random_source.h"
#include "rules/character_action.h"
#include "rules/character_proficiency.h"
#include "rules/inventory.h"
#include "rules/level_up_report.h"
#include "rules/money.h"
#include "rules/wealth.h"

class CharacterClass;
class CharacterClassCatalogue;
struct CharacterClassLevel;
struct ClassAbility;
class ClassTemplate;
class EquipmentCatalogue;
class ProficiencyCatalogue;
class SpellCatalogue;
struct SpellRecord;
struct SubClass;
namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}

// One ability score: the element name it is saved under, the score every rule uses and the
// rolled score kept for display.
struct AttributeValue {
    // The scores the rules know, as the creation wizard rolls them and the sheet takes them.
    static constexpr std::int32_t lowest = 3;
    static constexpr std::int32_t highest = 18;

    std::string name;
    std::int32_t current = 3;
    std::int32_t natural = 3;
};

using SpellList = std::vector<const SpellRecord*>;

// A class that the catalogues do not hold, kept as a loaded file gave it, so that saving the
// character again writes it back instead of losing the class for good.
struct UnresolvedClass {
    std::string id;
    bool hasSubClass = false;
    std::string subClassId;
    std::vector<std::string> abilityIds;
};

class CharacterSheet {
public:
    enum Attribute { Strength, Intelligence, Wisdom, Dexterity, Constitution, Charisma };

    // The catalogues must outlive the record: it points into them.
    CharacterSheet(void* owner, const CharacterClassCatalogue& classCatalogue,
                   const ProficiencyCatalogue& proficiencyCatalogue, const EquipmentCatalogue& equipmentCatalogue,
                   const SpellCatalogue& spellCatalogue);
    CharacterSheet(const CharacterSheet&) = delete;
    CharacterSheet& operator=(const CharacterSheet&) = delete;

    // --- The record and its simple operations -------------------------------------------

    // Also derives the portrait path beside the file: the path without the file name's
    // extension (the part after its last "."), then ".png".
    void setFilePath(const std::string& path);
    // "Lawful", "Neutral" or "Chaotic" exactly; any other name changes nothing (but still
    // counts as an edit).
    void setAlignment(const std::string& name);
    void addProficiency(const std::string& proficiencyId, const std::string& domain);
    // Every entry of that id and domain gains a level; no upper limit is applied here.
    void upgradeProficiency(const std::string& proficiencyId, const std::string& domain);
    // The last entry of that id and domain, or null.
    CharacterProficiency* findProficiency(const std::string& proficiencyId, const std::string& domain);

    // Adds a copy of item (one purchase quantity of its record) to the inventory, stacking a
    // stackable item onto one already owned. Returns the inventory row to show.
    int buyEquipment(const BRAVCharacterEquipment& item);
    // As buyEquipment with the item's own quantity.
    int acquireEquipment(const BRAVCharacterEquipment& item);
    // One less of item; the last one is removed from the inventory and deleted.
    void expendEquipment(BRAVCharacterEquipment* item);
    bool canAfford(const Money& price) const;

    // The arcane spells picked in the spell picker, not yet committed.
    const SpellList& getKnownSpellsOfLevel(std::int32_t spellLevel) const;
    void addKnownSpell(const SpellRecord* spell);
    void removeKnownSpell(const SpellRecord* spell);
    void addArcaneSpell(const SpellRecord* spell);
    void addDivineSpell(const SpellRecord* spell);
    // Commits every picked spell to the arcane lists and empties the picks.
    void clearKnownSpells();
    // The arcane spells with the pending picks among them, level by level. A pick uses its slot
    // at once, so this is what a save writes: each used slot then holds its spell, whenever the
    // save comes.
    std::map<std::int32_t, SpellList> arcaneSpellsToSave() const;

    std::int32_t countUnallocatedArcaneSpellSlots() const;
    std::int32_t getUnallocatedArcaneSpellSlots(std::uint32_t spellLevel) const;
    void useUnallocatedArcaneSpellSlot(std::uint32_t spellLevel);
    void addUnallocatedArcaneSpellSlot(std::uint32_t spellLevel);
    std::int32_t getArcaneDailyCastings(std::uint32_t spellLevel) const;
    std::int32_t getDivineDailyCastings(std::uint32_t spellLevel) const;

    // --- Edits made on the sheet's screens ------------------------------------------------
    // Each marks the record unsaved when it changes something (some always, as noted).

    // Sets both the score every rule uses and the rolled one; true when either changed.
    bool setScore(Attribute attribute, std::int32_t score);
    // Sets the score while the character is created: marks the record unsaved even when equal.
    void setCreationScore(Attribute attribute, std::int32_t score);
    void setCurrentHitPoints(std::int32_t value);
    void setExperience(std::uint32_t value);
    // One of the texts of the record (name, belief, instinct, opinion, biography, notes).
    void setText(std::string CharacterSheet::*field, const std::string& value);
    // One of the counts of the record (age, weight).
    void setCount(std::int32_t CharacterSheet::*field, std::int32_t value);
    // The creation wizard's biography step, all at once; always marks the record unsaved.
    struct Biography {
        std::string name;
        std::int32_t age = 0;
        std::int32_t weight = 0;
        std::string alignment;
        std::string belief;
        std::string instinct;
        std::string opinion;
        std::string biography;
    };
    void setBiography(const Biography& biography);

    // The purse, with a transaction of that description; always marks the record unsaved.
    void spendMoney(const std::string& description, const Money& amount);
    void earnMoney(const std::string& description, const Money& amount);
    // Pays price for a copy of item, recorded under the name the item is shown by, and adds it as
    // buyEquipment does; returns the row to show.
    int purchaseEquipment(const BRAVCharacterEquipment& item, const std::string& shownName, const Money& price);
    // Sells one of item for price, recorded under the name the item is shown by, then uses one
    // up. Nothing happens for an item not in the inventory.
    void sellOneEquipment(BRAVCharacterEquipment* item, const std::string& shownName, const Money& price);
    // One less of item, in place: a worn stack is taken off, and the contents of a last container
    // move out to its place first, since only one item was meant. Expend and sell end here.
    void useUpOneEquipment(BRAVCharacterEquipment* item);
    // Inventory::moveEquipment, marking the record unsaved when the item moved.
    PackResult packEquipment(const BRAVCharacterEquipment* item, BRAVCharacterEquipment* container);
    // Inventory::equip; false when the item can't be worn.
    bool equipEquipment(BRAVCharacterEquipment* item);
    // Empties the armour (shield) slot; always marks the record unsaved.
    void takeOffArmour();
    void takeOffShield();
    bool moveEquipmentUp(const BRAVCharacterEquipment* item);
    bool moveEquipmentDown(const BRAVCharacterEquipment* item);
    // Gives item a name of the player's; nothing for an item not in the inventory.
    void renameEquipment(BRAVCharacterEquipment* item, const std::string& customName);

    // --- Scores and derived values -------------------------------------------------------

    std::int32_t getStrength() const { return attributes[Strength].current; }
    std::int32_t getIntelligence() const { return attributes[Intelligence].current; }
    std::int32_t getWisdom() const { return attributes[Wisdom].current; }
    std::int32_t getDexterity() const { return attributes[Dexterity].current; }
    std::int32_t getConstitution() const { return attributes[Constitution].current; }
    std::int32_t getCharisma() const { return attributes[Charisma].current; }
    // The modifier of a score; 0 outside 0..18.
    std::int32_t getModifier(std::int32_t score) const;
    std::int32_t getStrengthModifier() const { return getModifier(getStrength()); }
    std::int32_t getIntelligenceModifier() const { return getModifier(getIntelligence()); }
    std::int32_t getWisdomModifier() const { return getModifier(getWisdom()); }
    std::int32_t getDexterityModifier() const { return getModifier(getDexterity()); }
    std::int32_t getConstitutionModifier() const { return getModifier(getConstitution()); }
    std::int32_t getCharismaModifier() const { return getModifier(getCharisma()); }
    // The current score of a lower-case attribute name; 0 for any other name.
    std::int32_t getScoreByName(const std::string& name) const;

    // The class level record of the current level, or null (no class, or no such level).
    const CharacterClassLevel* currentLevelRecord() const;
    // The title of the current level; empty without a level record.
    std::string getLevelTitle() const;
    // A throw of the current level by key ("death", ..., "Attack"); 20 when there is none.
    std::int32_t getSavingThrow(const std::string& key) const;
    // A movement speed of the class by key ("base", ...); 20 when there is none.
    std::int32_t getMovementSpeed(const std::string& key) const;
    // Worn armour and shield bonuses plus the Dexterity modifier.
    std::int32_t getArmourClass() const;
    // The extra share of experience the class's prime scores earn: 0, 0.05 or 0.10.
    float getPrimeRequisiteXPBonus() const;
    // Copies the current level's actions, adjusting "force_door" by Strength.
    void rebuildActions();

    // --- The saved file --------------------------------------------------------------------

    // Writes the whole record to path (atomically: a failed save keeps the old file). Marks
    // the record saved only when the file was written. A record that would save larger than
    // fileSizeLimit is not written.
    bool save(const std::string& path);
    // Reads a character file into this just-constructed record. On success the record is
    // bound to path and marked saved; on failure (logged) it is not bound to path and keeps
    // its construction values. A file larger than fileSizeLimit is refused, and so is one that
    // would save larger than that (a save must load again). Numbers that are
    // not whole 32-bit numbers, values out of the range the rules give them (level,
    // experience, maximum hit points, ability scores, purse coins, quantities, proficiency
    // ranks, spell slot and casting counts), worn marks on items that are not armour or
    // shields, repeated class sections and unknown spell ids that can't be written as element
    // names are corrected, each kind logged once. What the load decides is exactly what the
    // next save writes, so a second load and save change nothing.
    bool load(const std::string& path);
    // Far above any real character (a few kilobytes; a long-played one some hundred), and low
    // enough that a hostile file can't take the machine's memory.
    static constexpr std::size_t fileSizeLimit = 4 * 1024 * 1024;

    // --- Class, level-up and hit points ----------------------------------------------------

    // At creation: takes the class and its first level's hit points, abilities, slots and actions.
    void applyCharacterClass(const CharacterClass& characterClass);
    // At creation, after the class: subclass, proficiencies, equipment, money and first spells.
    void applyClassTemplate(const ClassTemplate& classTemplate);
    // One level up, filling levelUpReport. False (nothing changed) without a class or a
    // record for the next level.
    bool levelUp();
    void rollHitPoints(std::uint32_t levelNumber, bool maximise);
    void addClassAbilities(std::uint32_t levelNumber);
    void addSubClassAbilities(std::uint32_t levelNumber);
    void addSubClassBonusDivineSpells(std::uint32_t levelNumber);
    void addSubClassBonusArcaneSpells(std::uint32_t levelNumber);
    void addSubClassFreeProficiencies(std::uint32_t levelNumber);
    void updateProficiencySlots();
    void updateSpellSlots();
    void updateAttackThrow();

    // --- Fields ------------------------------------------------------------------------------

    void* owner = nullptr;
    // No change since the last save or load.
    bool saved = true;
    std::string filePath;
    std::string name = "Default Character";
    std::string belief;
    std::string instinct;
    std::string opinion;
    std::string biography;
    std::string notes;
    std::int32_t age = 0;
    std::int32_t weight = 0;
    std::string alignment = "Lawful";
    // 0 "Lawful", 1 "Neutral", 2 "Chaotic".
    std::int32_t alignmentCode = 0;
    std::int32_t currentHitPoints = 0;
    std::int32_t maximumHitPoints = 0;
    std::uint32_t level = 1;
    std::uint32_t experience = 0;
    std::array<AttributeValue, 6> attributes;
    // Owned one by one, so windows may hold on to an entry while others are added.
    std::vector<std::unique_ptr<CharacterProficiency>> proficiencies;
    std::vector<const ClassAbility*> classAbilities;
    std::int32_t unallocatedClassProficiencySlots = 0;
    std::int32_t unallocatedGeneralProficiencySlots = 0;
    // Spell level to known spells; levels 1 to 9 always have an entry.
    std::map<std::int32_t, SpellList> arcaneSpells;
    std::map<std::int32_t, SpellList> divineSpells;
    std::map<std::uint32_t, std::int32_t> unallocatedArcaneSpellSlots;
    std::map<std::uint32_t, std::int32_t> arcaneRepertoireSlots;
    std::map<std::uint32_t, std::int32_t> arcaneDailyCastings;
    std::map<std::uint32_t, std::int32_t> divineDailyCastings;
    Inventory inventory;
    Wealth wealth;
    const CharacterClass* characterClass = nullptr;
    const SubClass* subClass = nullptr;
    std::vector<CharacterAction> actions;
    std::string portraitPath;
    // Score to modifier, 0..18.
    std::map<std::uint32_t, std::int32_t> modifierTable;
    LevelUpReport levelUpReport;
    // Hit-point rolls; tests replace it with a seeded one.
    RandomSource random;
    // Spell level to arcane spells picked but not yet committed; never saved.
    std::map<std::int32_t, SpellList> knownSpells;
    // What a loaded file named that the catalogues do not hold; written back by save (the
    // class only while the record has no class of its own).
    std::optional<UnresolvedClass> unresolvedClass;
    std::vector<std::string> unresolvedArcaneSpellIds;
    std::vector<std::string> unresolvedDivineSpellIds;

    const CharacterClassCatalogue& classCatalogue() const { return *classCatalogue_; }
    const ProficiencyCatalogue& proficiencyCatalogue() const { return *proficiencyCatalogue_; }
    const EquipmentCatalogue& equipmentCatalogue() const { return *equipmentCatalogue_; }
    const SpellCatalogue& spellCatalogue() const { return *spellCatalogue_; }

private:
    // 0, 1, 2 for "Lawful", "Neutral", "Chaotic"; -1 for any other name.
    static std::int32_t alignmentCodeOf(const std::string& name);
    void bindToPath(const std::string& path);
    // The saved file's tree.
    void buildDocument(tinyxml2::XMLDocument& document) const;
    // Reads a loaded file's root into this just-constructed record and brings what it held into
    // range, reporting each kind of correction once unless quiet. Numbers in the tree are
    // rewritten as read.
    void readDocument(tinyxml2::XMLElement& root, const std::string& path, bool quiet);
    int addEquipment(const BRAVCharacterEquipment& item, int amount);

    const CharacterClassCatalogue* classCatalogue_;
    const ProficiencyCatalogue* proficiencyCatalogue_;
    const EquipmentCatalogue* equipmentCatalogue_;
    const SpellCatalogue* spellCatalogue_;
    SpellList emptySpellList_;
};
