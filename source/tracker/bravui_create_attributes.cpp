#include "tracker/bravui_create_attributes.h"

#include "rules/character_sheet.h"
#include "rules/class_lookups.h"
#include "tracker/ui_attribute_entry_line.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_push_button.h"

namespace {

struct RowLayout {
    const char* name;
    const char* caption;
    const char* toolTip;
    float top;
};

const RowLayout rowLayouts[BRAVUICreateAttributes::attributeCount] = {
    {"strength", "Strength",
     "Raw muscle and the will to use it. It adds to melee attack and damage rolls, to forcing doors and bending "
     "bars, and decides how much the character can lift and carry.",
     0.9f},
    {"intelligence", "Intelligence",
     "Memory, reasoning and learning. Arcane casters draw their extra spells from it, and it adds to rolls for "
     "languages, lore and working out puzzles.",
     0.7f},
    {"wisdom", "Wisdom",
     "Judgement, insight and strength of spirit. It modifies saving throws against spells that charm or frighten, "
     "and divine casters draw their extra spells from it.",
     0.5f},
    {"dexterity", "Dexterity",
     "Speed of hand and foot and a sure balance. It adds to missile attack rolls and to armour class, and to rolls "
     "for picking locks, climbing and acting first.",
     0.3f},
    {"constitution", "Constitution",
     "Health, stamina and toughness. Its modifier is added to every hit die rolled, and to saving throws against "
     "poison, disease and exhaustion.",
     0.1f},
    {"charisma", "Charisma",
     "Presence, charm and force of personality. It modifies reaction rolls when meeting strangers, how many "
     "retainers will follow the character and how loyal they stay.",
     -0.1f},
};

constexpr float rowHeight = 0.15f;

} // namespace

BRAVUICreateAttributes::BRAVUICreateAttributes(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                               const float topLeft[2], const float bottomRight[2],
                                               CharacterSheet* character,
                                               const ClassTemplateCatalogue* templateCatalogue)
    : GameUIBaseWindow(tag, owner, theme, "createAttributesWindow", "Step 1: Create Attributes", topLeft,
                       bottomRight, 7, nullptr, false),
      resourcePool(tag), character(character), templateCatalogue(templateCatalogue) {
    for (int i = 0; i < attributeCount; ++i) {
        const RowLayout& layout = rowLayouts[i];
        const float rowTopLeft[2] = {-0.5f, layout.top};
        const float rowBottomRight[2] = {0.5f, layout.top - rowHeight};
        const int score = character ? character->attributes[i].current : 0;
        const int modifier = character ? character->getModifier(score) : 0;
        rows[i] = new UIAttributeEntryLine(tag, owner, layout.caption, score, modifier, layout.name, layout.toolTip,
                                           theme, rowTopLeft, rowBottomRight, this);
        rows[i]->eventSignal.connect(this, &BRAVUICreateAttributes::onEntryChanged);
        addChild(rows[i]);
    }
    rerollButton = windowparts::addReportingButton(
        *this, "rerollStatsButton", "Reroll All",
        "Rerolls all statistics and ensures that at least one of them is greater than 9", -0.9f, -0.75f, -0.5f,
        -0.95f, &BRAVUICreateAttributes::onRerollButton);
    nextStepButton =
        windowparts::addNextStepButton(*this, 0.5f, -0.75f, 0.9f, -0.95f, &BRAVUICreateAttributes::onNextStepButton);
    nextStepButton->toolTipText = noScoresToolTip;
    topDepth = getMaxChildDepth();
}

BRAVUICreateAttributes::~BRAVUICreateAttributes() {
    for (UIAttributeEntryLine* row : rows) row->eventSignal.disconnect(this);
    rerollButton->clickSignal.disconnect(this);
    nextStepButton->clickSignal.disconnect(this);
}

void BRAVUICreateAttributes::onEntryChanged(UIEvent::Data&) { entryChangedPending = 1; }

void BRAVUICreateAttributes::onRerollButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) rerollPending = 1;
}

void BRAVUICreateAttributes::onNextStepButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) nextStepPending = 1;
}

void BRAVUICreateAttributes::refreshRows() {
    if (!character) return;
    for (int i = 0; i < attributeCount; ++i) {
        const int score = character->attributes[i].current;
        rows[i]->setValue(score);
        rows[i]->setModifierText(character->getModifier(score));
    }
}

void BRAVUICreateAttributes::setScore(int attribute, int score) {
    if (!character) return;
    character->setCreationScore(static_cast<CharacterSheet::Attribute>(attribute), score);
}

bool BRAVUICreateAttributes::classAdmitsScores() const {
    if (!character || !templateCatalogue) return false;
    std::array<std::uint32_t, attributeCount> scores{};
    for (int i = 0; i < attributeCount; ++i) {
        const std::int32_t score = character->attributes[i].current;
        scores[i] = score < 0 ? 0u : static_cast<std::uint32_t>(score);
    }
    std::vector<const CharacterClass*> playable;
    filterPlayableClasses(character->classCatalogue(), *templateCatalogue, playable, scores[0], scores[1], scores[2],
                          scores[3], scores[4], scores[5]);
    return !playable.empty();
}

void BRAVUICreateAttributes::retest() {
    // One high score is not enough: the class step would offer nothing, and there is no way back.
    const bool admitted = classAdmitsScores();
    nextStepButton->setEnabled(admitted);
    nextStepButton->toolTipText = admitted ? windowparts::nextStepToolTip : noClassToolTip;
}

void BRAVUICreateAttributes::writeEntries() {
    // Each row's held score: a row being edited, or left empty, keeps what the character has.
    for (int i = 0; i < attributeCount; ++i) setScore(i, rows[i]->score());
    if (!character) return;
    for (int i = 0; i < attributeCount; ++i) {
        rows[i]->setModifierText(character->getModifier(character->attributes[i].current));
    }
}

void BRAVUICreateAttributes::reroll() {
    std::array<int, attributeCount> scores{};
    bool anyUsable = false;
    while (!anyUsable) {
        for (int& score : scores) {
            const std::uint32_t a = random.draw(), b = random.draw(), c = random.draw();
            score = static_cast<int>(a % 6 + b % 6 + c % 6 + 3);
            if (score >= usableScore) anyUsable = true;
        }
    }
    for (int i = 0; i < attributeCount; ++i) setScore(i, scores[i]);
    refreshRows();
}

void BRAVUICreateAttributes::update(float dt) {
    // An edit that ended in this frame (a click on Next Step takes the focus) counts before the
    // steps below, not after them in the rows' own update.
    for (UIAttributeEntryLine* row : rows) row->validateNow();
    if (retestPending) {
        retestPending = 0;
        retest();
    }
    if (entryChangedPending) {
        entryChangedPending = 0;
        writeEntries();
        retestPending = 1;
    }
    if (rerollPending) {
        rerollPending = 0;
        reroll();
        retestPending = 1;
    }
    if (nextStepPending) {
        nextStepPending = 0;
        // Asked of the scores themselves: one typed in the frame of the click is not retested yet.
        if (classAdmitsScores()) reportEvent("nextStep");
    }
    GameUIStandardElement::update(dt);
}
