#include "tracker/sheet/bravui_sheet_tab.h"

#include <algorithm>

#include "app/ui_context.h"
#include "ui/game_ui_base_window.h"
#include "ui/game_ui_element_group.h"
#include "ui/window_manager.h"

std::uint32_t BRAVUISheetTab::windowDepthOver(const GameUIElementGroup* panel, const UIContext* owner) {
    std::uint32_t deepest = 0;
    if (panel) {
        deepest = panel->getMaxChildDepth();
    } else if (owner && owner->windowManager) {
        deepest = owner->windowManager->getTopDepth();
    }
    return std::min(deepest + 1, GameUIBaseElement::maxDepth);
}

void BRAVUISheetTab::showTabWindow(UIContext* owner, GameUIBaseWindow* window) {
    WindowManager* manager = owner ? owner->windowManager : nullptr;
    if (!manager) return;
    manager->addWindow(window);
    manager->setActiveWindow(window);
}

void BRAVUISheetTab::removeTabWindow(UIContext* owner, GameUIBaseWindow* window) {
    if (WindowManager* manager = owner ? owner->windowManager : nullptr) manager->removeWindow(window);
}
