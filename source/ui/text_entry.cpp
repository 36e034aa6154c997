#include "ui/text_entry.h"

#include "app/os_interface_manager.h"
#include "app/ui_context.h"
#include "render/render_interface.h"

namespace textentry {

bool acceptsCharacter(const RenderInterface* renderInterface, char character, bool numericOnly) {
    const unsigned char c = static_cast<unsigned char>(character);
    if (c == 0) return false;
    if (numericOnly) return (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (!renderInterface) return false;
    return renderInterface->glyphCharacterSet().find(character) != std::string::npos;
}

bool isPaste(const KeyEvent::Data& event) {
    if (event.action != KeyEvent::Pressed) return false;
    if (static_cast<unsigned char>(event.character) == ctrlVCharacter) return true;
    return event.ctrl && event.scanCode == keyV;
}

std::string clipboardText(const UIContext* owner) {
    if (!owner || !owner->osInterface) return {};
    return owner->osInterface->getClipboardText();
}

namespace {

std::string replaceLineBreaks(const std::string& text, const std::string& lineBreak, bool tabsToo) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += lineBreak;
        } else if (c == '\n') {
            out += lineBreak;
        } else if (c == '\t' && tabsToo) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string asOneLine(const std::string& text) { return replaceLineBreaks(text, " ", true); }

std::string withStoredLineBreaks(const std::string& text) { return replaceLineBreaks(text, "\\n", false); }

} // namespace textentry
