#pragma once
// What the game render state asks of the UI layer: draw every UI layer into the bound target,
// take over and give up the UI objects the update side made, and refresh their drawing data. The
// UI layer implements it; the render layer never sees how.
#include "render/render_interface.h"

class UIDrawing {
public:
    virtual void draw() = 0;
    // After drawing: the objects' drawing data from their parameters, for the next frame.
    virtual void updateInstances() = 0;
    virtual void addObject(RenderInterface::UIObject* object) = 0;
    // A textured rectangle's image; false when no UI renderable takes it.
    virtual bool prepareImage(RenderInterface::UIObject* object) = 0;
    virtual void removeObject(RenderInterface::UIObject* object) = 0;

protected:
    ~UIDrawing() = default;
};
