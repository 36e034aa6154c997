// The factories of the UI renderables, by the class names the UI render paths file uses.
#include "render/renderable_factory.h"
#include "ui_render/ui_outlined_rectangle_renderable.h"
#include "ui_render/ui_pointer_renderable.h"
#include "ui_render/ui_shadowed_outlined_rectangle_renderable.h"
#include "ui_render/ui_simple_rectangle_renderable.h"
#include "ui_render/ui_textured_rectangle_renderable.h"

namespace {

UIRenderableFactory<UISimpleRectangleRenderable> simpleRectangle("UISimpleRectangleRenderable");
UIRenderableFactory<UIOutlinedRectangleRenderable> outlinedRectangle("UIOutlinedRectangleRenderable");
UIRenderableFactory<UIShadowedOutlinedRectangleRenderable> shadowedRectangle("UIShadowedOutlinedRectangleRenderable");
UIRenderableFactory<UIPointerRenderable> pointer("UIPointerRenderable");
UIRenderableFactory<UITexturedRectangleRenderable> texturedRectangle("UITexturedRectangleRenderable");

} // namespace

// Named on the engine's link line, so this file and its factories are part of every program.
extern "C" void zoderud_link_ui_renderables() {}
