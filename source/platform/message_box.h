#pragma once
// Error messages for the player. A window when there is a display to show it on; otherwise
// (offscreen, tests, CI) a line on stderr. Never blocks a program with no one to answer.
#include <string>
#include <utility>
#include <vector>

namespace platform {

// title and text are Windows-1252, as every string inside the program.
void showMessageBox(const std::string& title, const std::string& text);

// Tests turn recording on to see what would have been shown.
void recordMessageBoxes(bool on);
std::vector<std::pair<std::string, std::string>> takeRecordedMessageBoxes();

} // namespace platform
