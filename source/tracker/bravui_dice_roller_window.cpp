#include "tracker/bravui_dice_roller_window.h"

#include "tracker/bravui_dice_roller_line.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_text_box.h"

namespace {

struct TitleLayout {
    const char* name;
    const char* text;
    float left;
    float right;
};

const TitleLayout titleLayouts[] = {
    {"dieTitleLabel", "[*Die]", -0.95f, -0.8825f},
    {"numberTitleLabel", "[*Number]", -0.86f, -0.725f},
    {"plusMinusTitleLabel", "[*+/-]", -0.725f, -0.5225f},
    {"modifierTitleLabel", "[*Modifier]", -0.5225f, -0.3875f},
    {"resultsTitleLabel", "[*Results]", -0.23f, -0.05f},
};

struct RowLayout {
    const char* name;
    const char* label;
    std::uint32_t sides;
    float top;
};

// The D8 row answers to the D6 row's name; owners that tell rows apart do so by pointer.
const RowLayout rowLayouts[BRAVUIDiceRollerWindow::rowCount] = {
    {"d4rollerLine", "D4", 4, 0.8f},     {"d6rollerLine", "D6", 6, 0.6f},
    {"d6rollerLine", "D8", 8, 0.4f},     {"d10rollerLine", "D10", 10, 0.2f},
    {"d12rollerLine", "D12", 12, 0.0f},  {"d20rollerLine", "D20", 20, -0.2f},
};

constexpr float rowHeight = 0.15f;

std::string signedModifier(int modifier) {
    return (modifier >= 0 ? "+" : "") + std::to_string(modifier);
}

} // namespace

BRAVUIDiceRollerWindow::BRAVUIDiceRollerWindow(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                               const std::string& title, const float topLeft[2],
                                               const float bottomRight[2], std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "spellsPickerWindow", title, topLeft, bottomRight, depth, nullptr, true) {
    for (const TitleLayout& layout : titleLayouts) {
        const float labelTopLeft[2] = {layout.left, 0.9f}, labelBottomRight[2] = {layout.right, 0.8f};
        auto* label = new GameUILabel(owner, theme, layout.name, layout.text, "", labelTopLeft, labelBottomRight, this,
                                      labelflag::notRightAligned, labelflag::notCentred, labelflag::atTop);
        // The column titles stand side by side: one wider than its column would run into the next.
        label->shrinkToFit();
        addChild(label);
    }
    for (int i = 0; i < rowCount; ++i) {
        const RowLayout& layout = rowLayouts[i];
        const float rowTopLeft[2] = {-0.95f, layout.top}, rowBottomRight[2] = {-0.05f, layout.top - rowHeight};
        rows[i] = new BRAVUIDiceRollerLine(tag, owner, theme, layout.name, layout.label, layout.sides, rowTopLeft,
                                           rowBottomRight, this);
        rows[i]->eventSignal.connect(this, &BRAVUIDiceRollerWindow::onRowRolled);
        addChild(rows[i]);
    }
    const float labelTopLeft[2] = {0.05f, 0.95f}, labelBottomRight[2] = {0.95f, 0.8f};
    historyLabel = new GameUILabel(owner, theme, "descriptionBoxTitleLabel", "<id='TitleBarText'[*Results history]>",
                                   "", labelTopLeft, labelBottomRight, this, labelflag::notRightAligned,
                                   labelflag::notCentred, labelflag::atTop);
    historyLabel->setFonts("EBGaramond-Regular_48", "original-garamond-bold-bt_48");
    addChild(historyLabel);
    const float boxTopLeft[2] = {0.05f, 0.8f}, boxBottomRight[2] = {0.95f, -0.35f};
    historyBox = new GameUIScrollableTextBox(tag, owner, theme, "descriptionTextBox", "", "", boxTopLeft,
                                             boxBottomRight, this, 0, 0, 0);
    addChild(historyBox);
    const float clearTopLeft[2] = {0.05f, -0.4f}, clearBottomRight[2] = {0.45f, -0.5f};
    clearButton = new GameUIPushButton(owner, theme, "clearButton", "Clear History", "Clear the dice rolling history",
                                       clearTopLeft, clearBottomRight, this);
    clearButton->signalsEnabled = 1;
    clearButton->clickSignal.connect(this, &BRAVUIDiceRollerWindow::onClearButton);
    addChild(clearButton);
    const float finishTopLeft[2] = {0.75f, -0.85f}, finishBottomRight[2] = {0.95f, -0.95f};
    finishButton = new GameUIPushButton(owner, theme, "finishsButton", "Finish",
                                        "Stop rolling dice and close this window.", finishTopLeft, finishBottomRight,
                                        this);
    finishButton->signalsEnabled = 1;
    finishButton->clickSignal.connect(this, &BRAVUIDiceRollerWindow::onFinishButton);
    addChild(finishButton);
    topDepth = getMaxChildDepth();
}

BRAVUIDiceRollerWindow::~BRAVUIDiceRollerWindow() {
    for (BRAVUIDiceRollerLine* row : rows) row->eventSignal.disconnect(this);
    clearButton->clickSignal.disconnect(this);
    finishButton->clickSignal.disconnect(this);
    // The rows delete their records with the children; the list only points at them.
    history.clear();
}

void BRAVUIDiceRollerWindow::onRowRolled(UIEvent::Data& event) {
    for (int i = 0; i < rowCount; ++i) {
        if (event.source == rows[i]) rowRolledPending[i] = 1;
    }
}

void BRAVUIDiceRollerWindow::onClearButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) clearPending = 1;
}

void BRAVUIDiceRollerWindow::onFinishButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) finishPending = 1;
}

std::string BRAVUIDiceRollerWindow::historyText(const std::vector<DiceRoll*>& records) {
    std::string text = "[*Roll Results] \n\n";
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        const DiceRoll& record = **it;
        text += "Roll (" + std::to_string(record.count) + record.label + ")" + signedModifier(record.modifier) +
                ": \n";
        for (std::size_t i = 0; i < record.rolls.size(); ++i) {
            if (i > 0) text += ", ";
            text += std::to_string(record.rolls[i]);
        }
        text += signedModifier(record.modifier) + "\n";
        text += "Total: " + std::to_string(record.total) + "\n\n";
    }
    return text;
}

void BRAVUIDiceRollerWindow::update(float dt) {
    if (finishPending) {
        finishPending = 0;
        reportEvent("finish");
    }
    for (int i = 0; i < rowCount; ++i) {
        if (!rowRolledPending[i]) continue;
        rowRolledPending[i] = 0;
        if (rows[i]->latestRoll) {
            history.push_back(rows[i]->latestRoll);
            historyDirty = 1;
        }
    }
    if (historyDirty) {
        historyDirty = 0;
        historyBox->setText(historyText(history));
    }
    if (clearPending) {
        clearPending = 0;
        history.clear();
        for (BRAVUIDiceRollerLine* row : rows) row->clearHistory();
        historyBox->setText("");
    }
    GameUIStandardElement::update(dt);
}
