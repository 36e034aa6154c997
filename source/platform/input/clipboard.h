#pragma once
// The system clipboard's text, as the program's Windows-1252 text. SDL allows these calls on the
// main thread only.
#include <atomic>
#include <string>

namespace platform {

// Empty when the clipboard holds no text (or there is no video system to ask).
std::string clipboardText();
// Puts the text on the clipboard; nothing without a video system.
void setClipboardText(const std::string& windows1252);

// Notes, from the window's events, when the clipboard may hold other text than when it was last
// read: another program copied, or the window got the focus back.
class ClipboardWatcher {
public:
    ClipboardWatcher();
    ~ClipboardWatcher();
    ClipboardWatcher(const ClipboardWatcher&) = delete;
    ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

    // True once after each possible change; true at first, when nothing was read yet.
    bool takeChanged() { return changed_.exchange(false); }

private:
    int observerId_ = 0;
    std::atomic<bool> changed_{true};
};

} // namespace platform
