#pragma once
// The character sheet, "characterSheetUI": a bar of six tab buttons over one inner panel in which
// the shown tab's widgets live. Tab presses only set a pending flag; the per-frame update makes
// at most one switch, then runs every tab's step, shown or not.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"
#include "ui/ui_event.h"

class BRAVConfig;
class BRAVUISheetTab;
class CharacterSheet;
class GameUIElementGroup;
class GameUIToggleButton;
class GameUIToggleGroup;
struct RulesCatalogues;

class BRAVUITabbedFullCharacterSheet : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    enum Tab : std::uint32_t { CoreTab, ProficienciesTab, InventoryTab, SpellsTab, BioTab, NotesTab, TabCount };
    // The tab buttons' names, which a tab press must match exactly.
    static constexpr std::array<const char*, TabCount> tabIds = {"coreStatsTab", "proficienciesTab", "inventoryTab",
                                                                "spellsTab",    "bioTab",           "notesTab"};
    static constexpr std::array<const char*, TabCount> tabCaptions = {"Core",   "Proficiencies", "Inventory",
                                                                     "Spells", "Bio",           "Notes"};

    // The character, configuration and catalogues are the main menu's and outlive the sheet.
    BRAVUITabbedFullCharacterSheet(const Theme* theme, UIContext* owner, std::uint32_t tag, CharacterSheet* character,
                                   BRAVConfig* config, RulesCatalogues* catalogues, const std::string& name);
    ~BRAVUITabbedFullCharacterSheet() override;

    // Slot of the tab buttons: a click on one marks its tab to be shown at the next update.
    void showTab(UIEvent::Data& event);
    // Detaches every tab, empties the inner panel and attaches the given tab.
    void show(Tab tab);
    void showCoreStatsTab() { show(CoreTab); }
    void showProficienciesTab() { show(ProficienciesTab); }
    void showInventoryTab() { show(InventoryTab); }
    void showSpellsTab() { show(SpellsTab); }
    void showBioTab() { show(BioTab); }
    void showNotesTab() { show(NotesTab); }
    void detachAllTabs();

    void update(float dt) override;

    CharacterSheet* character;
    BRAVConfig* config;
    RulesCatalogues* catalogues;
    RenderInterface::UIObject* frameA = nullptr;
    RenderInterface::UIObject* frameB = nullptr;
    GameUIToggleGroup* tabBar = nullptr;
    std::array<GameUIToggleButton*, TabCount> tabButtons{};
    GameUIElementGroup* innerPanel = nullptr;
    std::array<std::uint8_t, TabCount> tabPending{};
    // A tab whose pointer is empty shows an empty panel.
    std::array<std::unique_ptr<BRAVUISheetTab>, TabCount> tabs;
    Tab shownTab = CoreTab;

private:
    void createPanelFrames();
    void buildTabBar();
};
