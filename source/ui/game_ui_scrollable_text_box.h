#pragma once
// A framed block of wrapped text clipped to its box, with a scroll bar on its right edge; its
// owner may switch editing on, and it then edits over several lines, keeping the cursor in view.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/game_ui_standard_element.h"
#include "ui/text_entry.h"

class GameUIScrollBar;

class GameUIScrollableTextBox : public GameUIStandardElement, public sigslot::has_slots<> {
public:
    // Line breaks are stored in the text as the two characters '\' and 'n'.
    static constexpr const char* lineBreak = "\\n";

    GameUIScrollableTextBox(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& name,
                            const std::string& text, const std::string& toolTip, const float topLeft[2],
                            const float bottomRight[2], GameUIBaseElement* parent, std::uint32_t, std::uint32_t,
                            std::uint32_t);
    ~GameUIScrollableTextBox() override;

    void setText(const std::string& newText);

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onKey(KeyEvent::Data& event) override;
    void update(float dt) override;
    void onEnabled() override;
    void onDisabled() override;
    void onActivated() override;
    void onDeactivated() override;
    const std::string& getToolTipText() override;

    sigslot::signal1<UIEvent::Data&> eventSignal;
    UIEvent::Data eventData;
    std::string text;
    std::string toolTip;
    std::string emptyToolTip;
    RenderInterface::UIObject* frameObject = nullptr;
    RenderInterface::UIObject* textObject = nullptr;
    GameUIScrollBar* scrollBar = nullptr;
    std::uint8_t scrollChanged = 0;
    std::uint8_t rebuildScrollBar = 0;
    std::uint8_t editable = 0;
    std::uint8_t activationRequested = 0;
    std::uint8_t placeCursorPending = 0;
    std::uint8_t textChanged = 0;
    std::uint8_t numericOnly = 0;
    std::int32_t cursorPosition = 0;
    float scrollValue = 0.0f;
    float scrollBarWidth = 0.0f;
    float rightInset = 0.0f;
    float scrollStep = 0.0f;
    float clipWidth = 0.0f;
    float clipHeight = 0.0f;
    float clipTopLeft[2] = {0.0f, 0.0f};
    float clipBottomRight[2] = {0.0f, 0.0f};
    float textTopLeft[2] = {0.0f, 0.0f};
    float textBottomRight[2] = {0.0f, 0.0f};
    float textTop = 0.0f;
    float textBottom = 0.0f;
    float textHeight = 0.0f;
    float clickX = 0.0f;
    float clickY = 0.0f;
    std::uint8_t clickPending = 0;
    textentry::KeyRepeat repeat;
    std::string fontName;

private:
    // Whether the text was last measured and shown as an editable box's.
    std::uint8_t shownEditable = 0;
    // The string given to the text object, and indices between it and the text.
    std::string shownText() const;
    std::uint32_t shownIndex(std::int32_t index) const;
    std::int32_t indexOfShown(const std::string& shown, std::uint32_t index) const;
    void measure();
    void makeScrollBar();
    void onScrollBar(UIEvent::Data& event);
    // Puts the text where the scroll value says.
    void placeText();
    void applyTextChange();
    // Scrolls so that the cursor's line lies inside the clip.
    void scrollToCursor();
    bool applyKey(const KeyEvent::Data& event);
    bool pairAt(std::int64_t index) const;
    void insertAtCursor(const std::string& inserted);
    void emit();
};
