// The container's child walks while a child's handler adds or removes children: the scroll bar
// whose step deletes its own slider, and a child that deletes or adds siblings in each walk.
// Deleting the children leaves what the container does not own attached, in order.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "probe_element.h"
#include "support/ui_harness.h"
#include "ui/game_ui_image_push_button.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_standard_element.h"

namespace {

TEST(StandardElementWalks, AScrollBarStepThatMakesTheRangeFitRemovesTheSliderSafely) {
    UIHarness ui;
    const float tl[2] = {0.8f, 0.8f}, br[2] = {0.9f, -0.8f};
    auto* bar = ui.addWindow(
        new GameUIScrollBar(0, &ui.context(), ui.theme(), "listItemScrollBar", "", 5, 0, 10, "", tl, br, nullptr));
    ui.record(bar->eventSignal);
    // Five rows with room for ten, shown from the second: one step up scrolls, and then all fit.
    bar->setRange(0, 5, 1, 4, 6, 10);
    ui.step();
    ASSERT_NE(bar->slider, nullptr);
    ui.clickElement(*bar->decrementButton);
    ui.step();
    EXPECT_EQ(bar->position, 0u);
    EXPECT_EQ(bar->slider, nullptr);
    EXPECT_EQ(bar->children.size(), 2u);
    EXPECT_TRUE(bar->decrementButton->disabled);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "decrementButton"), 1u);
}

// A child that, when one chosen walk reaches it, runs an edit on its container.
class EditingChild : public ProbeElement {
public:
    EditingChild(UIContext* owner, const std::string& name, GameUIBaseElement* parent)
        : ProbeElement(owner, name, -1.0f, 1.0f, 1.0f, -1.0f, parent) {}

    bool onMouseButton(MouseEvent::Data& event) override { return edited("button", ProbeElement::onMouseButton(event)); }
    bool onMouseMove(MouseEvent::Data& event) override { return edited("move", ProbeElement::onMouseMove(event)); }
    bool onKey(KeyEvent::Data& event) override { return edited("key", ProbeElement::onKey(event)); }
    void update(float dt) override {
        ProbeElement::update(dt);
        edited("update", false);
    }
    void onDisabled() override {
        ProbeElement::onDisabled();
        edited("disable", false);
    }
    void onEnabled() override {
        ProbeElement::onEnabled();
        edited("enable", false);
    }

    std::string walk;
    std::function<void()> edit;

private:
    bool edited(const char* which, bool result) {
        if (walk == which && edit) {
            auto once = std::move(edit);
            edit = nullptr;
            once();
        }
        return result;
    }
};

TEST(StandardElementWalks, EveryWalkSurvivesAChildThatRemovesOrAddsChildren) {
    enum class Edit { RemoveNextSibling, RemoveItself, RemoveAll, AddMany };
    const char* const walks[] = {"button", "move", "key", "update", "disable", "enable"};
    const Edit edits[] = {Edit::RemoveNextSibling, Edit::RemoveItself, Edit::RemoveAll, Edit::AddMany};
    for (const char* walk : walks) {
        for (Edit edit : edits) {
            SCOPED_TRACE(std::string(walk) + " edit " + std::to_string(static_cast<int>(edit)));
            UIHarness ui;
            const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
            auto* box = ui.addWindow(new GameUIStandardElement(0, &ui.context(), tl, br, ui.theme(), "box", "", nullptr));
            auto* first = new ProbeElement(&ui.context(), "first", -1.0f, 1.0f, 1.0f, -1.0f, box);
            auto* editor = new EditingChild(&ui.context(), "editor", box);
            auto* next = new ProbeElement(&ui.context(), "next", -1.0f, 1.0f, 1.0f, -1.0f, box);
            auto* last = new ProbeElement(&ui.context(), "last", -1.0f, 1.0f, 1.0f, -1.0f, box);
            for (GameUIBaseElement* child : {static_cast<GameUIBaseElement*>(first), static_cast<GameUIBaseElement*>(editor),
                                             static_cast<GameUIBaseElement*>(next), static_cast<GameUIBaseElement*>(last)})
                box->addChild(child);
            std::vector<ProbeElement*> added;
            bool ran = false;
            editor->walk = walk;
            editor->edit = [&, edit] {
                ran = true;
                switch (edit) {
                case Edit::RemoveNextSibling: box->removeChild(next); break;
                case Edit::RemoveItself: box->removeChild(editor); break;
                case Edit::RemoveAll: box->deleteChildren(); break;
                case Edit::AddMany:
                    // Enough to move the vector's storage.
                    for (int i = 0; i < 64; ++i) {
                        added.push_back(new ProbeElement(&ui.context(), "added", -1.0f, 1.0f, 1.0f, -1.0f, box));
                        box->addChild(added.back());
                    }
                    break;
                }
            };
            const std::string w = walk;
            if (w == "enable") {
                box->disable();
                box->disabled = 0;
                box->onEnabled();
            } else if (w == "disable") {
                box->disable();
            } else if (w == "update") {
                ui.step();
            } else if (w == "key") {
                ui.tapKey(30, 'a');
            } else {
                ui.click(0.0f, 0.0f);
            }
            EXPECT_TRUE(ran);
            // Whatever still lives was walked once; what was added waits for the next walk.
            if (edit == Edit::AddMany) {
                ASSERT_EQ(box->children.size(), 68u);
                if (w == "update") {
                    EXPECT_EQ(last->updates, 1);
                    EXPECT_EQ(added.front()->updates, 0);
                }
                if (w == "key") {
                    EXPECT_GE(last->keys, 1);
                }
            }
            if (edit == Edit::RemoveItself || edit == Edit::RemoveNextSibling) {
                ASSERT_EQ(box->children.size(), 3u);
                if (w == "update") {
                    EXPECT_EQ(last->updates, 1);
                }
                if (w == "disable") {
                    EXPECT_NE(last->calls.find("disabled"), std::string::npos);
                }
            }
            if (edit == Edit::RemoveAll) {
                EXPECT_TRUE(box->children.empty());
            }
            ui.windowManager().removeWindow(box);
        }
    }
}

TEST(StandardElementTeardown, DeletingTheChildrenLeavesTheElementsItDoesNotOwnAttachedInOrder) {
    UIHarness ui;
    const float tl[2] = {-0.5f, 0.5f}, br[2] = {0.5f, -0.5f};
    auto* box = ui.addWindow(new GameUIStandardElement(0, &ui.context(), tl, br, ui.theme(), "box", "", nullptr));
    auto probe = [&](const char* name) { return new ProbeElement(&ui.context(), name, -1.0f, 1.0f, 1.0f, -1.0f, box); };
    // Built with the box as parent but owned elsewhere: before, between and after the owned ones.
    std::unique_ptr<ProbeElement> before(probe("before"));
    std::vector<GameUIBaseElement*> owned;
    for (int i = 0; i < 500; ++i) owned.push_back(probe("owned"));
    std::unique_ptr<ProbeElement> between(probe("between"));
    for (int i = 0; i < 500; ++i) owned.push_back(probe("owned"));
    std::unique_ptr<ProbeElement> after(probe("after"));
    for (GameUIBaseElement* child : owned) box->addChild(child);
    box->addChild(nullptr);

    box->removeChild(owned[700]);
    ASSERT_EQ(box->attachedChildren.size(), 1002u);
    box->deleteChildren();
    EXPECT_TRUE(box->children.empty());
    const std::vector<GameUIBaseElement*> left{before.get(), between.get(), after.get()};
    EXPECT_EQ(box->attachedChildren, left);
    for (GameUIBaseElement* element : left) EXPECT_EQ(element->parent, box);
    ui.windowManager().removeWindow(box);
    ui.step();
    for (GameUIBaseElement* element : left) EXPECT_EQ(element->parent, nullptr);
}

} // namespace
