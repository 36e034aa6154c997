#include "tracker/wizard/bravui_proficiency_domain_picker.h"

#include <algorithm>
#include <utility>

#include "tracker/wizard/window_parts.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

BRAVUIProficiencyDomainPicker::BRAVUIProficiencyDomainPicker(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const float topLeft[2], const float bottomRight[2],
                                                             const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "domainPickerPanel", title, topLeft, bottomRight, depth, nullptr, false) {
    const float lineTopLeft[2] = {-0.8f, 0.2f}, lineBottomRight[2] = {0.8f, -0.2f};
    domainLine = new GameUIEditableTextLineBox(
        owner, theme, "domainDisplay", "", windowparts::mainFont(*this),
        "Enter the domain over which this proficiency will apply. e.g. in Knowledge (Political Economy) the domain "
        "is 'Political Economy'",
        lineTopLeft, lineBottomRight, this, false);
    domainLine->eventSignal.connect(this, &BRAVUIProficiencyDomainPicker::onDomainLineEvent);
    addChild(domainLine);
    // Typing goes into the line without a click first.
    if (WindowManager* manager = windowManager()) {
        manager->pendingFocusElement = domainLine;
        manager->focusRequested = 1;
    }

    doneButton = windowparts::addReportingButton(*this, "doneButton", "Done", "Finish editing this profciency's domain",
                                                 0.75f, -0.55f, 0.95f, -0.95f,
                                                 &BRAVUIProficiencyDomainPicker::onDoneButton);
    doneButton->disable();
    topDepth = getMaxChildDepth();
}

BRAVUIProficiencyDomainPicker::~BRAVUIProficiencyDomainPicker() {
    domainLine->eventSignal.disconnect(this);
    doneButton->clickSignal.disconnect(this);
}

void BRAVUIProficiencyDomainPicker::setTakenDomains(std::vector<std::string> domains) {
    takenDomains = std::move(domains);
    textChangedPending = 1;
}

bool BRAVUIProficiencyDomainPicker::acceptsDomain(const std::string& domain) const {
    return !domain.empty() && std::find(takenDomains.begin(), takenDomains.end(), domain) == takenDomains.end();
}

void BRAVUIProficiencyDomainPicker::onDomainLineEvent(UIEvent::Data&) { textChangedPending = 1; }

void BRAVUIProficiencyDomainPicker::onDoneButton(UIEvent::Data& event) {
    // A key and a click in one poll reach here before the update has judged the new text.
    if (event.type != UIEvent::Click || !acceptsDomain(domainLine->text)) return;
    reportEvent(domainLine->text);
}

void BRAVUIProficiencyDomainPicker::update(float dt) {
    if (textChangedPending) {
        textChangedPending = 0;
        doneButton->setEnabled(acceptsDomain(domainLine->text));
    }
    GameUIStandardElement::update(dt);
}
