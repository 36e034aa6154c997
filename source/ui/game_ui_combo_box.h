#pragma once
// The drop-down choice box: the shown text with a "v" toggle that opens the options under it as a
// radio group; while open the box is the active window, and a choice reports and closes it.
#include <cstdint>
#include <list>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"

class GameUIToggleButton;
class GameUIToggleGroup;

class GameUIComboBox : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    GameUIComboBox(std::uint32_t tag, UIContext* owner, const Theme* theme, const Theme* optionsTheme,
                   const std::string& name, const std::string& text, const std::string& unused,
                   const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent,
                   const std::string& unused2, const std::string& unused3);
    ~GameUIComboBox() override;

    void addOption(const std::string& option);
    void removeOption(const std::string& option);
    void clearOptions();
    void setCurrentText(const std::string& newText);
    bool isOpen() const { return optionsGroup != nullptr; }

    bool containsPoint(float x, float y) override;
    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data&) override { return false; }
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    const std::string& getToolTipText() override { return emptyToolTip; }

    std::string text;
    std::string emptyToolTip;
    std::uint32_t tag;
    RenderInterface::UIObject* textObject = nullptr;
    RenderInterface::UIObject* frameObject = nullptr;
    RenderInterface::UIObject* dropDownFrameObject = nullptr;
    std::list<std::string> options;
    GameUIToggleButton* showToggle = nullptr;
    GameUIToggleGroup* optionsGroup = nullptr;
    float closedTopLeft[2];
    float closedBottomRight[2];
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    std::uint32_t savedDepth = 0;
    const Theme* optionsTheme;
    std::uint8_t openRequested = 0;
    std::uint8_t closeRequested = 0;
    std::uint8_t optionChosen = 0;
    float darkenAmount = 0.2f;
    float lightenAmount = 0.2f;

private:
    void onToggle(UIEvent::Data& event);
    void onOption(UIEvent::Data& event);
    void open();
    void close();
    void emit(std::uint32_t type, const std::string& eventName);
    void setFrameColours(RenderInterface::UIObject* object, const float colour[4]);
    void setBorders(RenderInterface::UIObject* object);
    void setRectangle(const float topLeft[2], const float bottomRight[2]);
};
