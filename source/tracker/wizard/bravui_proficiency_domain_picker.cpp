#include "tracker/wizard/bravui_proficiency_domain_picker.h"

#include <algorithm>
#include <utility>

#include "render/render_interface.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_push_button.h"
#include "ui/window_manager.h"

BRAVUIProficiencyDomainPicker::BRAVUIProficiencyDomainPicker(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                                             const float topLeft[2], const float bottomRight[2],
                                                             const std::string& title, std::uint32_t depth)
    : GameUIBaseWindow(tag, owner, theme, "domainPickerPanel", title, topLeft, bottomRight, depth, nullptr, false) {
    const float lineTopLeft[2] = {-0.8f, 0.2f}, lineBottomRight[2] = {0.8f, -0.2f};
    domainLine = new GameUIEditableTextLineBox(
        owner, theme, "domainDisplay", "", renderer ? renderer->mainFontName() : std::string(),
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

    const float doneTopLeft[2] = {0.75f, -0.55f}, doneBottomRight[2] = {0.95f, -0.95f};
    doneButton = new GameUIPushButton(owner, theme, "doneButton", "Done", "Finish editing this profciency's domain",
                                      doneTopLeft, doneBottomRight, this);
    doneButton->signalsEnabled = 1;
    doneButton->clickSignal.connect(this, &BRAVUIProficiencyDomainPicker::onDoneButton);
    addChild(doneButton);
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
        const bool accepted = acceptsDomain(domainLine->text);
        if (accepted && doneButton->disabled) {
            doneButton->disabled = 0;
            doneButton->onEnabled();
        } else if (!accepted) {
            doneButton->disable();
        }
    }
    GameUIStandardElement::update(dt);
}
