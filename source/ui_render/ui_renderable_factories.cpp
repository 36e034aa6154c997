// The factories of the UI renderables, by the class names the UI render paths file uses.
#include "render/renderable_factory.h"
#include "ui_render/ui_colour_selection_rectangle_renderable.h"
#include "ui_render/ui_fullscreen_image_renderable.h"
#include "ui_render/ui_geographic_tintable_regions_map_renderable.h"
#include "ui_render/ui_hue_selection_strip_renderable.h"
#include "ui_render/ui_menu_item_renderable.h"
#include "ui_render/ui_multi_colour_tintable_image_renderable.h"
#include "ui_render/ui_multi_colourisable_image_renderable.h"
#include "ui_render/ui_outlined_rectangle_renderable.h"
#include "ui_render/ui_pannable_zoomable_large_image_renderable.h"
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
UIRenderableFactory<UIMenuItemRenderable> menuItem("UIMenuItemRenderable");
UIRenderableFactory<UIMultiColourisableImageRenderable> colourisableImage("UIMultiColourisableImageRenderable");
UIRenderableFactory<UIFullscreenImageRenderable> fullscreenImage("UIFullscreenImageRenderable");
UIRenderableFactory<UIGeographicTintableRegionsMapRenderable> regionsMap("UIGeographicTintableRegionsMapRenderable");
UIRenderableFactory<UIPannableZoomableLargeImageRenderable> pannableImage("UIPannableZoomableLargeImageRenderable");
UIRenderableFactory<UIMultiColourTintableImageRenderable> tintableImage("UIMultiColourTintableImageRenderable");
UIRenderableFactory<UIColourSelectionRectangleRenderable> colourSelection("UIColourSelectionRectangleRenderable");
UIRenderableFactory<UIHueSelectionStripRenderable> hueStrip("UIHueSelectionStripRenderable");

} // namespace

// Named on the engine's link line, so this file and its factories are part of every program.
extern "C" void zoderud_link_ui_renderables() {}
