#pragma once
// The program's own pointer: a UI object on the top layer that follows the cursor, its image
// chosen by pointer kind through the pointer mapping file.
#include <cstdint>
#include <map>
#include <string>

#include "render/render_interface.h"

class InputManager;
class ThreadResourcePool;

struct PointerTypeEntry {
    // The image name, a key of the pointer images.
    std::string mapped;
    // The hot spot: -1 the image's left (top) edge, 1 its right (bottom) edge.
    std::int32_t horizAlign = -1;
    std::int32_t vertAlign = -1;
};

class MousePointer {
public:
    static constexpr std::uint32_t noType = 18;
    static constexpr std::uint32_t normalType = 4;
    static constexpr const char* mappingFile = "Data\\ui\\layouts\\pointer_mapping.xml";

    MousePointer(InputManager* inputManager, RenderInterface* renderInterface, ThreadResourcePool* pool,
                 std::string name);
    ~MousePointer();
    MousePointer(const MousePointer&) = delete;
    MousePointer& operator=(const MousePointer&) = delete;

    // A missing or foreign file leaves the table as it was.
    void loadPointerMapping(std::string path);
    // Moves the pointer to the cursor's client-area position.
    void updatePosition();
    // Applies the "normal" kind once.
    void setPointerType();
    // The entry of a kind; an empty entry when the table has none.
    PointerTypeEntry& findPointerType(std::uint32_t kind);
    // The kind a mapping id stands for; 0 for unknown ids.
    static std::uint32_t kindOf(const std::string& id);

    RenderInterface* renderInterface;
    RenderInterface::UIObject* pointerObject = nullptr;
    std::string name;
    InputManager* inputManager;
    ThreadResourcePool* pool;
    std::uint32_t currentType = noType;
    std::map<std::uint32_t, PointerTypeEntry> pointerTypes;

private:
    PointerTypeEntry missingEntry_;
};
