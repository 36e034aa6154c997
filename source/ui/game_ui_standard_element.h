#pragma once
// The container element: owns its children and passes input, updates and enable/disable down to them.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/game_ui_base_element.h"

class GameUIStandardElement : public GameUIBaseElement {
public:
    GameUIStandardElement(std::uint32_t tag, UIContext* owner, const float topLeft[2], const float bottomRight[2],
                          const Theme* theme, const std::string& name, const std::string& toolTip,
                          GameUIBaseElement* parent);
    ~GameUIStandardElement() override;

    // The container owns what it is given.
    void addChild(GameUIBaseElement* child);
    // Deletes a child; a pointer that is not one changes nothing.
    void removeChild(GameUIBaseElement* child);
    void deleteChildren();
    std::uint32_t getMaxChildDepth() const;

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    const std::string& getToolTipText() override;
    void setToolTipText(const std::string& text) override;

    std::uint32_t tag;
    std::vector<GameUIBaseElement*> children;

private:
    // Calls visit on every child listed when the walk begins that is still a child when its turn
    // comes. A child's handler may add or remove children (a scroll-bar step deletes or makes the
    // slider), so the walk never reaches a removed child, nor one added during it.
    template <class Visit>
    void forEachChild(Visit visit);
};
