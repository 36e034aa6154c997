#pragma once
// The one-line text entry: a framed line of text edited from the keyboard while it holds the edit
// focus, showing a "..." window of a text too wide for it so that the cursor stays in view.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"
#include "ui/text_entry.h"

class GameUIEditableTextLineBox : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    GameUIEditableTextLineBox(UIContext* owner, const Theme* theme, const std::string& name, const std::string& text,
                              const std::string& fontName, const std::string& toolTip, const float topLeft[2],
                              const float bottomRight[2], GameUIBaseElement* parent, bool numericOnly);
    ~GameUIEditableTextLineBox() override;

    void setText(const std::string& newText);

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;
    const std::string& getToolTipText() override;
    void setToolTipText(const std::string&) override {}

    std::string toolTip;
    std::string emptyToolTip;
    std::string text;
    std::string fontName;
    RenderInterface::UIObject* textObject = nullptr;
    RenderInterface::UIObject* frameObject = nullptr;
    std::int32_t displayCursorPosition = 0;
    std::int32_t cursorPosition = 0;
    std::uint8_t changed = 0;
    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    std::uint32_t fittingCount = 0;
    std::uint8_t numericOnly;
    std::uint8_t activationRequested = 0;
    std::uint8_t editable = 1;
    float innerWidth = 0.0f;
    std::string displayText;
    std::uint8_t placeCursorPending = 0;
    float clickX = 0.0f;
    float clickY = 0.0f;
    std::uint8_t clickPending = 0;
    float textTopLeft[2] = {0.0f, 0.0f};
    textentry::KeyRepeat repeat;

private:
    void rebuildShown();
    // Shows the string (the text or its window) with the cursor before the character at cursor.
    void showString(const std::string& shown, std::int32_t cursor);
    // The window of the text shown when it is wider than the box.
    void buildWindow();
    std::uint32_t countFitting(const std::string& s, float width) const;
    float measureWidth(const std::string& s) const;
    // Acts on an editing or character key; true when something changed or moved.
    bool applyKey(const KeyEvent::Data& event);
    void insertAtCursor(const std::string& inserted);
    void emit();
};
