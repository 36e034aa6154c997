// The update side's handle to a UI drawing object.
#include <new>
#include <sanitizer/asan_interface.h>

#include "app/simple_parameter_group.h"
#include "render/render_interface.h"

namespace {

const std::string& noText() {
    static const std::string empty;
    return empty;
}

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

void* RenderInterface::UIObject::operator new(std::size_t size, ParameterManager::ParameterGroupPair* pair) {
    if (!pair || pair->handleRoomSize() < size) throw std::bad_alloc();
    return pair->handleRoom();
}

void RenderInterface::UIObject::operator delete(void*, ParameterManager::ParameterGroupPair*) {}

void RenderInterface::UIObject::operator delete(void* memory, std::size_t size) {
    // Until the pair goes, the sanitizer reports a use of the deleted object as it would a use of freed memory.
    ASAN_POISON_MEMORY_REGION(memory, size);
}

void RenderInterface::UIObject::setStrings(const std::string& renderableClassName, const std::string& folder,
                                           const std::string& fileName) {
    if (!image_) image_ = std::make_unique<Image>();
    if (&renderableClassName != &image_->renderableClassName) image_->renderableClassName = renderableClassName;
    if (&folder != &image_->folder) image_->folder = folder;
    if (&fileName != &image_->fileName) image_->fileName = fileName;
    status_ = 0;
}

const std::string& RenderInterface::UIObject::renderableClassName() const {
    return image_ ? image_->renderableClassName : noText();
}

const std::string& RenderInterface::UIObject::folder() const { return image_ ? image_->folder : noText(); }

const std::string& RenderInterface::UIObject::fileName() const { return image_ ? image_->fileName : noText(); }

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
