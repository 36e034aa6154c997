#include "ui/game_ui_standard_element.h"

#include <algorithm>

namespace {

// The children of every walk in progress on this thread, one walk's after the other's (walks nest
// as input and updates go down the tree). Kept between walks, so a walk allocates nothing.
thread_local std::vector<GameUIBaseElement*> walkedChildren;

} // namespace

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
    // Last first: each child leaves the end of this element's attached list (see the base).
    for (auto child = owned.rbegin(); child != owned.rend(); ++child) delete *child;
}

template <class Visit>
void GameUIStandardElement::forEachChild(Visit visit) {
    const std::size_t start = walkedChildren.size();
    const std::size_t count = children.size();
    walkedChildren.insert(walkedChildren.end(), children.begin(), children.end());
    for (std::size_t i = 0; i < count; ++i) {
        // Indexed: a nested walk may grow the vector and move it.
        GameUIBaseElement* child = walkedChildren[start + i];
        if (!child) continue;
        const bool inPlace = i < children.size() && children[i] == child;
        if (!inPlace && std::find(children.begin(), children.end(), child) == children.end()) continue;
        visit(child);
    }
    walkedChildren.resize(start);
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
    forEachChild([&](GameUIBaseElement* child) { handled = child->onMouseButton(event) || handled; });
    return handled;
}

bool GameUIStandardElement::onMouseMove(MouseEvent::Data& event) {
    if (disabled || !containsPoint(event.x, event.y)) return false;
    bool handled = false;
    forEachChild([&](GameUIBaseElement* child) { handled = child->onMouseMove(event) || handled; });
    if (!handled) reportUnderPointer();
    return true;
}

bool GameUIStandardElement::onKey(KeyEvent::Data& event) {
    if (disabled) return false;
    bool handled = false;
    forEachChild([&](GameUIBaseElement* child) { handled = child->onKey(event) || handled; });
    return handled;
}

void GameUIStandardElement::update(float dt) {
    forEachChild([dt](GameUIBaseElement* child) { child->update(dt); });
    topDepth = getMaxChildDepth();
}

void GameUIStandardElement::onEnabled() {
    forEachChild([](GameUIBaseElement* child) {
        if (!child->disabled) return;
        child->disabled = 0;
        child->onEnabled();
    });
}

void GameUIStandardElement::onDisabled() {
    forEachChild([](GameUIBaseElement* child) {
        if (child->disabled) return;
        child->disabled = 1;
        child->onDisabled();
    });
}

const std::string& GameUIStandardElement::getToolTipText() { return toolTipText; }

void GameUIStandardElement::setToolTipText(const std::string& text) {
    if (&text != &toolTipText) toolTipText = text;
}
