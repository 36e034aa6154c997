#include "tracker/sheet/bravui_bio_tab.h"

#include <optional>

#include "app/ui_context.h"
#include "render/render_interface.h"
#include "rules/character_sheet.h"
#include "tracker/typed_count.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

struct Row {
    const char* labelName;
    const char* labelText;
    const char* boxName;
    const char* toolTip;
    float labelTopLeft[2];
    float labelBottomRight[2];
    float boxTopLeft[2];
    float boxBottomRight[2];
};

const Row nameRow = {"characterNameLabel", "[*Character Name]", "characterNameTextBox",
                     "This character's name. Click in the box to edit.", {-0.9f, 0.95f}, {0.0f, 0.85f},
                     {-0.9f, 0.85f}, {0.0f, 0.75f}};
const Row ageRow = {"ageLabel", "[*Age]", "ageTextBox", "This character's age. Click in the box to edit.",
                    {-0.9f, 0.7f}, {-0.05f, 0.6f}, {-0.9f, 0.6f}, {-0.05f, 0.5f}};
const Row weightRow = {"weightLabel", "[*Weight]", "weightTextBox",
                       "This character's weight in lbs. Click in the box to edit.", {0.05f, 0.7f}, {0.9f, 0.6f},
                       {0.05f, 0.6f}, {0.9f, 0.5f}};
const Row beliefRow = {"beliefLabel", "[*Belief]", "beliefTextBox",
                       "This character's current belief. Used to determine a roleplaying XP bonus at the end of an "
                       "adventure.",
                       {-0.9f, 0.45f}, {0.9f, 0.35f}, {-0.9f, 0.35f}, {0.9f, 0.25f}};
const Row instinctRow = {"instinctLabel", "[*Instinct]", "instinctTextBox",
                         "This character's current instinct. Used to determine a roleplaying XP bonus at the end of "
                         "an adventure.",
                         {-0.9f, 0.2f}, {0.9f, 0.1f}, {-0.9f, 0.1f}, {0.9f, 0.0f}};
const Row opinionRow = {"opinionLabel", "[*Opinion]", "opinionTextBox",
                        "This character's current opinion. Used to determine a roleplaying XP bonus at the end of an "
                        "adventure.",
                        {-0.9f, -0.05f}, {0.9f, -0.15f}, {-0.9f, -0.15f}, {0.9f, -0.25f}};
const Row biographyRow = {"bioLabel", "[*Biography]", "bioTextBox",
                          "Any other biographical details for this character. Click in the box to edit.",
                          {-0.9f, -0.3f}, {0.9f, -0.4f}, {-0.9f, -0.4f}, {0.9f, -0.8f}};

void addLabel(UIContext* owner, const Theme* theme, GameUIElementGroup* panel, const Row& row) {
    panel->addElement(new GameUILabel(owner, theme, row.labelName, row.labelText, row.toolTip, row.labelTopLeft,
                                      row.labelBottomRight, panel, labelflag::notRightAligned, labelflag::notCentred,
                                      labelflag::atTop));
}

GameUIEditableTextLineBox* addLineBox(UIContext* owner, const Theme* theme, GameUIElementGroup* panel, const Row& row,
                                      const std::string& text, bool numbersOnly) {
    addLabel(owner, theme, panel, row);
    RenderInterface* ri = owner ? owner->renderInterface : nullptr;
    auto* box = new GameUIEditableTextLineBox(owner, theme, row.boxName, text, ri ? ri->mainFontName() : std::string(),
                                              row.toolTip, row.boxTopLeft, row.boxBottomRight, panel, numbersOnly);
    panel->addElement(box);
    return box;
}

template <class Box>
void disconnect(Box*& box, sigslot::has_slots<>* tab) {
    if (box) box->eventSignal.disconnect(tab);
    box = nullptr;
}

} // namespace

BRAVUIBioTab::BRAVUIBioTab(std::uint32_t tag, UIContext* owner, const Theme* theme, CharacterSheet* sheet)
    : tag(tag), owner(owner), theme(theme), sheet(sheet) {}

BRAVUIBioTab::~BRAVUIBioTab() { detach(); }

void BRAVUIBioTab::attach(GameUIElementGroup* panel) {
    if (!panel || !sheet) return;
    nameBox = addLineBox(owner, theme, panel, nameRow, sheet->name, false);
    ageBox = addLineBox(owner, theme, panel, ageRow, std::to_string(sheet->age), true);
    weightBox = addLineBox(owner, theme, panel, weightRow, std::to_string(sheet->weight), true);
    beliefBox = addLineBox(owner, theme, panel, beliefRow, sheet->belief, false);
    instinctBox = addLineBox(owner, theme, panel, instinctRow, sheet->instinct, false);
    opinionBox = addLineBox(owner, theme, panel, opinionRow, sheet->opinion, false);
    addLabel(owner, theme, panel, biographyRow);
    biographyBox = new GameUIScrollableTextBox(tag, owner, theme, biographyRow.boxName, sheet->biography,
                                               biographyRow.toolTip, biographyRow.boxTopLeft,
                                               biographyRow.boxBottomRight, panel, 0, 0, 0);
    // A scrollable text box is read-only until its owner switches editing on.
    biographyBox->editable = 1;
    panel->addElement(biographyBox);

    nameBox->eventSignal.connect(this, &BRAVUIBioTab::onNameBox);
    ageBox->eventSignal.connect(this, &BRAVUIBioTab::onAgeBox);
    weightBox->eventSignal.connect(this, &BRAVUIBioTab::onWeightBox);
    beliefBox->eventSignal.connect(this, &BRAVUIBioTab::onBeliefBox);
    instinctBox->eventSignal.connect(this, &BRAVUIBioTab::onInstinctBox);
    opinionBox->eventSignal.connect(this, &BRAVUIBioTab::onOpinionBox);
    biographyBox->eventSignal.connect(this, &BRAVUIBioTab::onBiographyBox);
}

void BRAVUIBioTab::detach() {
    // A key typed in the same poll as the tab switch is not lost with the boxes, and a box
    // emptied before it is left as a box left empty is.
    writeEdits();
    if (ageBox && ageBox->text.empty()) ageLeft = 1;
    if (weightBox && weightBox->text.empty()) weightLeft = 1;
    leaveCount(ageLeft, ageBox, &CharacterSheet::age);
    leaveCount(weightLeft, weightBox, &CharacterSheet::weight);
    disconnect(nameBox, this);
    disconnect(ageBox, this);
    disconnect(weightBox, this);
    disconnect(beliefBox, this);
    disconnect(instinctBox, this);
    disconnect(opinionBox, this);
    disconnect(biographyBox, this);
}

void BRAVUIBioTab::onNameBox(UIEvent::Data&) { nameEdited = 1; }

void BRAVUIBioTab::onAgeBox(UIEvent::Data& event) {
    ageEdited = 1;
    if (event.name == "lostEditFocus") ageLeft = 1;
}

void BRAVUIBioTab::onWeightBox(UIEvent::Data& event) {
    weightEdited = 1;
    if (event.name == "lostEditFocus") weightLeft = 1;
}

void BRAVUIBioTab::onBeliefBox(UIEvent::Data&) { beliefEdited = 1; }
void BRAVUIBioTab::onInstinctBox(UIEvent::Data&) { instinctEdited = 1; }
void BRAVUIBioTab::onOpinionBox(UIEvent::Data&) { opinionEdited = 1; }
void BRAVUIBioTab::onBiographyBox(UIEvent::Data&) { biographyEdited = 1; }

void BRAVUIBioTab::update() {
    writeEdits();
    leaveCount(ageLeft, ageBox, &CharacterSheet::age);
    leaveCount(weightLeft, weightBox, &CharacterSheet::weight);
}

void BRAVUIBioTab::writeEdits() {
    if (!sheet) return;
    writeText(nameEdited, nameBox ? &nameBox->text : nullptr, &CharacterSheet::name);
    writeCount(ageEdited, ageBox, &CharacterSheet::age);
    writeCount(weightEdited, weightBox, &CharacterSheet::weight);
    writeText(beliefEdited, beliefBox ? &beliefBox->text : nullptr, &CharacterSheet::belief);
    writeText(instinctEdited, instinctBox ? &instinctBox->text : nullptr, &CharacterSheet::instinct);
    writeText(opinionEdited, opinionBox ? &opinionBox->text : nullptr, &CharacterSheet::opinion);
    writeText(biographyEdited, biographyBox ? &biographyBox->text : nullptr, &CharacterSheet::biography);
}

void BRAVUIBioTab::writeText(std::uint8_t& edited, const std::string* boxText, std::string CharacterSheet::*field) {
    if (!edited) return;
    edited = 0;
    if (boxText) sheet->setText(field, *boxText);
}

void BRAVUIBioTab::writeCount(std::uint8_t& edited, GameUIEditableTextLineBox* box,
                              std::int32_t CharacterSheet::*field) {
    if (!edited) return;
    edited = 0;
    if (!box) return;
    // Text that is no count changes nothing; an empty box waits until it is left.
    const std::optional<std::uint32_t> count = typedcount::parse(box->text);
    // At most nine digits: every count fits the signed field.
    if (count) sheet->setCount(field, static_cast<std::int32_t>(*count));
}

void BRAVUIBioTab::leaveCount(std::uint8_t& left, GameUIEditableTextLineBox* box, std::int32_t CharacterSheet::*field) {
    if (!left) return;
    left = 0;
    if (!box || !sheet) return;
    if (box->text.empty()) sheet->setCount(field, 0);
    const std::string shown = std::to_string(sheet->*field);
    if (box->text != shown) box->setText(shown);
}
