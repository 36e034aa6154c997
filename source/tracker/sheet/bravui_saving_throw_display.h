#pragma once
// The small read-only stat displays of the core statistics tab: a caption on the left and the
// number in a boxed field on the right. A value outside the display's range shows "0". They
// report nothing; their box takes no typing.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "ui/game_ui_base_element.h"

class GameUIEditableTextLineBox;
class GameUILabel;

class BRAVUIStatDisplay : public GameUIBaseElement, public sigslot::has_slots<> {
public:
    ~BRAVUIStatDisplay() override;

    bool onMouseButton(MouseEvent::Data& event) override;
    bool onMouseMove(MouseEvent::Data& event) override;
    void update(float dt) override;

    // "0" outside 1..highest.
    static std::string valueText(std::int32_t value, std::int32_t highest);

    GameUILabel* captionLabel = nullptr;
    GameUIEditableTextLineBox* valueBox = nullptr;

protected:
    BRAVUIStatDisplay(UIContext* owner, const Theme* theme, const std::string& name, const std::string& caption,
                      const std::string& toolTip, std::int32_t value, std::int32_t highest, const float topLeft[2],
                      const float bottomRight[2], GameUIBaseElement* parent, const char* captionId,
                      const char* boxId, float boxRight);
};

// A saving or attack throw: 1 to 20.
class BRAVUISavingThrowDisplay : public BRAVUIStatDisplay {
public:
    static constexpr std::int32_t highestValue = 20;

    BRAVUISavingThrowDisplay(UIContext* owner, const Theme* theme, const std::string& name,
                             const std::string& caption, const std::string& toolTip, std::int32_t value,
                             const float topLeft[2], const float bottomRight[2], GameUIBaseElement* parent);
};
