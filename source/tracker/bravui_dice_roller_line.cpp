#include "tracker/bravui_dice_roller_line.h"

#include "render/render_interface.h"
#include "tracker/numeric_text.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/game_ui_toggle_group.h"

BRAVUIDiceRollerLine::BRAVUIDiceRollerLine(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                           const std::string& name, const std::string& label, std::uint32_t sides,
                                           const float topLeft[2], const float bottomRight[2],
                                           GameUIBaseElement* parent)
    : GameUIStandardElement(tag, owner, topLeft, bottomRight, theme, name, "", parent),
      resourcePool(tag), label(label), sides(sides ? sides : 1) {
    // The row's widgets draw above the window that holds it.
    depth = topDepth = childDepth(parent);
    RenderInterface* ri = renderInterface();
    const std::string font = ri ? ri->mainFontName() : std::string();

    const float nameTopLeft[2] = {-1.0f, 1.0f}, nameBottomRight[2] = {-0.85f, -1.0f};
    nameLabel = new GameUILabel(owner, theme, "diceNameLabel", label, "", nameTopLeft, nameBottomRight, this,
                                labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
    addChild(nameLabel);

    const float countTopLeft[2] = {-0.8f, 1.0f}, countBottomRight[2] = {-0.5f, -1.0f};
    countBox = new GameUIEditableTextLineBox(owner, theme, "numberOfDiceEntryBox", "1", font,
                                             "The number of dice to roll", countTopLeft, countBottomRight, this, true);
    addChild(countBox);

    const float groupTopLeft[2] = {-0.45f, 1.0f}, groupBottomRight[2] = {-0.1f, -1.0f};
    signToggleGroup = new GameUIToggleGroup(false, tag, owner, theme, "plusOrMinusToggleGroup", "", groupTopLeft,
                                            groupBottomRight, this);
    const float plusTopLeft[2] = {-0.8f, 0.5f}, plusBottomRight[2] = {-0.2f, -0.5f};
    plusToggle = new GameUIToggleButton(
        tag, owner, theme, "plusOrMinusToggleGroup", "+", "[*Add] the modifier value to the total dice roll",
        plusTopLeft, plusBottomRight, signToggleGroup, toggleflag::startActive, toggleflag::stayActive,
        toggleflag::flat, toggleflag::centred, toggleflag::noHoverWhenActive);
    const float minusTopLeft[2] = {0.2f, 0.5f}, minusBottomRight[2] = {0.8f, -0.5f};
    minusToggle = new GameUIToggleButton(
        tag, owner, theme, "minusToggle", "-", "[*Subtract] the modifier value to the total dice roll", minusTopLeft,
        minusBottomRight, signToggleGroup, toggleflag::startInactive, toggleflag::stayActive, toggleflag::flat,
        toggleflag::centred, toggleflag::noHoverWhenActive);
    signToggleGroup->buttons.push_back(plusToggle);
    signToggleGroup->buttons.push_back(minusToggle);
    // "+" is on from the start, so the group must know it: pressing "-" then turns it off.
    signToggleGroup->selected = plusToggle;
    signToggleGroup->selectedIndex = 0;
    addChild(signToggleGroup);

    const float modifierTopLeft[2] = {-0.05f, 1.0f}, modifierBottomRight[2] = {0.25f, -1.0f};
    modifierBox = new GameUIEditableTextLineBox(owner, theme, "attributeDisplay", "0", font,
                                                "The modifier to apply to the total dice roll", modifierTopLeft,
                                                modifierBottomRight, this, true);
    addChild(modifierBox);

    const float rollTopLeft[2] = {0.3f, 1.0f}, rollBottomRight[2] = {0.55f, -1.0f};
    rollButton = new GameUIPushButton(owner, theme, "rollButton", "Roll", "Roll the dice", rollTopLeft,
                                      rollBottomRight, this);
    rollButton->signalsEnabled = 1;
    addChild(rollButton);

    const float resultTopLeft[2] = {0.6f, 1.0f}, resultBottomRight[2] = {1.0f, -1.0f};
    resultBox = new GameUIEditableTextLineBox(owner, theme, "rollResultBox", "0", font,
                                              "The result of the most recent roll", resultTopLeft, resultBottomRight,
                                              this, true);
    addChild(resultBox);

    countBox->eventSignal.connect(this, &BRAVUIDiceRollerLine::onEntryEvent);
    modifierBox->eventSignal.connect(this, &BRAVUIDiceRollerLine::onEntryEvent);
    rollButton->clickSignal.connect(this, &BRAVUIDiceRollerLine::onRollButton);
    topDepth = getMaxChildDepth();
}

BRAVUIDiceRollerLine::~BRAVUIDiceRollerLine() {
    countBox->eventSignal.disconnect(this);
    modifierBox->eventSignal.disconnect(this);
    rollButton->clickSignal.disconnect(this);
    clearHistory();
}

void BRAVUIDiceRollerLine::clearHistory() {
    for (DiceRoll* record : history) delete record;
    history.clear();
    latestRoll = nullptr;
}

void BRAVUIDiceRollerLine::onEntryEvent(UIEvent::Data&) { validatePending = 1; }

void BRAVUIDiceRollerLine::onRollButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) rollPending = 1;
}

void BRAVUIDiceRollerLine::validate() {
    const std::string& modifierText = modifierBox->text;
    if (numerictext::isAllDigits(modifierText)) {
        if (numerictext::readNumber(modifierText, largestEntry + 1) > largestEntry) {
            modifierBox->setText(std::to_string(largestEntry));
        }
    } else if (!modifierText.empty()) {
        modifierBox->setText("0");
    }
    const std::string& countText = countBox->text;
    if (numerictext::isAllDigits(countText)) {
        const std::uint32_t count = numerictext::readNumber(countText, largestEntry + 1);
        if (count > largestEntry) {
            countBox->setText(std::to_string(largestEntry));
        } else if (count == 0) {
            countBox->setText("1");
        }
    } else if (!countText.empty()) {
        countBox->setText("1");
    }
}

void BRAVUIDiceRollerLine::roll() {
    auto* record = new DiceRoll;
    record->label = label;
    record->count = numerictext::readNumber(countBox->text, largestEntry);
    int sum = 0;
    for (unsigned i = 0; i < record->count; ++i) {
        const int die = static_cast<int>(random.draw() % sides + 1);
        record->rolls.push_back(die);
        sum += die;
    }
    const int modifier = static_cast<int>(numerictext::readNumber(modifierBox->text, largestEntry));
    record->modifier = plusToggle->active ? modifier : -modifier;
    record->total = sum + record->modifier;
    resultBox->setText(std::to_string(record->total));
    latestRoll = record;
    history.push_back(record);
    eventData.type = UIEvent::Click;
    eventData.name = "diceRolled";
    eventData.parentName = parent ? parent->name : std::string();
    eventData.source = this;
    eventSignal.emit(eventData);
}

void BRAVUIDiceRollerLine::update(float dt) {
    if (validatePending) {
        validatePending = 0;
        validate();
    }
    if (rollPending) {
        rollPending = 0;
        roll();
    }
    GameUIStandardElement::update(dt);
}
