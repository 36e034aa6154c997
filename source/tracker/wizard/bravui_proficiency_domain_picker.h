#pragma once
// The small modal window in which the player types the domain of a proficiency that needs one
// (the field of a Knowledge, the weapon of a Weapon Focus). "Done" reports the typed text as the
// event name on windowSignal, at once; it stays disabled while the text is empty or names a
// domain the proficiency already has, so one domain cannot be taken twice.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/game_ui_base_window.h"

class GameUIEditableTextLineBox;
class GameUIPushButton;

class BRAVUIProficiencyDomainPicker : public GameUIBaseWindow {
public:
    BRAVUIProficiencyDomainPicker(std::uint32_t tag, UIContext* owner, const Theme* theme, const float topLeft[2],
                                  const float bottomRight[2], const std::string& title, std::uint32_t depth);
    ~BRAVUIProficiencyDomainPicker() override;

    // The domains "Done" refuses, compared as exact strings.
    void setTakenDomains(std::vector<std::string> domains);
    // Text that "Done" would report: not empty and not taken.
    bool acceptsDomain(const std::string& domain) const;

    void update(float dt) override;

    void onDomainLineEvent(UIEvent::Data& event);
    void onDoneButton(UIEvent::Data& event);

    GameUIEditableTextLineBox* domainLine = nullptr;
    GameUIPushButton* doneButton = nullptr;
    std::vector<std::string> takenDomains;
    std::uint8_t textChangedPending = 0;
};
