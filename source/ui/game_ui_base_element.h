#pragma once
// The root of every widget: its place in the element tree, its rectangle in its parent's space
// and on screen, its render depth, its flags, and the operations the window manager drives.
#include <cstdint>
#include <string>
#include <vector>

#include "app/key_event.h"
#include "app/mouse_event.h"
#include "app/ui_context.h"
#include "ui/ui_event.h"

class Theme;
class RenderInterface;

class GameUIBaseElement {
public:
    // Render layers an element tree can reach; deeper elements stay at this depth.
    static constexpr std::uint32_t maxDepth = 32;

    GameUIBaseElement(UIContext* owner, const float topLeft[2], const float bottomRight[2], const Theme* theme,
                      const std::string& name, GameUIBaseElement* parent);
    virtual ~GameUIBaseElement();
    GameUIBaseElement(const GameUIBaseElement&) = delete;
    GameUIBaseElement& operator=(const GameUIBaseElement&) = delete;

    // Inclusive of the edges.
    virtual bool containsPoint(float x, float y);
    virtual bool onMouseButton(MouseEvent::Data& event);
    virtual bool onMouseMove(MouseEvent::Data& event);
    virtual bool onKey(KeyEvent::Data& event);
    virtual void onMouseEnter() {}
    virtual void onMouseLeave() {}
    virtual void update(float dt);
    virtual void onEnabled() {}
    virtual void onDisabled() {}
    virtual void onActivated() {}
    virtual void onDeactivated() {}
    virtual const std::string& getToolTipText();
    virtual void setToolTipText(const std::string& text);
    // The base gives the name "null" and touches nothing else.
    virtual void fillEventData(UIEvent::Data& out);
    virtual void onLayoutChanged() {}

    // A point in the parent's space to screen space, in place.
    void localToAbsolute(float point[2]) const;
    // A screen point to this element's own space (its rectangle spans -1..1), clamped to +-1.
    float* absoluteToLocal(float point[2]) const;
    // A length in this element's own space (2 is its full size) to screen units.
    float toAbsoluteWidth(float width) const;
    float toAbsoluteHeight(float height) const;
    void setParent(GameUIBaseElement* newParent);
    void disable();
    void enable();
    void setEnabled(bool enabled) { enabled ? enable() : disable(); }

    // The depth of a child of this element: one more, capped.
    static std::uint32_t childDepth(const GameUIBaseElement* parent);
    // The render interface and window manager reached through the owner (null without one).
    RenderInterface* renderInterface() const;
    WindowManager* windowManager() const;
    // Records the element as newly under the pointer unless it already is the hovered element.
    void reportUnderPointer();
    // The screen size in pixels (1 without a render interface, so sizes stay finite).
    float screenWidth() const;
    float screenHeight() const;
    // One pixel in screen units, horizontally and vertically.
    float pixelWidth() const;
    float pixelHeight() const;

    UIContext* owner;
    GameUIBaseElement* parent;
    std::string name;
    std::string toolTipText;
    float localTopLeft[2];
    float localBottomRight[2];
    float absTopLeft[2];
    float absBottomRight[2];
    std::uint32_t depth = 0;
    std::uint32_t topDepth = 1;
    std::uint8_t disabled = 0;
    std::uint8_t active = 0;
    const Theme* theme;
    std::vector<GameUIBaseElement*> attachedChildren;

private:
    void detachFromParent();
};
