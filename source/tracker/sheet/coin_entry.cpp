#include "tracker/sheet/coin_entry.h"

#include "tracker/typed_count.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_label.h"
#include "ui/game_ui_standard_element.h"

namespace {

struct Coin {
    const char* label;
    const char* labelToolTip;
    const char* boxName;
    const char* boxToolTip;
    std::int32_t Money::*coin;
    float left;
};

constexpr Coin coins[] = {
    {"PP: ", "Platinum Pieces", "platinumEditBox", "the part of the items cost in platinum pieces", &Money::platinum, -0.85f},
    {"GP: ", "Gold Pieces", "goldEditBox", "the part of the items cost in gold pieces", &Money::gold, -0.5f},
    {"EP: ", "Electrum Pieces", "electrumEditBox", "the part of the items cost in electrum pieces", &Money::electrum, -0.15f},
    {"SP: ", "Silver Pieces", "silverEditBox", "the part of the items cost in silver pieces", &Money::silver, 0.2f},
    {"CP: ", "Copper Pieces", "copperEditBox", "the part of the items cost in copper pieces", &Money::copper, 0.55f},
};

// Each coin: its label 0.1 wide, then its box 0.2 wide.
constexpr float labelWidth = 0.1f, boxWidth = 0.2f;

} // namespace

namespace coinentry {

CoinBoxes addCoinBoxes(GameUIStandardElement* parent, UIContext* owner, const Theme* theme, const Money& start,
                       float top, float bottom) {
    CoinBoxes boxes{};
    const std::string font = windowparts::mainFont(*parent);
    for (std::size_t i = 0; i < std::size(coins); ++i) {
        const Coin& coin = coins[i];
        const float labelTopLeft[2] = {coin.left, top}, labelBottomRight[2] = {coin.left + labelWidth, bottom};
        parent->addChild(new GameUILabel(owner, theme, "attributeDescription", coin.label, coin.labelToolTip,
                                         labelTopLeft, labelBottomRight, parent, labelflag::notRightAligned,
                                         labelflag::notCentred, labelflag::vertCentred));
        const float boxLeft = coin.left + labelWidth;
        const float boxTopLeft[2] = {boxLeft, top}, boxBottomRight[2] = {boxLeft + boxWidth, bottom};
        boxes[i] = new GameUIEditableTextLineBox(owner, theme, coin.boxName, std::to_string(start.*coin.coin), font,
                                                 coin.boxToolTip, boxTopLeft, boxBottomRight, parent, true);
        parent->addChild(boxes[i]);
    }
    return boxes;
}

GameUILabel* addMessageLine(GameUIStandardElement* parent, UIContext* owner, const Theme* theme, float top,
                            float bottom) {
    const float topLeft[2] = {-0.85f, top}, bottomRight[2] = {0.85f, bottom};
    auto* label = new GameUILabel(owner, theme, "messageLabel", "", "", topLeft, bottomRight, parent,
                                  labelflag::notRightAligned, labelflag::notCentred, labelflag::vertCentred);
    parent->addChild(label);
    return label;
}

std::optional<Money> readCoins(const CoinBoxes& boxes) {
    Money amount;
    for (std::size_t i = 0; i < std::size(coins); ++i) {
        const std::string& text = boxes[i]->text;
        if (text.empty()) continue;
        const std::optional<std::uint32_t> count = typedcount::parse(text);
        if (!count) return std::nullopt;
        // Nine digits at most, so the count fits the signed coin.
        amount.*coins[i].coin = static_cast<std::int32_t>(*count);
    }
    return amount;
}

} // namespace coinentry
