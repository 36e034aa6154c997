#include "tracker/sheet/bravui_transaction_history_window.h"

#include "rules/character_sheet.h"
#include "tracker/rows/bravui_transacton_history_list_item.h"
#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_standard_element_list.h"

BRAVUITransactionHistoryWindow::BRAVUITransactionHistoryWindow(std::uint32_t tag, UIContext* owner,
                                                               const Theme* theme, const float topLeft[2],
                                                               const float bottomRight[2], const std::string& title,
                                                               std::uint32_t depth, CharacterSheet* sheet)
    : GameUIBaseWindow(tag, owner, theme, "transactionHistoryWindow", title, topLeft, bottomRight, depth, nullptr,
                       true),
      sheet(sheet) {
    const float listTopLeft[2] = {-0.95f, 0.95f}, listBottomRight[2] = {0.95f, -0.7f};
    list = new GameUIStandardElementList(tag, owner, listTopLeft, listBottomRight, theme, "proficienciesList", "",
                                         this, false, "");
    addChild(list);
    if (sheet) {
        list->items.reserve(sheet->wealth.history.size());
        for (const Transaction& transaction : sheet->wealth.history) {
            list->addItem(new BRAVUITransactonHistoryListItem(tag, owner, theme, &transaction, list));
        }
    }

    finishButton = windowparts::addReportingButton(*this, "finishButton", "Finish", "Return to the equipment tab.",
                                                   0.65f, -0.8f, 0.95f, -0.95f,
                                                   &BRAVUITransactionHistoryWindow::onFinishButton);
    topDepth = getMaxChildDepth();
}

BRAVUITransactionHistoryWindow::~BRAVUITransactionHistoryWindow() { finishButton->clickSignal.disconnect(this); }

void BRAVUITransactionHistoryWindow::onFinishButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) closeRequested = 1;
}

void BRAVUITransactionHistoryWindow::update(float dt) {
    if (closeRequested) {
        closeRequested = 0;
        reportEvent(closeEvent);
    }
    GameUIStandardElement::update(dt);
}
