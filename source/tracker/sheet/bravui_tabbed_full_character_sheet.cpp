#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"

#include "rules/rules_catalogues.h"
#include "tracker/sheet/bravui_bio_tab.h"
#include "tracker/sheet/bravui_core_stats_tab.h"
#include "tracker/sheet/bravui_equipment_tab.h"
#include "tracker/sheet/bravui_notes_tab.h"
#include "tracker/sheet/bravui_proficiencies_tab.h"
#include "tracker/sheet/bravui_sheet_tab.h"
#include "tracker/sheet/bravui_spells_tab.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {

constexpr const char* tabThemeName = "tab_theme";
constexpr std::uint32_t sheetDepth = 2;

const float sheetTopLeft[2] = {-0.95f, 0.95f};
const float sheetBottomRight[2] = {0.95f, -0.75f};

// Left and right edge of each tab button in the tab bar's space.
constexpr std::array<std::array<float, 2>, BRAVUITabbedFullCharacterSheet::TabCount> tabEdges = {
    {{-1.0f, -0.8f}, {-0.8f, -0.5f}, {-0.5f, -0.2f}, {-0.2f, 0.0f}, {0.0f, 0.15f}, {0.15f, 0.35f}}};

// Detaching goes in this order, so a tab that writes into the character sees the others' edits.
constexpr std::array<BRAVUITabbedFullCharacterSheet::Tab, BRAVUITabbedFullCharacterSheet::TabCount> detachOrder = {
    BRAVUITabbedFullCharacterSheet::CoreTab,  BRAVUITabbedFullCharacterSheet::ProficienciesTab,
    BRAVUITabbedFullCharacterSheet::InventoryTab, BRAVUITabbedFullCharacterSheet::BioTab,
    BRAVUITabbedFullCharacterSheet::SpellsTab, BRAVUITabbedFullCharacterSheet::NotesTab};

} // namespace

BRAVUITabbedFullCharacterSheet::BRAVUITabbedFullCharacterSheet(const Theme* theme, UIContext* owner, std::uint32_t tag,
                                                               CharacterSheet* character, BRAVConfig* config,
                                                               RulesCatalogues* catalogues, const std::string& name)
    : GameUIStandardElement(tag, owner, sheetTopLeft, sheetBottomRight, theme, name, "", nullptr),
      character(character), config(config), catalogues(catalogues) {
    depth = sheetDepth;
    createPanelFrames();
    buildTabBar();
    const float panelTopLeft[2] = {-0.95f, 0.85f}, panelBottomRight[2] = {0.95f, -0.95f};
    innerPanel = new GameUIElementGroup(0, tag, owner, theme, "innerPanelGroup", "", panelTopLeft, panelBottomRight,
                                        this);
    addChild(innerPanel);
    tabs[CoreTab] = std::make_unique<BRAVUICoreStatsTab>(tag, owner, theme, config, catalogues, character);
    tabs[ProficienciesTab] = std::make_unique<BRAVUIProficienciesTab>(tag, owner, theme, character);
    tabs[InventoryTab] = std::make_unique<BRAVUIEquipmentTab>(tag, owner, theme, character,
                                                              catalogues ? &catalogues->equipment : nullptr);
    tabs[SpellsTab] = std::make_unique<BRAVUISpellsTab>(tag, owner, theme, character);
    tabs[BioTab] = std::make_unique<BRAVUIBioTab>(tag, owner, theme, character);
    tabs[NotesTab] = std::make_unique<BRAVUINotesTab>(tag, owner, theme, character);
    showCoreStatsTab();
}

BRAVUITabbedFullCharacterSheet::~BRAVUITabbedFullCharacterSheet() {
    for (GameUIToggleButton* button : tabButtons) {
        if (button) button->toggleSignal.disconnect(this);
    }
    for (Tab tab : detachOrder) {
        if (tabs[tab]) tabs[tab]->detach();
    }
    // Each tab closes the windows it opened: they point at the character.
    for (auto& tab : tabs) tab.reset();
    uiobject::destroy(renderInterface(), frameA);
    uiobject::destroy(renderInterface(), frameB);
}

void BRAVUITabbedFullCharacterSheet::createPanelFrames() {
    const float halfHeight = toAbsoluteHeight((localTopLeft[1] - localBottomRight[1]) / 2.0f);
    const float halfWidth = toAbsoluteWidth((localBottomRight[0] - localTopLeft[0]) / 2.0f);
    const float left = absTopLeft[0], top = absTopLeft[1], right = absBottomRight[0], bottom = absBottomRight[1];
    RenderInterface* ri = renderInterface();
    frameA = uiobject::create(ri, "ui_simple_rectangle", 1);
    if (theme) uiobject::setColour(frameA, SimpleRectangleParameters::colour, (*theme)[Theme::WidgetNormal]);
    uiobject::setCorners<SimpleRectangleParameters>(frameA, left, top - 0.1f * halfHeight, right, bottom);
    frameB = uiobject::create(ri, "ui_simple_rectangle", 2);
    if (theme) uiobject::setColour(frameB, SimpleRectangleParameters::colour, (*theme)[Theme::SolidPanelNormal]);
    uiobject::setCorners<SimpleRectangleParameters>(frameB, left + 0.05f * halfWidth, top - 0.15f * halfHeight,
                                                    right - 0.05f * halfWidth, bottom + 0.05f * halfHeight);
}

void BRAVUITabbedFullCharacterSheet::buildTabBar() {
    WindowManager* manager = windowManager();
    const Theme* tabTheme = manager ? manager->getTheme(tabThemeName) : theme;
    const float barTopLeft[2] = {-1.0f, 1.0f}, barBottomRight[2] = {1.0f, 0.9f};
    tabBar = new GameUIToggleGroup(false, tag, owner, tabTheme, "optionTabGroup", "", barTopLeft, barBottomRight, this);
    addChild(tabBar);
    for (std::uint32_t i = 0; i < TabCount; ++i) {
        const float topLeft[2] = {tabEdges[i][0], 1.0f}, bottomRight[2] = {tabEdges[i][1], -1.0f};
        auto* button = new GameUIToggleButton(tag, owner, tabTheme, tabIds[i], tabCaptions[i], "", topLeft, bottomRight,
                                              tabBar, i == CoreTab, toggleflag::stayActive, toggleflag::flat,
                                              toggleflag::centred, toggleflag::noHoverWhenActive);
        tabBar->buttons.push_back(button);
        if (i == CoreTab) tabBar->selected = button;
        button->toggleSignal.connect(this, &BRAVUITabbedFullCharacterSheet::showTab);
        tabButtons[i] = button;
    }
}

void BRAVUITabbedFullCharacterSheet::showTab(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    for (std::uint32_t i = 0; i < TabCount; ++i) {
        if (event.name == tabIds[i]) tabPending[i] = 1;
    }
}

void BRAVUITabbedFullCharacterSheet::detachAllTabs() {
    for (Tab tab : detachOrder) {
        if (tabs[tab]) tabs[tab]->detach();
    }
    if (innerPanel) innerPanel->deleteChildren();
}

void BRAVUITabbedFullCharacterSheet::show(Tab tab) {
    detachAllTabs();
    shownTab = tab;
    if (tabs[tab] && innerPanel) tabs[tab]->attach(innerPanel);
    topDepth = getMaxChildDepth();
}

void BRAVUITabbedFullCharacterSheet::update(float dt) {
    for (std::uint32_t i = 0; i < TabCount; ++i) {
        if (!tabPending[i]) continue;
        tabPending[i] = 0;
        show(static_cast<Tab>(i));
        break;
    }
    for (auto& tab : tabs) {
        if (tab) tab->update();
    }
    GameUIStandardElement::update(dt);
}
