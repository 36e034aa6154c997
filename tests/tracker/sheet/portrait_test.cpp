// The character portrait with a real render side on the offscreen driver: the image file
// dialog, a chosen picture written as the 256 by 256 PNG beside the character, and the popups
// and the untouched old file when the picture cannot be read or the PNG cannot be written.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/graphics_system.h"
#include "platform/image/image_file.h"
#include "render/device_global.h"
#include "render/render_state_front_end.h"
#include "rules/character_class_catalogue.h"
#include "rules/character_sheet.h"
#include "rules/equipment_catalogue.h"
#include "rules/proficiency_catalogue.h"
#include "rules/spell_catalogue.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "tracker/brav_config.h"
#include "tracker/sheet/character_portrait.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui_render/ui_manager.h"
#include "ui_render/ui_renderable.h"

namespace {

constexpr std::uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu, green = 0xFF00FF00u;

bool near(std::uint32_t actual, std::uint32_t expected, int tolerance = 24) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((actual >> shift) & 255) - int((expected >> shift) & 255)) > tolerance) return false;
    }
    return true;
}

// Left half red, right half blue, as the JPEG fixture.
image::Image halves(int width, int height) {
    image::Image picture{width, height};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.argb[std::size_t(y * width + x)] = x < width / 2 ? red : blue;
    }
    return picture;
}

image::Image filled(int width, int height, std::uint32_t colour) {
    image::Image picture{width, height};
    picture.argb.assign(std::size_t(width * height), colour);
    return picture;
}

// The UI manager and front end of the program on an offscreen device, run in the harness's hand-off.
class OffscreenRenderSide {
public:
    explicit OffscreenRenderSide(UIHarness& ui) : ui_(ui) {}

    void start() {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("portrait test", 0, 0, int(ui_.width()), int(ui_.height()),
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        system_ = gfx::GraphicsSystem::create();
        ASSERT_NE(system_, nullptr);
        gfx::PresentParameters parameters{};
        parameters.backBufferWidth = ui_.width();
        parameters.backBufferHeight = ui_.height();
        parameters.deviceWindow = window_;
        ASSERT_EQ(system_->createDevice(0, gfx::DeviceType::Hal, window_, gfx::CreateFlags::HardwareVertexProcessing,
                                        parameters, &deviceGlobal),
                  gfx::Result::Ok);
        createVertexDeclarations();
        RenderInterface& ri = ui_.renderInterface();
        ri.renderSettings().width = ui_.width();
        ri.renderSettings().height = ui_.height();
        manager_ = std::make_unique<UIManager>(&pool_, &ri);
        manager_->loadRenderPaths(&ui_.registry(),
                                  paths_.write("render_paths.xml", "<RenderPaths><UITexturedRectangleRenderable/></RenderPaths>"));
        frontEnd_ = std::make_unique<RenderStateFrontEnd>(&pool_, "frontEnd", nullptr, &ui_.registry(), &ri,
                                                          manager_.get(), ui_.width(), ui_.height());
        ui_.renderSide = [this] { drawFrame(); };
    }

    void stop() {
        ui_.renderSide = nullptr;
        frontEnd_.reset();
        if (manager_) manager_->destroyRenderables();
        manager_.reset();
        releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        gfx::safeRelease(system_);
        if (window_) SDL_DestroyWindow(window_);
        window_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // The colour at pixel (x, y) of the last frame drawn, y down.
    std::uint32_t pixel(int x, int y) {
        std::vector<std::uint32_t> pixels;
        gfx::Surface* back = nullptr;
        deviceGlobal->getBackBuffer(&back);
        deviceGlobal->readSurface(back, pixels);
        back->release();
        return pixels.at(std::size_t(y) * ui_.width() + std::size_t(x));
    }

private:
    void drawFrame() {
        frontEnd_->processPendingObjects();
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target, 0xFF000000, 1.0f, 0);
        device->beginScene();
        manager_->draw();
        device->endScene();
        for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
    }

    UIHarness& ui_;
    TempFolder paths_;
    ThreadResourcePool pool_{"renderPool"};
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    std::unique_ptr<UIManager> manager_;
    std::unique_ptr<RenderStateFrontEnd> frontEnd_;
};

// While it lives, folder is read-only and no file of this process may grow: the super-user
// writes into read-only folders, but not past the file-size limit, which holds for everyone. A
// write past it fails instead of ending the process.
class NothingWritten {
public:
    explicit NothingWritten(std::string folder) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NothingWritten() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
    NothingWritten(const NothingWritten&) = delete;
    NothingWritten& operator=(const NothingWritten&) = delete;

private:
    std::string folder_;
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

class PortraitTest : public ::testing::Test {
protected:
    PortraitTest()
        : config(nullptr, "BRAV Zoderud"), classes("", nullptr, nullptr), proficiencies(""), equipment(""), spells(""),
          character(nullptr, classes, proficiencies, equipment, spells), renderSide(ui) {}

    void SetUp() override {
        renderSide.start();
        character.setFilePath(files.makeFolder("saves") + "hero.xml");
        config.LastSavedFilePath = character.filePath;
        const float topLeft[2] = {-0.9025f, 0.8225f}, bottomRight[2] = {0.9025f, -0.7075f};
        panel = ui.addWindow(new GameUIElementGroup(0, 0, &ui.context(), ui.theme(), "innerPanelGroup", "", topLeft,
                                                    bottomRight, nullptr));
        portrait = std::make_unique<CharacterPortrait>(0, &ui.context(), ui.theme(), &config, &character);
    }

    void TearDown() override {
        portrait.reset();
        ui.step();
        renderSide.stop();
    }

    void step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            portrait->update();
            ui.step();
        }
    }

    void attach() {
        portrait->attach(panel);
        step();
    }

    // Change Portrait, then the file typed into the dialog and Open pressed; enough frames for
    // the picture to load and its save to be reported.
    void choose(const std::string& folder, const std::string& file) {
        portrait->openFileDialog();
        step();
        GameUILoadFileDialog* dialog = portrait->fileDialog;
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentPath(folder);
        dialog->currentFileTextBox->setText(file);
        ui.clickElement(*dialog->okButton);
        step(6);
        EXPECT_EQ(portrait->fileDialog, nullptr);
    }

    std::string writeImage(const std::string& folder, const std::string& file, const image::Image& picture) {
        const std::string path = files.makeFolder(folder) + file;
        EXPECT_TRUE(image::savePngFile(path, picture));
        return path;
    }

    // The portrait file as a picture: its size and a pixel of each half, checked by the caller.
    image::Image savedPortrait() const {
        image::Image picture;
        image::loadImageFile(character.portraitPath, picture);
        return picture;
    }

    // The frame's picture on screen: a pixel in the middle of its left and of its right half.
    std::uint32_t shownLeft() { return renderSide.pixel(120, 172); }
    std::uint32_t shownRight() { return renderSide.pixel(195, 172); }

    UIHarness ui;
    TempFolder files;
    BRAVConfig config;
    CharacterClassCatalogue classes;
    ProficiencyCatalogue proficiencies;
    EquipmentCatalogue equipment;
    SpellCatalogue spells;
    CharacterSheet character;
    OffscreenRenderSide renderSide;
    GameUIElementGroup* panel = nullptr;
    std::unique_ptr<CharacterPortrait> portrait;
};

TEST_F(PortraitTest, TheImageFileDialog) {
    attach();
    portrait->openFileDialog();
    step();
    GameUILoadFileDialog* dialog = portrait->fileDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->name, "loadFileDialog");
    EXPECT_EQ(dialog->title, "Choose a file to load...");
    EXPECT_EQ(dialog->currentFilter, "Image Files");
    EXPECT_EQ(dialog->filters.at("Image Files").extensions, (std::vector<std::string>{"png", "jpg", "bmp", "tga"}));
    EXPECT_EQ(ui.windowManager().activeWindow, dialog);
    ui.clickElement(*dialog->cancelButton);
    step(2);
    EXPECT_EQ(portrait->fileDialog, nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(files.path() + "saves"));
}

TEST_F(PortraitTest, ChosenPictureBecomesThe256PixelPngAndIsShown) {
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"png", writeImage("pictures", "wide.png", halves(64, 32))},
        {"jpg", std::string(ZODERUD_TEST_DATA_DIR) + "/portrait/halves.jpg"},
    };
    attach();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(character.portraitPath);
        const std::filesystem::path chosen(c.path);
        choose(chosen.parent_path().string() + "/", chosen.filename().string());
        EXPECT_EQ(portrait->errorPopup, nullptr);
        const image::Image saved = savedPortrait();
        ASSERT_EQ(saved.width, 256);
        ASSERT_EQ(saved.height, 256);
        EXPECT_TRUE(near(saved.at(20, 128), red)) << std::hex << saved.at(20, 128);
        EXPECT_TRUE(near(saved.at(235, 128), blue)) << std::hex << saved.at(235, 128);
        EXPECT_TRUE(near(shownLeft(), red)) << std::hex << shownLeft();
        EXPECT_TRUE(near(shownRight(), blue)) << std::hex << shownRight();
    }
}

TEST_F(PortraitTest, AttachShowsThePortraitFileAndDetachRemovesIt) {
    image::savePngFile(character.portraitPath, filled(256, 256, green));
    attach();
    EXPECT_TRUE(near(shownLeft(), green)) << std::hex << shownLeft();
    portrait->detach();
    step();
    EXPECT_EQ(portrait->imageObject, nullptr);
    EXPECT_EQ(portrait->frameObject, nullptr);
    EXPECT_TRUE(near(shownLeft(), 0xFF000000)) << std::hex << shownLeft();
}

TEST_F(PortraitTest, CorruptPictureShowsTheErrorAndKeepsTheOldPng) {
    image::savePngFile(character.portraitPath, filled(256, 256, green));
    const std::string before = readFile(character.portraitPath);
    files.write("pictures/broken.png", "\x89PNG but nothing after it");
    attach();
    choose(files.path() + "pictures/", "broken.png");
    ASSERT_NE(portrait->errorPopup, nullptr);
    EXPECT_EQ(portrait->errorPopup->title, "Portrait Error");
    EXPECT_EQ(portrait->errorPopup->message, CharacterPortrait::loadFailedMessage);
    EXPECT_EQ(std::string(CharacterPortrait::loadFailedMessage),
              "Failed to load portrait file. Likely wrong or unsupported image format.");
    step(3);
    EXPECT_EQ(readFile(character.portraitPath), before);
    EXPECT_TRUE(near(shownLeft(), green)) << "the old portrait is shown again";
    ui.clickElement(*portrait->errorPopup->okButton);
    step(2);
    EXPECT_EQ(portrait->errorPopup, nullptr);
}

TEST_F(PortraitTest, AReadOnlyFolderShowsTheSaveMessageAndKeepsTheOldPng) {
    image::savePngFile(character.portraitPath, filled(256, 256, green));
    const std::string before = readFile(character.portraitPath);
    writeImage("pictures", "wide.png", halves(64, 32));
    attach();
    {
        const NothingWritten readOnly(files.path() + "saves");
        choose(files.path() + "pictures/", "wide.png");
    }
    ASSERT_NE(portrait->errorPopup, nullptr);
    EXPECT_EQ(portrait->errorPopup->title, "Portrait Error");
    EXPECT_EQ(portrait->errorPopup->message, "Failed to save portrait file " + character.portraitPath + ".");
    EXPECT_EQ(readFile(character.portraitPath), before);
    EXPECT_TRUE(near(shownLeft(), green)) << "the old portrait is shown again";
}

TEST_F(PortraitTest, SameNamedPictureFromAnotherFolderReplacesThePortrait) {
    image::savePngFile(character.portraitPath, filled(256, 256, green));
    const std::string other = files.makeFolder("downloads");
    std::filesystem::copy_file(std::string(ZODERUD_TEST_DATA_DIR) + "/portrait/halves.jpg", other + "hero.jpg");
    attach();
    choose(other, "hero.jpg");
    EXPECT_EQ(portrait->errorPopup, nullptr);
    const image::Image saved = savedPortrait();
    ASSERT_EQ(saved.width, 256);
    EXPECT_TRUE(near(saved.at(20, 128), red));
    EXPECT_TRUE(near(saved.at(235, 128), blue));
    // Shown again from the portrait file, the new picture is what the frame holds.
    portrait->detach();
    step();
    attach();
    step();
    EXPECT_TRUE(near(shownLeft(), red)) << std::hex << shownLeft();
    EXPECT_TRUE(near(shownRight(), blue)) << std::hex << shownRight();
}

TEST_F(PortraitTest, SaveFinishesWhenAnotherTabIsShownMeanwhile) {
    const std::string picture = writeImage("pictures", "wide.png", halves(64, 32));
    attach();
    portrait->openFileDialog();
    step();
    portrait->fileDialog->setCurrentPath(files.path() + "pictures/");
    portrait->fileDialog->currentFileTextBox->setText("wide.png");
    ui.clickElement(*portrait->fileDialog->okButton);
    // The tab goes away in the frame the picture was chosen.
    portrait->update();
    portrait->detach();
    step(6);
    EXPECT_EQ(savedPortrait().width, 256);
    EXPECT_EQ(portrait->savingObject, nullptr);
    EXPECT_TRUE(near(shownLeft(), 0xFF000000)) << "nothing drawn while detached";
}

TEST_F(PortraitTest, DeletingThePortraitClosesItsDialog) {
    attach();
    portrait->openFileDialog();
    step();
    GameUILoadFileDialog* dialog = portrait->fileDialog;
    ASSERT_NE(dialog, nullptr);
    portrait.reset();
    ui.step();
    const auto& windows = ui.windowManager().windows;
    EXPECT_EQ(std::find(windows.begin(), windows.end(), dialog), windows.end());
}

} // namespace
