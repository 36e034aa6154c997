#include "ui/game_ui_standard_element.h"

#include <algorithm>

GameUIStandardElement::GameUIStandardElement(std::uint32_t tag, UIContext* owner, const float topLeft[2],
                                             const float bottomRight[2], const Theme* theme, const std::string& name,
                                             const std::string& toolTip, GameUIBaseElement* parent)
    : GameUIBaseElement(owner, topLeft, bottomRight, theme, name, parent), tag(tag) {
    toolTipText = toolTip;
}

GameUIStandardElement::~GameUIStandardElement() { deleteChildren(); }

void GameUIStandardElement::addChild(GameUIBaseElement* child) { children.push_back(child); }

void GameUIStandardElement::removeChild(GameUIBaseElement* child) {
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) return;
    children.erase(found);
    delete child;
}

void GameUIStandardElement::deleteChildren() {
    // A child's destructor may look at its siblings through the parent: empty the list first.
    std::vector<GameUIBaseElement*> owned;
    owned.swap(children);
    for (GameUIBaseElement* child : owned) delete child;
}

std::uint32_t GameUIStandardElement::getMaxChildDepth() const {
    std::uint32_t top = 0;
    for (const GameUIBaseElement* child : children) {
        if (child) top = std::max(top, child->topDepth);
    }
    return top;
}

bool GameUIStandardElement::onMouseButton(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y) || children.empty()) return false;
    bool handled = false;
    for (GameUIBaseElement* child : children) handled = child->onMouseButton(event) || handled;
    return handled;
}

bool GameUIStandardElement::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    bool handled = false;
    for (GameUIBaseElement* child : children) handled = child->onMouseMove(event) || handled;
    if (!handled) reportUnderPointer();
    return true;
}

bool GameUIStandardElement::onKey(KeyEvent::Data& event) {
    if (disabled) return false;
    bool handled = false;
    for (GameUIBaseElement* child : children) handled = child->onKey(event) || handled;
    return handled;
}

void GameUIStandardElement::update(float dt) {
    for (GameUIBaseElement* child : children) child->update(dt);
    topDepth = getMaxChildDepth();
}

void GameUIStandardElement::onEnabled() {
    for (GameUIBaseElement* child : children) {
        if (!child->disabled) continue;
        child->disabled = 0;
        child->onEnabled();
    }
}

void GameUIStandardElement::onDisabled() {
    for (GameUIBaseElement* child : children) {
        if (child->disabled) continue;
        child->disabled = 1;
        child->onDisabled();
    }
}

const std::string& GameUIStandardElement::getToolTipText() { return toolTipText; }

void GameUIStandardElement::setToolTipText(const std::string& text) {
    if (&text != &toolTipText) toolTipText = text;
}
