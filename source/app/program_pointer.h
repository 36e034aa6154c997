#pragma once
// Whether the program's own mouse pointer is on screen. The window hides the system cursor over
// its client area only while it is, so the user never loses the pointer.
namespace programpointer {

void setDrawn(bool drawn);
bool drawn();

} // namespace programpointer
