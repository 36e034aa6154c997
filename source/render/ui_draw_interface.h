#pragma once
// What the render side asks of the UI's drawing: the render states file the hand-off's UI objects
// with it and have it draw them; the render task loads it, passes device loss and reset on and
// frees it. The UI layer above implements it (its UI manager), so the render layer never
// includes that layer.
#include <string>
#include <vector>

#include "render/render_interface.h"

class ParameterDescriptionRegistry;
class SimpleParameterGroup;

// One image save done on the render side: the object's pair and whether the file was written.
struct UIImageSaveOutcome {
    const ParameterManager::ParameterGroupPair* pair = nullptr;
    bool saved = false;
};

class UIDrawInterface {
public:
    virtual ~UIDrawInterface() = default;

    // Loads the drawing of every UI object type the render paths file lists.
    virtual void loadRenderPaths(ParameterDescriptionRegistry* registry, const std::string& path) = 0;
    // Frees what lives on the device; before the device goes.
    virtual void destroyRenderables() = 0;
    virtual void onLostDevice() = 0;
    virtual void onResetDevice() = 0;

    // Between the device's begin and end of scene: every UI layer, bottom first.
    virtual void draw() = 0;
    // After a frame: what the objects' parameters now say is drawn from the next frame on.
    virtual void updateInstances() = 0;

    // Files a queued object with what draws its type; an unknown type is never drawn.
    virtual void addInstance(RenderInterface::UIObject* object) = 0;
    // Takes the object out of what drew it.
    virtual void removeInstance(RenderInterface::UIObject* object) = 0;
    // Asks the drawing of that class to take a textured rectangle; true when it did.
    virtual bool prepareObject(const std::string& renderableClassName, const std::string& folder,
                               const std::string& fileName, SimpleParameterGroup* group) = 0;
    // The image saves done since the last call, by pair (render thread, hand-off).
    virtual std::vector<UIImageSaveOutcome> takeSaveOutcomes() = 0;
};
