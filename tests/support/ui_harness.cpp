#include "support/ui_harness.h"

#include <cctype>

#include "app/fake_sound_engine.h"
#include "app/parameter_faults.h"
#include "app/simple_parameter_group.h"
#include "app/typed_parameters.h"
#include "platform/input/key_codes.h"
#include "platform/paths.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "ui/game_ui_standard_element.h"
#include "ui/game_ui_base_list_item.h"
#include "ui/game_ui_standard_element_list.h"
#include "ui/mouse_pointer.h"
#include "ui_render/ui_outlined_rectangle_renderable.h"
#include "ui_render/ui_pointer_renderable.h"
#include "ui_render/ui_shadowed_outlined_rectangle_renderable.h"
#include "ui_render/ui_simple_rectangle_renderable.h"
#include "ui_render/ui_text_renderable.h"
#include "ui_render/ui_textured_rectangle_renderable.h"

namespace {

const char* const regularFont = "EBGaramond-Regular_48";
const char* const boldFont = "original-garamond-bold-bt_48";

// Key codes the harness types characters with: a code per character it meets, from 0x10 up,
// clear of the modifier and editing keys.
std::uint8_t codeForCharacter(unsigned char c) {
    static std::map<unsigned char, std::uint8_t> codes;
    static std::uint8_t next = 0x10;
    const unsigned char key = static_cast<unsigned char>(std::tolower(c));
    auto found = codes.find(key);
    if (found != codes.end()) return found->second;
    namespace k = platform::key;
    auto reserved = [](std::uint8_t code) {
        return code == k::Back || code == k::Tab || code == k::Return || code == k::LeftControl ||
               code == k::LeftShift || code == k::RightShift || code == k::LeftAlt || code == k::Escape;
    };
    while (reserved(next)) ++next;
    codes[key] = next;
    return next++;
}

// A test that reads a parameter its object's type lacks has the name wrong: that fails the test.
template <class P>
const P* typedParameter(const RenderInterface::UIObject* object, const std::string& name) {
    if (!object || !object->pair()) return nullptr;
    const SimpleParameterGroup* group = object->pair()->updateGroup();
    const BaseParameter* parameter = group->getParameter(name);
    if (!parameter || parameter->kind() != P::staticKind) {
        parameterfaults::report(group->getName(), name, "reading",
                                parameter ? parameterfaults::otherKind : parameterfaults::missing);
        return nullptr;
    }
    return static_cast<const P*>(parameter);
}

} // namespace

UIHarness::UIHarness() : UIHarness(Options{}) {}

UIHarness::UIHarness(const Options& options) : options_(options), pool_("updatePool"), registry_(&pool_) {
    pool_.takeOwnership();
    renderInterface_ =
        std::make_unique<RenderInterface>(&registry_, &pool_, options.width, options.height,
                                                          platform::currentDirectory().c_str());
    renderInterface_->setOwnerThreadId(platform::currentThreadId());
    renderInterface_->parameterManager()->setOwnerThreadId(platform::currentThreadId());
    renderInterface_->setRenderSettings(options.width, options.height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                        regularFont, boldFont, 0, 0);
    registerDescriptions();
    inputManager_ = std::make_unique<InputManager>(static_cast<int>(options.width), static_cast<int>(options.height),
                                                   &pool_);
    inputManager_->keySignal.connect(this, &UIHarness::onKeyEvent);
    inputManager_->mouseMoveSignal.connect(this, &UIHarness::onMouseMoveEvent);
    inputManager_->mouseButtonSignal.connect(this, &UIHarness::onMouseButtonEvent);
    soundManager_ = std::make_unique<SoundManager>(&pool_);
    auto engine = std::make_unique<FakeSoundEngine>();
    soundEngine_ = engine.get();
    soundManager_->setEngine(std::move(engine));
    soundManager_->setSoundVolume(100);

    context_.renderInterface = renderInterface_.get();
    context_.inputManager = inputManager_.get();
    context_.soundManager = soundManager_.get();
    context_.updatePool = &pool_;
    context_.osInterface = &osInterface_;
    windowManager_ = std::make_unique<WindowManager>(0, options.themeFolder);
    context_.windowManager = windowManager_.get();
    if (options.mousePointer) {
        mousePointer_ = new MousePointer(inputManager_.get(), renderInterface_.get(), &pool_, "mousePointer");
        mousePointer_->loadPointerMapping(MousePointer::mappingFile);
        context_.mousePointer = mousePointer_;
    }
    if (options.toolTip) {
        const float zero[2] = {0.0f, 0.0f};
        toolTip_ = new GameUIFloatingToolTip(&context_, windowManager_->getTheme("default_theme"), "floatingToolTip",
                                             zero, zero, nullptr);
        windowManager_->addWindow(toolTip_);
        windowManager_->toolTip = toolTip_;
    }
    // Put the pointer somewhere neutral: the middle of the screen.
    movePointer(0.0f, 0.0f);
}

UIHarness::~UIHarness() {
    windowManager_.reset();
    delete mousePointer_;
    context_.windowManager = nullptr;
    drainQueues();
}

void UIHarness::registerDescriptions() {
    // The renderables' own descriptions: setting them up needs no device.
    RenderInterface* ri = renderInterface_.get();
    UISimpleRectangleRenderable(&pool_, ri, nullptr).setUpParamDescriptions(&registry_);
    UIOutlinedRectangleRenderable(&pool_, ri, nullptr).setUpParamDescriptions(&registry_);
    UIShadowedOutlinedRectangleRenderable(&pool_, ri, nullptr).setUpParamDescriptions(&registry_);
    UITextRenderable(&pool_, ri, nullptr).setUpParamDescriptions(&registry_);
    UIPointerRenderable(&pool_, ri, nullptr).setUpParamDescriptions(&registry_);
    // The shipped images, under their "tex_rect_" names.
    UITexturedRectangleRenderable images(&pool_, ri, nullptr);
    images.setPathGroup("default", {"Data/graphics/ui/images/"});
    images.setUpParamDescriptions(&registry_);
}

void UIHarness::registerImageType(const std::string& typeName) {
    registerParameterDescription(registry_, TexturedRectangleParameters::describe(typeName, &pool_));
}

void UIHarness::poll() {
    setWindowPointerPosition(static_cast<std::int32_t>(devices_.pointerX), static_cast<std::int32_t>(devices_.pointerY));
    inputManager_->update(devices_, sinceLastPoll_);
    devices_.strokes.clear();
    sinceLastPoll_ = 0.0f;
}

void UIHarness::movePointer(float x, float y) {
    devices_.pointerX = (x + 1.0f) * 0.5f * static_cast<float>(options_.width);
    devices_.pointerY = (1.0f - y) * 0.5f * static_cast<float>(options_.height);
    poll();
}

void UIHarness::pressButton(std::uint32_t button) {
    devices_.mouse.buttons[button] = 0x80;
    poll();
}

void UIHarness::releaseButton(std::uint32_t button) {
    devices_.mouse.buttons[button] = 0;
    poll();
}

void UIHarness::click(float x, float y) {
    movePointer(x, y);
    step();
    pressButton();
    step();
    releaseButton();
    step();
}

void UIHarness::centreOf(const GameUIBaseElement& element, float out[2]) {
    out[0] = (element.absTopLeft[0] + element.absBottomRight[0]) * 0.5f;
    out[1] = (element.absTopLeft[1] + element.absBottomRight[1]) * 0.5f;
}

void UIHarness::clickElement(const GameUIBaseElement& element) {
    float centre[2];
    centreOf(element, centre);
    click(centre[0], centre[1]);
}

void UIHarness::hoverElement(const GameUIBaseElement& element) {
    float centre[2];
    centreOf(element, centre);
    movePointer(centre[0], centre[1]);
    step();
}

void UIHarness::pressKey(std::uint8_t code, char character) {
    devices_.keys[code] = 0x80;
    devices_.characters[code] = character;
    poll();
}

void UIHarness::releaseKey(std::uint8_t code) {
    devices_.keys[code] = 0;
    poll();
}

void UIHarness::tapKey(std::uint8_t code, char character) {
    pressKey(code, character);
    step();
    releaseKey(code);
    step();
}

void UIHarness::typeString(const std::string& text) {
    for (char c : text) {
        // Shift goes down a poll before the letter, as a typist's finger does.
        const bool shifted = std::isupper(static_cast<unsigned char>(c)) != 0;
        if (shifted) pressKey(platform::key::LeftShift);
        tapKey(codeForCharacter(static_cast<unsigned char>(c)), c);
        if (shifted) releaseKey(platform::key::LeftShift);
    }
}

void UIHarness::typeQuickly(const std::string& text) {
    std::vector<std::uint8_t> codes;
    for (char c : text) {
        const std::uint8_t code = codeForCharacter(static_cast<unsigned char>(c));
        devices_.keys[code] = 0x80;
        devices_.characters[code] = c;
        devices_.strokes.push_back({code, c, false, std::isupper(static_cast<unsigned char>(c)) != 0, false});
        codes.push_back(code);
    }
    poll();
    step();
    for (std::uint8_t code : codes) devices_.keys[code] = 0;
    poll();
    step();
}

void UIHarness::paste(const std::string& text) {
    osInterface_.clipboard = text;
    pressKey(platform::key::LeftControl);
    // Under Ctrl the layout types no character.
    tapKey(platform::key::V);
    releaseKey(platform::key::LeftControl);
    step();
}

void UIHarness::reportListRow(GameUIStandardElementList& list, std::uint32_t index, const std::string& word) {
    GameUIBaseListItem* row = index < list.items.size() ? list.items[index] : nullptr;
    UIEvent::Data event;
    event.type = UIEvent::Click;
    event.name = !word.empty() ? word : row ? row->name : std::string();
    event.parentName = list.name;
    event.source = row;
    event.value = index;
    list.eventSignal.emit(event);
}

MouseEvent::Data UIHarness::mouseRecord(std::uint32_t type, float x, float y, std::uint32_t button) const {
    MouseEvent::Data event;
    event.type = type;
    event.windowX = (x + 1.0f) * 0.5f * static_cast<float>(options_.width);
    event.windowY = (1.0f - y) * 0.5f * static_cast<float>(options_.height);
    event.x = x;
    event.y = y;
    event.button = type == MouseEvent::Move ? 0 : button;
    event.down = type == MouseEvent::Press || type == MouseEvent::Held || type == MouseEvent::DoublePress;
    return event;
}

bool UIHarness::sendMouseButton(MouseEvent::Data event) { return windowManager_->dispatchMouseButton(event); }
bool UIHarness::sendMouseMove(MouseEvent::Data event) { return windowManager_->dispatchMouseMove(event); }
bool UIHarness::sendKey(KeyEvent::Data event) { return windowManager_->dispatchKey(event); }

void UIHarness::step(float dt) {
    windowManager_->update(dt);
    if (mousePointer_) mousePointer_->updatePosition();
    clock_ += dt;
    sinceLastPoll_ += dt;
    renderInterface_->swapFrame();
    if (renderSide) {
        renderSide();
    } else {
        drainQueues();
    }
}

void UIHarness::stepSeconds(float seconds, float dt) {
    const float end = clock_ + seconds;
    // A small tolerance so that accumulated rounding does not add a step.
    while (clock_ + dt * 0.5f < end) step(dt);
}

void UIHarness::drainQueues() {
    renderInterface_->uiObjectsToAdd().clear();
    renderInterface_->texturedRectsToAdd().clear();
    for (RenderInterface::UIObject* object : renderInterface_->uiObjectsToDelete()) {
        if (!object) continue;
        renderInterface_->parameterManager()->addPendingDeletion(object->pair());
        delete object;
    }
    renderInterface_->uiObjectsToDelete().clear();
}

std::vector<RenderInterface::UIObject*> UIHarness::objects(const std::string& type) const {
    std::vector<RenderInterface::UIObject*> out;
    for (RenderInterface::UIObject* object : renderInterface_->liveUIObjects()) {
        if (type.empty() || object->name() == type) out.push_back(object);
    }
    return out;
}

RenderInterface::UIObject* UIHarness::objectWithString(const std::string& text) const {
    for (RenderInterface::UIObject* object : renderInterface_->liveUIObjects()) {
        if (hasParameter(object, "string") && stringOf(object) == text) return object;
    }
    return nullptr;
}

namespace {

GameUIBaseElement* findIn(GameUIBaseElement* element, const std::string& name, int depth) {
    if (!element || depth > 64) return nullptr;
    if (element->name == name) return element;
    for (GameUIBaseElement* child : element->attachedChildren) {
        if (GameUIBaseElement* found = findIn(child, name, depth + 1)) return found;
    }
    if (auto* container = dynamic_cast<GameUIStandardElement*>(element)) {
        for (GameUIBaseElement* child : container->children) {
            if (GameUIBaseElement* found = findIn(child, name, depth + 1)) return found;
        }
    }
    return nullptr;
}

} // namespace

GameUIBaseElement* UIHarness::findElement(const std::string& name) const {
    for (GameUIBaseElement* window : windowManager_->windows) {
        if (GameUIBaseElement* found = findIn(window, name, 0)) return found;
    }
    return nullptr;
}

bool UIHarness::hasParameter(const RenderInterface::UIObject* object, const std::string& name) {
    return object && object->pair() && object->pair()->updateGroup()->getParameter(name);
}

std::string UIHarness::stringOf(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<StringParameter>(object, name);
    return parameter ? parameter->value : std::string();
}

std::array<float, 4> UIHarness::colourOf(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<Vector4Parameter>(object, name);
    return parameter ? parameter->value : std::array<float, 4>{};
}

std::array<float, 2> UIHarness::vector2Of(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<Vector2Parameter>(object, name);
    return parameter ? parameter->value : std::array<float, 2>{};
}

std::int32_t UIHarness::intOf(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<IntParameter>(object, name);
    return parameter ? parameter->value : 0;
}

std::uint32_t UIHarness::unsignedOf(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<UnsignedIntParameter>(object, name);
    return parameter ? parameter->value : 0;
}

bool UIHarness::boolOf(const RenderInterface::UIObject* object, const std::string& name) {
    const auto* parameter = typedParameter<BoolParameter>(object, name);
    return parameter && parameter->value;
}

void UIHarness::record(sigslot::signal1<UIEvent::Data&>& signal) { signal.connect(this, &UIHarness::onEvent); }

void UIHarness::onEvent(UIEvent::Data& event) {
    events_.push_back({event.type, event.name, event.parentName, event.source, event.value, event.extra});
}

std::size_t UIHarness::countEvents(std::uint32_t type, const std::string& name) const {
    std::size_t count = 0;
    for (const RecordedUIEvent& event : events_) count += event.type == type && event.name == name ? 1 : 0;
    return count;
}
