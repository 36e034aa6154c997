// The update side's handle to a UI drawing object.
#include "app/simple_parameter_group.h"
#include "render/render_interface.h"

namespace {

UnsignedIntParameter* asUnsignedInt(BaseParameter* parameter) {
    return parameter && parameter->kind() == ParameterKind::UnsignedInt ? static_cast<UnsignedIntParameter*>(parameter)
                                                                          : nullptr;
}

} // namespace

RenderInterface::UIObject::UIObject(ParameterManager::ParameterGroupPair* pair, std::string name)
    : name_(std::move(name)), pair_(pair) {
    if (pair_ && pair_->updateGroup()) {
        pair_->updateGroup()->addUnsignedInt("render_layer", 0);
        pair_->live = true;
    }
}

void RenderInterface::UIObject::setStrings(const std::string& renderableClassName, const std::string& folder,
                                           const std::string& fileName) {
    if (&renderableClassName != &renderableClassName_) renderableClassName_ = renderableClassName;
    if (&folder != &folder_) folder_ = folder;
    if (&fileName != &fileName_) fileName_ = fileName;
    status_ = 0;
}

void RenderInterface::UIObject::setRenderLayer(std::uint32_t layer) {
    if (!pair_) return;
    if (auto* parameter = asUnsignedInt(pair_->updateGroup()->getParameter("render_layer"))) {
        parameter->setValue(layer);
    }
}

std::uint32_t RenderInterface::UIObject::renderLayer() const {
    if (!pair_) return 0;
    auto* parameter = asUnsignedInt(pair_->updateGroup()->getParameter("render_layer"));
    return parameter ? parameter->getValue() : 0;
}
