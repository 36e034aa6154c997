#pragma once
// For acceptance tests that drive the running program from outside: with ZODERUD_UI_DUMP naming a
// file, every hand-off at which the UI changed rewrites that file (atomically) with the live UI
// objects: type, layer, rectangle in pixels and "string". Without the variable nothing is done.
#include <string>

class RenderInterface;

namespace uidump {

// The hand-off's hook; the variable is read once.
void atHandOff(const RenderInterface& renderInterface);
// Replaces the path the variable gave (empty turns the dump off); for tests.
void setDumpPath(const std::string& path);
// The dump text of the live UI objects, one line each, in creation order.
std::string describeUIObjects(const RenderInterface& renderInterface);
// Writes the text when it differs from the last one written to path; true when written.
bool writeIfChanged(const std::string& path, const std::string& text);

} // namespace uidump
