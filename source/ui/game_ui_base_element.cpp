#include "ui/game_ui_base_element.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "render/render_interface.h"
#include "ui/window_manager.h"

GameUIBaseElement::GameUIBaseElement(UIContext* owner, const float topLeft[2], const float bottomRight[2],
                                     const Theme* theme, const std::string& name, GameUIBaseElement* parent)
    : owner(owner), parent(parent), name(name), theme(theme) {
    localTopLeft[0] = absTopLeft[0] = topLeft[0];
    localTopLeft[1] = absTopLeft[1] = topLeft[1];
    localBottomRight[0] = absBottomRight[0] = bottomRight[0];
    localBottomRight[1] = absBottomRight[1] = bottomRight[1];
    if (parent) {
        localToAbsolute(absTopLeft);
        localToAbsolute(absBottomRight);
        parent->attachedChildren.push_back(this);
    }
}

GameUIBaseElement::~GameUIBaseElement() {
    if (WindowManager* manager = windowManager()) manager->forgetElement(this);
    detachFromParent();
    for (GameUIBaseElement* child : attachedChildren) child->parent = nullptr;
}

void GameUIBaseElement::detachFromParent() {
    if (!parent) return;
    // From the back: a container deletes its children last first, so each one is found at the
    // end of the list and leaves without moving the others (closing a list of many rows stays
    // linear).
    auto& siblings = parent->attachedChildren;
    auto found = std::find(siblings.rbegin(), siblings.rend(), this);
    if (found != siblings.rend()) siblings.erase(std::next(found).base());
}

bool GameUIBaseElement::containsPoint(float x, float y) {
    return absTopLeft[0] <= x && x <= absBottomRight[0] && absBottomRight[1] <= y && y <= absTopLeft[1];
}

bool GameUIBaseElement::onMouseButton(MouseEvent::Data&) { return false; }
bool GameUIBaseElement::onMouseMove(MouseEvent::Data&) { return false; }
bool GameUIBaseElement::onKey(KeyEvent::Data&) { return false; }
void GameUIBaseElement::update(float) {}

const std::string& GameUIBaseElement::getToolTipText() { return toolTipText; }
void GameUIBaseElement::setToolTipText(const std::string&) {}
void GameUIBaseElement::fillEventData(UIEvent::Data& out) { out.name = "null"; }

void GameUIBaseElement::localToAbsolute(float point[2]) const {
    for (const GameUIBaseElement* a = parent; a; a = a->parent) {
        const float left = a->localTopLeft[0], top = a->localTopLeft[1];
        const float right = a->localBottomRight[0], bottom = a->localBottomRight[1];
        point[0] = ((point[0] + 1.0f) * 0.5f * ((right - left) * 0.5f) + (left + 1.0f) * 0.5f) * 2.0f - 1.0f;
        point[1] = ((point[1] + 1.0f) * 0.5f * ((top - bottom) * 0.5f) + (bottom + 1.0f) * 0.5f) * 2.0f - 1.0f;
    }
}

float* GameUIBaseElement::absoluteToLocal(float point[2]) const {
    if (parent) parent->absoluteToLocal(point);
    const float left = localTopLeft[0], top = localTopLeft[1];
    const float right = localBottomRight[0], bottom = localBottomRight[1];
    auto half = [](float v) { return std::fabs((v + 1.0f) * 0.5f); };
    float& x = point[0];
    float& y = point[1];
    if (left <= x && x <= right) x = (half(x) - half(left)) / (half(right) - half(left)) * 2.0f - 1.0f;
    else x = x > right ? 1.0f : -1.0f;
    if (bottom <= y && y <= top) y = (half(y) - half(bottom)) / (half(top) - half(bottom)) * 2.0f - 1.0f;
    else y = y < bottom ? -1.0f : 1.0f;
    return point;
}

float GameUIBaseElement::toAbsoluteWidth(float width) const {
    for (const GameUIBaseElement* e = this; e; e = e->parent) width = (e->localBottomRight[0] - e->localTopLeft[0]) * 0.5f * width;
    return width;
}

float GameUIBaseElement::toAbsoluteHeight(float height) const {
    for (const GameUIBaseElement* e = this; e; e = e->parent) height = (e->localTopLeft[1] - e->localBottomRight[1]) * 0.5f * height;
    return height;
}

void GameUIBaseElement::setParent(GameUIBaseElement* newParent) {
    detachFromParent();
    parent = newParent;
    if (parent) parent->attachedChildren.push_back(this);
}

void GameUIBaseElement::disable() {
    if (disabled) return;
    disabled = 1;
    onDisabled();
}

void GameUIBaseElement::enable() {
    if (!disabled) return;
    disabled = 0;
    onEnabled();
}

std::uint32_t GameUIBaseElement::childDepth(const GameUIBaseElement* parent) {
    if (!parent) return 0;
    return parent->depth >= maxDepth ? maxDepth : parent->depth + 1;
}

RenderInterface* GameUIBaseElement::renderInterface() const { return owner ? owner->renderInterface : nullptr; }
WindowManager* GameUIBaseElement::windowManager() const { return owner ? owner->windowManager : nullptr; }

void GameUIBaseElement::reportUnderPointer() {
    WindowManager* manager = windowManager();
    if (manager && manager->underPointer != this) manager->newUnderPointer = this;
}

float GameUIBaseElement::screenWidth() const {
    RenderInterface* ri = renderInterface();
    return ri && ri->updateSettings().width ? static_cast<float>(ri->updateSettings().width) : 1.0f;
}

float GameUIBaseElement::screenHeight() const {
    RenderInterface* ri = renderInterface();
    return ri && ri->updateSettings().height ? static_cast<float>(ri->updateSettings().height) : 1.0f;
}

float GameUIBaseElement::pixelWidth() const { return 2.0f / screenWidth(); }
float GameUIBaseElement::pixelHeight() const { return 2.0f / screenHeight(); }
