#pragma once
// A row of the transaction history: the amount in coins in the left quarter ("[*-3]gp, [*-5]sp",
// as stored, largest coin first) and the description in the right three quarters. The row points
// into the character's history, which must outlive it.
#include <cstdint>
#include <string>

#include "render/render_interface.h"
#include "tracker/rows/bravui_list_item.h"

struct Money;
struct Transaction;

class BRAVUITransactonHistoryListItem : public BRAVUIListItem {
public:
    BRAVUITransactonHistoryListItem(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                    const Transaction* transaction, GameUIBaseElement* parent);
    ~BRAVUITransactonHistoryListItem() override;

    void onEnabled() override;
    void onDisabled() override;
    void placeInList(float left, float right, float top, float bottom, bool activate) override;
    void removeFromList() override;
    std::string getSortKey() override;
    // By total worth in copper, the smaller first.
    bool isLessThan(GameUIBaseListItem* other) override;

    // Each coin that is not zero, platinum first, as "[*count]pp", joined with ", ".
    static std::string amountText(const Money& amount);

    const Transaction* transaction;
    RenderInterface::UIObject* descriptionObject = nullptr;
};
