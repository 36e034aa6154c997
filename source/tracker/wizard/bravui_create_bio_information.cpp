#include "tracker/wizard/bravui_create_bio_information.h"

#include "rules/character_sheet.h"
#include "tracker/numeric_text.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

const char* const nameToolTip = "Enter a name for this character";
const char* const alignmentToolTip = "Choose this character's alignment";
const char* const ageToolTip = "Enter this character's age";
const char* const weightToolTip = "Enter this character's weight in lbs";
const char* const beliefToolTip = "Enter a belief for this character";
const char* const instinctToolTip = "Enter an instinct for this character";
const char* const opinionToolTip = "Enter an opinion for this character";
const char* const bioToolTip = "Enter any other biographical details for this character";

} // namespace

BRAVUICreateBioInformation::BRAVUICreateBioInformation(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                       const float topLeft[2], const float bottomRight[2],
                                                       const std::string& title, CharacterSheet* character)
    : GameUIBaseWindow(tag, owner, theme, "createAttributesWindow", title, topLeft, bottomRight, 7, nullptr, false),
      character(character) {
    addLabel("characterNameLabel", "[*Character Name]", nameToolTip, -0.9f, 0.95f, -0.05f, 0.85f);
    nameBox = addLine("characterNameTextBox", "", nameToolTip, -0.9f, 0.85f, -0.05f, 0.75f, false);
    nameBox->eventSignal.connect(this, &BRAVUICreateBioInformation::onNameEvent);

    addLabel("alignmentNameLabel", "[*Alignment]", alignmentToolTip, 0.05f, 0.95f, 0.9f, 0.85f);
    const float alignmentTopLeft[2] = {0.05f, 0.85f}, alignmentBottomRight[2] = {0.9f, 0.75f};
    alignmentCombo = new GameUIComboBox(tag, owner, theme, theme, "alignmentComboBox", "Lawful", "", alignmentTopLeft,
                                        alignmentBottomRight, this, "", "");
    for (const char* option : {"Lawful", "Neutral", "Chaotic"}) alignmentCombo->addOption(option);
    addChild(alignmentCombo);

    addLabel("ageLabel", "[*Age]", ageToolTip, -0.9f, 0.7f, -0.05f, 0.6f);
    ageBox = addLine("ageTextBox", "0", ageToolTip, -0.9f, 0.6f, -0.05f, 0.5f, true);
    ageBox->eventSignal.connect(this, &BRAVUICreateBioInformation::onNumberBoxEvent);
    addLabel("weightLabel", "[*Weight]", weightToolTip, 0.05f, 0.7f, 0.9f, 0.6f);
    weightBox = addLine("weightTextBox", "0", weightToolTip, 0.05f, 0.6f, 0.9f, 0.5f, true);
    weightBox->eventSignal.connect(this, &BRAVUICreateBioInformation::onNumberBoxEvent);

    addLabel("beliefLabel", "[*Belief]", beliefToolTip, -0.9f, 0.45f, 0.9f, 0.35f);
    beliefBox = addLine("beliefTextBox", "", beliefToolTip, -0.9f, 0.35f, 0.9f, 0.25f, false);
    addLabel("instinctLabel", "[*Instinct]", instinctToolTip, -0.9f, 0.2f, 0.9f, 0.1f);
    instinctBox = addLine("instinctTextBox", "", instinctToolTip, -0.9f, 0.1f, 0.9f, 0.0f, false);
    addLabel("opinionLabel", "[*Opinion]", opinionToolTip, -0.9f, -0.05f, 0.9f, -0.15f);
    opinionBox = addLine("opinionTextBox", "", opinionToolTip, -0.9f, -0.15f, 0.9f, -0.25f, false);

    addLabel("bioLabel", "[*Biography]", bioToolTip, -0.9f, -0.3f, 0.9f, -0.4f);
    const float bioTopLeft[2] = {-0.9f, -0.4f}, bioBottomRight[2] = {0.9f, -0.8f};
    bioBox = new GameUIScrollableTextBox(tag, owner, theme, "bioTextBox", "", bioToolTip, bioTopLeft, bioBottomRight,
                                         this, 0, 0, 0);
    bioBox->editable = 1;
    addChild(bioBox);

    nextStepButton = windowparts::addNextStepButton(*this, 0.75f, -0.85f, 0.95f, -0.95f,
                                                    &BRAVUICreateBioInformation::onNextStepButton);
    topDepth = getMaxChildDepth();
}

BRAVUICreateBioInformation::~BRAVUICreateBioInformation() {
    nameBox->eventSignal.disconnect(this);
    ageBox->eventSignal.disconnect(this);
    weightBox->eventSignal.disconnect(this);
    nextStepButton->clickSignal.disconnect(this);
}

void BRAVUICreateBioInformation::addLabel(const std::string& name, const std::string& text,
                                          const std::string& toolTip, float left, float top, float right,
                                          float bottom) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    addChild(new GameUILabel(owner, theme, name, text, toolTip, topLeft, bottomRight, this, labelflag::notRightAligned,
                             labelflag::notCentred, labelflag::atTop));
}

GameUIEditableTextLineBox* BRAVUICreateBioInformation::addLine(const std::string& name, const std::string& text,
                                                               const std::string& toolTip, float left, float top,
                                                               float right, float bottom, bool numericOnly) {
    const float topLeft[2] = {left, top}, bottomRight[2] = {right, bottom};
    auto* box = new GameUIEditableTextLineBox(owner, theme, name, text, windowparts::mainFont(*this), toolTip, topLeft,
                                              bottomRight, this, numericOnly);
    addChild(box);
    return box;
}

void BRAVUICreateBioInformation::onNameEvent(UIEvent::Data&) { nameChangedPending = 1; }

void BRAVUICreateBioInformation::onNumberBoxEvent(UIEvent::Data& event) {
    if (event.name == "lostEditFocus") focusLostPending = 1;
}

void BRAVUICreateBioInformation::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

std::int32_t BRAVUICreateBioInformation::readNumberBox(const std::string& text) {
    return static_cast<std::int32_t>(numerictext::readNumber(text, largestNumber));
}

bool BRAVUICreateBioInformation::hasVisibleName() const {
    return nameBox->text.find_first_not_of(" \t") != std::string::npos;
}

void BRAVUICreateBioInformation::copyIntoCharacter() {
    CharacterSheet::Biography biography;
    biography.name = nameBox->text;
    biography.age = readNumberBox(ageBox->text);
    biography.weight = readNumberBox(weightBox->text);
    biography.alignment = alignmentCombo->text;
    biography.belief = beliefBox->text;
    biography.instinct = instinctBox->text;
    biography.opinion = opinionBox->text;
    biography.biography = bioBox->text;
    character->setBiography(biography);
}

void BRAVUICreateBioInformation::update(float dt) {
    if (nameChangedPending) {
        nameChangedPending = 0;
        nameValid = hasVisibleName() ? 1 : 0;
    }
    nextStepButton->setEnabled(nameValid && !copied);
    if (focusLostPending) {
        focusLostPending = 0;
        if (ageBox->text.empty()) ageBox->setText("0");
        if (weightBox->text.empty()) weightBox->setText("0");
    }
    if (nextStepPending) {
        nextStepPending = 0;
        // The name is checked again here: a press and an erase can arrive in the same frame.
        if (!copied && character && hasVisibleName()) {
            copied = 1;
            nextStepButton->disable();
            copyIntoCharacter();
            reportEvent("nextStep");
        }
    }
    GameUIStandardElement::update(dt);
}
