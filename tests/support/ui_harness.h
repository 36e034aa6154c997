#pragma once
// Drives the UI toolkit without a GPU: a window manager over the real render interface's update
// side at a fixed screen size, input injected through the real input manager (or as raw records),
// a controllable clock, and read-back of the UI objects and of the events widgets emit.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/direct_input_devices.h"
#include "app/input_manager.h"
#include "app/os_interface_manager.h"
#include "app/parameter_description.h"
#include "app/physics_interface_maker.h"
#include "app/sigslot.h"
#include "app/sound_manager.h"
#include "app/thread_resource_pool.h"
#include "app/ui_context.h"
#include "render/render_interface.h"
#include "ui/game_ui_base_element.h"
#include "ui/ui_event.h"
#include "ui/window_manager.h"

class FakeSoundEngine;
class GameUIFloatingToolTip;
class GameUIStandardElementList;
class MousePointer;
class Theme;

// A copy of one emitted record.
struct RecordedUIEvent {
    std::uint32_t type = 0;
    std::string name;
    std::string parentName;
    GameUIBaseElement* source = nullptr;
    std::uint32_t value = 0;
    std::uint32_t extra = 0;
};

// The keyboard and mouse as the input manager polls them, set by the harness.
class HarnessInputDevices : public InputDevicesInterface {
public:
    const platform::KeyState* keyboardState() const override { return &keys; }
    const platform::KeyStrokes* keyStrokes() const override { return &strokes; }
    const platform::MouseState& mouseState() const override { return mouse; }
    float pointerWindowX() const override { return pointerX; }
    float pointerWindowY() const override { return pointerY; }
    char characterForKey(std::uint8_t code) const override { return characters[code]; }
    void warpPointer(int x, int y) override {
        pointerX = static_cast<float>(x);
        pointerY = static_cast<float>(y);
    }
    void setAbsolutePointer(bool) override {}

    platform::KeyState keys{};
    // The presses of the next poll in typed order; emptied by the poll.
    platform::KeyStrokes strokes;
    platform::MouseState mouse{};
    std::array<char, 256> characters{};
    float pointerX = 0.0f;
    float pointerY = 0.0f;
};

// The operating system as widgets see it: a clipboard whose text a test sets.
class FakeOSInterface : public OSInterfaceManager {
public:
    std::string getClipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    NewPhysicsInterface* createPhysicsInterface() override { return makePhysicsInterface(nullptr); }

    std::string clipboard;
};

class UIHarness : public sigslot::has_slots<> {
public:
    static constexpr float frameTime = 1.0f / 60.0f;

    struct Options {
        std::uint32_t width = 1280;
        std::uint32_t height = 720;
        // The game state's floating tool tip, attached to the window manager.
        bool toolTip = true;
        // A mouse pointer with the shipped mapping.
        bool mousePointer = false;
        std::string themeFolder = WindowManager::themeFolder;
    };

    UIHarness();
    explicit UIHarness(const Options& options);
    ~UIHarness() override;
    UIHarness(const UIHarness&) = delete;
    UIHarness& operator=(const UIHarness&) = delete;

    UIContext& context() { return context_; }
    WindowManager& windowManager() { return *windowManager_; }
    RenderInterface& renderInterface() { return *renderInterface_; }
    InputManager& input() { return *inputManager_; }
    HarnessInputDevices& devices() { return devices_; }
    FakeOSInterface& osInterface() { return osInterface_; }
    FakeSoundEngine& soundEngine() { return *soundEngine_; }
    SoundManager& soundManager() { return *soundManager_; }
    GameUIFloatingToolTip* toolTip() { return toolTip_; }
    MousePointer* mousePointer() { return mousePointer_; }
    ParameterDescriptionRegistry& registry() { return registry_; }
    const Theme* theme(const std::string& name = "default_theme") const { return windowManager_->getTheme(name); }
    std::uint32_t width() const { return options_.width; }
    std::uint32_t height() const { return options_.height; }

    // Lets objects of an image type that has no image file (a textured-rectangle name such as
    // "tex_rect_test_image") be made; the shipped images are registered already.
    void registerImageType(const std::string& typeName);

    // Adds a top-level window; as the modal one when active.
    template <class W>
    W* addWindow(W* window, bool active = false) {
        windowManager_->addWindow(window);
        if (active) windowManager_->setActiveWindow(window);
        return window;
    }

    // Input through the input manager: each call is one poll (which also raises a move record),
    // and its events reach the window manager as a game state hands them on.
    void poll();
    void movePointer(float x, float y);
    void pressButton(std::uint32_t button = 0);
    void releaseButton(std::uint32_t button = 0);
    // Press, step, release, step, at the point.
    void click(float x, float y);
    void clickElement(const GameUIBaseElement& element);
    void hoverElement(const GameUIBaseElement& element);
    void pressKey(std::uint8_t code, char character = 0);
    void releaseKey(std::uint8_t code);
    // Press, step, release, step.
    void tapKey(std::uint8_t code, char character = 0);
    // One tap per character, shift held for capitals.
    void typeString(const std::string& text);
    // The whole text typed between two polls, as a fast typist does: every press in one poll in
    // typed order, the releases at the next.
    void typeQuickly(const std::string& text);
    // Ctrl+V as a typist presses it, with text on the clipboard.
    void paste(const std::string& text);

    // Raw records straight to the window manager; true when handled.
    bool sendMouseButton(MouseEvent::Data event);
    bool sendMouseMove(MouseEvent::Data event);
    bool sendKey(KeyEvent::Data event);
    // What list reports for its row at index: a click of the row (word empty: the row's name) or
    // of one of its buttons (that button's event word), the row as the source, from the list's own
    // signal. An index the list has since moved on from is what a stale report carries (no source
    // when no row is there now).
    static void reportListRow(GameUIStandardElementList& list, std::uint32_t index, const std::string& word = "");
    // A record as the input manager fills it for a pointer at (x, y) in UI units.
    MouseEvent::Data mouseRecord(std::uint32_t type, float x, float y, std::uint32_t button = 0) const;

    // One update cycle: the window manager's update, the pointer's, then the hand-off.
    void step(float dt = frameTime);
    // Run in the hand-off in place of dropping the queued objects, by a test that draws them.
    std::function<void()> renderSide;
    // Steps of dt until seconds have passed.
    void stepSeconds(float seconds, float dt = frameTime);
    float clock() const { return clock_; }

    // Live UI objects in creation order, of one type when given.
    std::vector<RenderInterface::UIObject*> objects(const std::string& type = "") const;
    RenderInterface::UIObject* objectWithString(const std::string& text) const;
    // Depth-first over the windows and their attached and owned children.
    GameUIBaseElement* findElement(const std::string& name) const;
    template <class T>
    T* find(const std::string& name) const {
        return dynamic_cast<T*>(findElement(name));
    }
    static void centreOf(const GameUIBaseElement& element, float out[2]);

    static bool hasParameter(const RenderInterface::UIObject* object, const std::string& name);
    static std::string stringOf(const RenderInterface::UIObject* object, const std::string& name = "string");
    static std::array<float, 4> colourOf(const RenderInterface::UIObject* object, const std::string& name = "colour");
    static std::array<float, 2> vector2Of(const RenderInterface::UIObject* object, const std::string& name);
    static std::int32_t intOf(const RenderInterface::UIObject* object, const std::string& name);
    static std::uint32_t unsignedOf(const RenderInterface::UIObject* object, const std::string& name);
    static bool boolOf(const RenderInterface::UIObject* object, const std::string& name);
    static std::uint32_t layerOf(const RenderInterface::UIObject* object) { return object->renderLayer(); }

    // Records every event the signal emits from now on.
    void record(sigslot::signal1<UIEvent::Data&>& signal);
    const std::vector<RecordedUIEvent>& events() const { return events_; }
    std::size_t countEvents(std::uint32_t type, const std::string& name) const;
    void clearEvents() { events_.clear(); }

private:
    void registerDescriptions();
    void onEvent(UIEvent::Data& event);
    void onKeyEvent(KeyEvent::Data& event) { windowManager_->dispatchKey(event); }
    void onMouseMoveEvent(MouseEvent::Data& event) { windowManager_->dispatchMouseMove(event); }
    void onMouseButtonEvent(MouseEvent::Data& event) { windowManager_->dispatchMouseButton(event); }
    // What the render states do with the queues during the hand-off.
    void drainQueues();

    Options options_;
    ThreadResourcePool pool_;
    ParameterDescriptionRegistry registry_;
    std::unique_ptr<RenderInterface> renderInterface_;
    std::unique_ptr<InputManager> inputManager_;
    std::unique_ptr<SoundManager> soundManager_;
    FakeSoundEngine* soundEngine_ = nullptr;
    HarnessInputDevices devices_;
    FakeOSInterface osInterface_;
    UIContext context_;
    std::unique_ptr<WindowManager> windowManager_;
    GameUIFloatingToolTip* toolTip_ = nullptr;
    MousePointer* mousePointer_ = nullptr;
    std::vector<RecordedUIEvent> events_;
    float clock_ = 0.0f;
    float sinceLastPoll_ = 0.0f;
};
