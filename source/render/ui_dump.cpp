#include "render/ui_dump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "app/log.h"
#include "app/simple_parameter_group.h"
#include "platform/file_io.h"
#include "render/render_interface.h"

namespace uidump {

namespace {

// Read from the environment once; the hand-off tests it on every swap.
std::string& dumpPath() {
    static std::string path = [] {
        const char* value = std::getenv("ZODERUD_UI_DUMP");
        return std::string(value ? value : "");
    }();
    return path;
}

template <class P>
const P* parameter(const SimpleParameterGroup* group, const char* name, ParameterKind kind) {
    const BaseParameter* found = group->getParameter(name);
    return found && found->kind() == kind ? static_cast<const P*>(found) : nullptr;
}

// Screen units to pixels from the top-left corner.
long toPixelX(float x, float width) { return std::lround((x + 1.0f) * 0.5f * width); }
long toPixelY(float y, float height) { return std::lround((1.0f - y) * 0.5f * height); }

// Strings are written on one line: line breaks and tabs escaped.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

} // namespace

std::string describeUIObjects(const RenderInterface& renderInterface) {
    const float width = static_cast<float>(renderInterface.updateSettings().width);
    const float height = static_cast<float>(renderInterface.updateSettings().height);
    std::string text = "type\tlayer\tleft\ttop\tright\tbottom\tstring\n";
    char line[256];
    for (const RenderInterface::UIObject* object : renderInterface.liveUIObjects()) {
        if (!object || !object->pair()) continue;
        const SimpleParameterGroup* group = object->pair()->updateGroup();
        long left = 0, top = 0, right = 0, bottom = 0;
        const auto* topLeft = parameter<Vector2Parameter>(group, "topLeft", ParameterKind::Vector2);
        const auto* bottomRight = parameter<Vector2Parameter>(group, "bottomRight", ParameterKind::Vector2);
        const auto* xPos = parameter<UnsignedIntParameter>(group, "xPos", ParameterKind::UnsignedInt);
        const auto* yPos = parameter<UnsignedIntParameter>(group, "yPos", ParameterKind::UnsignedInt);
        if (topLeft && bottomRight) {
            left = toPixelX(topLeft->value[0], width);
            top = toPixelY(topLeft->value[1], height);
            right = toPixelX(bottomRight->value[0], width);
            bottom = toPixelY(bottomRight->value[1], height);
        } else if (xPos && yPos) {
            left = right = static_cast<long>(xPos->value);
            top = bottom = static_cast<long>(yPos->value);
        }
        const auto* string = parameter<StringParameter>(group, "string", ParameterKind::String);
        std::snprintf(line, sizeof line, "\t%u\t%ld\t%ld\t%ld\t%ld\t", object->renderLayer(), left, top, right, bottom);
        text += object->name();
        text += line;
        if (string) text += oneLine(string->value);
        text += '\n';
    }
    return text;
}

bool writeIfChanged(const std::string& path, const std::string& text) {
    static std::mutex mutex;
    static std::unordered_map<std::string, std::string> lastWritten;
    std::lock_guard<std::mutex> lock(mutex);
    std::string& last = lastWritten[path];
    if (last == text) return false;
    std::string error;
    if (!platform::writeFileAtomically(path, text, &error)) {
        LOG_MESSAGE("Unable to write the UI dump %s: %s", path.c_str(), error.c_str());
        return false;
    }
    last = text;
    return true;
}

void setDumpPath(const std::string& path) { dumpPath() = path; }

void atHandOff(const RenderInterface& renderInterface) {
    const std::string& path = dumpPath();
    if (path.empty()) return;
    writeIfChanged(path, describeUIObjects(renderInterface));
}

} // namespace uidump
