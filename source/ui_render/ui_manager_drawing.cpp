#include "ui_render/ui_manager_drawing.h"

#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

void UIManagerDrawing::draw() { manager_->draw(); }

void UIManagerDrawing::updateInstances() {
    for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
}

void UIManagerDrawing::addObject(RenderInterface::UIObject* object) { manager_->addInstance(object); }

bool UIManagerDrawing::prepareImage(RenderInterface::UIObject* object) {
    return manager_->prepareObject(object->renderableClassName(), object->folder(), object->fileName(),
                                   object->pair()->updateGroup());
}

void UIManagerDrawing::removeObject(RenderInterface::UIObject* object) { manager_->removeInstance(object); }
