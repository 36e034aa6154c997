#include "tracker/rows/bravui_transacton_history_list_item.h"

#include "render/text_markup.h"
#include "rules/wealth.h"
#include "ui/ui_object_params.h"

namespace {

// Share of the row's width that the description takes, on the right.
constexpr float descriptionShare = 0.75f;

} // namespace

BRAVUITransactonHistoryListItem::BRAVUITransactonHistoryListItem(std::uint32_t tag, UIContext* owner,
                                                                 const Theme* theme, const Transaction* transaction,
                                                                 GameUIBaseElement* parent)
    : BRAVUIListItem(tag, owner, theme, "listItem", transaction ? amountText(transaction->amount) : std::string(), "",
                     0, parent),
      transaction(transaction) {}

BRAVUITransactonHistoryListItem::~BRAVUITransactonHistoryListItem() {
    uiobject::destroy(renderInterface(), descriptionObject);
}

std::string BRAVUITransactonHistoryListItem::amountText(const Money& amount) {
    const std::pair<std::int32_t, const char*> coins[] = {
        {amount.platinum, "pp"}, {amount.gold, "gp"}, {amount.electrum, "ep"}, {amount.silver, "sp"}, {amount.copper, "cp"},
    };
    std::string text;
    for (const auto& [count, suffix] : coins) {
        if (count == 0) continue;
        if (!text.empty()) text += ", ";
        text += "[*" + std::to_string(count) + "]" + suffix;
    }
    return text;
}

std::string BRAVUITransactonHistoryListItem::getSortKey() {
    return transaction ? transaction->description : std::string();
}

bool BRAVUITransactonHistoryListItem::isLessThan(GameUIBaseListItem* other) {
    const auto* row = dynamic_cast<BRAVUITransactonHistoryListItem*>(other);
    if (!row || !row->transaction || !transaction) return false;
    return transaction->amount.totalInCopper() < row->transaction->amount.totalInCopper();
}

void BRAVUITransactonHistoryListItem::onEnabled() {
    setTextColours(descriptionObject, true);
    BRAVUIListItem::onEnabled();
}

void BRAVUITransactonHistoryListItem::onDisabled() {
    setTextColours(descriptionObject, false);
    BRAVUIListItem::onDisabled();
}

void BRAVUITransactonHistoryListItem::placeInList(float left, float right, float top, float bottom, bool activate) {
    uiobject::destroy(renderInterface(), descriptionObject);
    BRAVUIListItem::placeInList(left, right, top, bottom, activate);
    // The base's caption is the amount; it keeps the left quarter, the description the rest.
    const float split = absBottomRight[0] - (absBottomRight[0] - absTopLeft[0]) * descriptionShare;
    uiobject::setCorners<TextBoxParameters>(textObject, absTopLeft[0], absTopLeft[1], split, absBottomRight[1]);
    descriptionObject =
        addTextObject(split, absBottomRight[0], transaction ? literalText(transaction->description) : std::string(), -1);
}

void BRAVUITransactonHistoryListItem::removeFromList() {
    BRAVUIListItem::removeFromList();
    uiobject::destroy(renderInterface(), descriptionObject);
}
