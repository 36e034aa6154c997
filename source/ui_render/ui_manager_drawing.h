#pragma once
// The UI manager as the game render state draws the UI: through the render layer's interface.
#include "render/ui_drawing.h"

class UIManager;

class UIManagerDrawing final : public UIDrawing {
public:
    explicit UIManagerDrawing(UIManager* manager) : manager_(manager) {}

    void draw() override;
    void updateInstances() override;
    void addObject(RenderInterface::UIObject* object) override;
    bool prepareImage(RenderInterface::UIObject* object) override;
    void removeObject(RenderInterface::UIObject* object) override;

private:
    UIManager* manager_;
};
