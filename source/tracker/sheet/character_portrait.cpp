#include "tracker/sheet/character_portrait.h"

#include <algorithm>
#include <vector>

#include "app/log.h"
#include "app/ui_context.h"
#include "platform/paths.h"
#include "rules/character_sheet.h"
#include "tracker/brav_config.h"
#include "ui/game_ui_element_group.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/theme.h"
#include "ui/ui_object_params.h"
#include "ui/window_manager.h"

namespace {

constexpr const char* imageRenderable = "UITexturedRectangleRenderable";
constexpr const char* dialogTheme = "default_theme";
// The frame's top-left corner on screen and its size in pixels; the picture sits inside its border.
constexpr float frameLeft = -0.875f;
constexpr float frameTop = 0.785f;
constexpr float frameWidthPixels = 156.0f;
constexpr float frameHeightPixels = 190.0f;
constexpr float borderPixels = 3.0f;

} // namespace

CharacterPortrait::CharacterPortrait(std::uint32_t tag, UIContext* owner, const Theme* theme, BRAVConfig* config,
                                     CharacterSheet* character)
    : tag_(tag), owner_(owner), theme_(theme), config_(config), character_(character) {}

CharacterPortrait::~CharacterPortrait() {
    detach();
    closeFileDialog();
    closeErrorPopup();
    drop(savingObject);
}

std::string CharacterPortrait::saveFailedMessage(const std::string& portraitPath) {
    return "Failed to save portrait file " + portraitPath + ".";
}

RenderInterface* CharacterPortrait::renderInterface() const { return owner_ ? owner_->renderInterface : nullptr; }

void CharacterPortrait::attach(GameUIElementGroup* panel) {
    panel_ = panel;
    RenderInterface* ri = renderInterface();
    if (panel_ && ri) {
        uiobject::destroy(ri, frameObject);
        frameObject = uiobject::create(ri, "ui_outlined_rectangle", panel_->depth + 1);
        const float px = 2.0f / static_cast<float>(std::max<std::uint32_t>(ri->updateSettings().width, 1));
        const float py = 2.0f / static_cast<float>(std::max<std::uint32_t>(ri->updateSettings().height, 1));
        uiobject::setCorners<OutlinedRectangleParameters>(
            frameObject, frameLeft, frameTop, frameLeft + frameWidthPixels * px, frameTop - frameHeightPixels * py);
        if (theme_) {
            uiobject::setColour(frameObject, OutlinedRectangleParameters::colour, (*theme_)[Theme::WidgetNormal]);
            uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour,
                                (*theme_)[Theme::WidgetOutlineNormal]);
            uiobject::setColour(frameObject, OutlinedRectangleParameters::borderColour2,
                                (*theme_)[Theme::WidgetOutlineNormal2]);
        }
        uiobject::setBorders(frameObject, 1, 1, 2, 2);
        // A chosen picture still waiting for its save is the newest one: it stays in the frame.
        if (savingObject) {
            drop(imageObject);
            imageObject = savingObject;
            imageObject->setRenderLayer(imageLayer());
            placeImage(imageObject);
        } else {
            showStoredPortrait();
        }
    }
}

void CharacterPortrait::detach() {
    uiobject::destroy(renderInterface(), frameObject);
    panel_ = nullptr;
    // A picture still to be saved moves out of sight; it is still drawn, so the render side writes the file.
    placeImage(savingObject);
    drop(imageObject);
}

void CharacterPortrait::onFileDialog(UIEvent::Data& event) {
    if (event.parentName != "loadFileDialog" || !fileDialog) return;
    if (event.name == "okButton") {
        chosenFolder = fileDialog->currentPath;
        chosenFileName = fileDialog->chosenFileName;
        fileChosen = 1;
    } else {
        dialogCancelled = 1;
    }
}

void CharacterPortrait::onErrorPopup(UIEvent::Data& event) {
    if (event.name == "okButton") errorPopupClosed = 1;
}

void CharacterPortrait::update() {
    if (dialogCancelled) {
        dialogCancelled = 0;
        closeFileDialog();
    }
    if (fileChosen) {
        fileChosen = 0;
        showChosenImage(chosenFolder + chosenFileName);
        closeFileDialog();
    }
    if (errorPopupClosed) {
        errorPopupClosed = 0;
        closeErrorPopup();
    }
    stepSave();
}

void CharacterPortrait::stepSave() {
    if (!savingObject) {
        saveStep_ = SaveStep::None;
        return;
    }
    const std::uint32_t status = savingObject->status();
    switch (saveStep_) {
    case SaveStep::WaitingForImage:
        if (status == RenderInterface::UIObject::Refused) {
            LOG_MESSAGE("The portrait image %s%s could not be read", savingObject->folder().c_str(),
                        savingObject->fileName().c_str());
            showError(loadFailedMessage);
            finishSave(false);
        } else if (status == RenderInterface::UIObject::Ready) {
            // Only a picture that loaded is written: the file at the portrait path stays as it is otherwise.
            uiobject::setString(savingObject, TexturedRectangleParameters::saveFileName,
                                character_ ? character_->portraitPath : std::string());
            uiobject::setBool(savingObject, TexturedRectangleParameters::shouldSaveFile, true);
            saveStep_ = SaveStep::WaitingForSave;
        }
        break;
    case SaveStep::WaitingForSave:
        if (status == RenderInterface::UIObject::SaveFailed) {
            showError(saveFailedMessage(character_ ? character_->portraitPath : std::string()));
            finishSave(false);
        } else if (status == RenderInterface::UIObject::Saved) {
            finishSave(true);
        }
        break;
    case SaveStep::None:
        break;
    }
}

void CharacterPortrait::finishSave(bool written) {
    uiobject::setBool(savingObject, TexturedRectangleParameters::shouldSaveFile, false);
    uiobject::setBool(savingObject, TexturedRectangleParameters::shouldResizeTexture, false);
    if (!written && imageObject == savingObject) drop(imageObject);
    drop(savingObject);
    // After a failure the frame shows again what the portrait path holds.
    if (panel_ && !imageObject) showStoredPortrait();
    saveStep_ = SaveStep::None;
}

RenderInterface::UIObject* CharacterPortrait::createImage(const std::string& path) {
    RenderInterface* ri = renderInterface();
    if (!ri) return nullptr;
    const std::string::size_type slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    RenderInterface::UIObject* image = ri->createTexturedRectObject(imageRenderable, folder, file);
    if (!image) return nullptr;
    image->setRenderLayer(imageLayer());
    uiobject::setVector2(image, TexturedRectangleParameters::texturePixelDimensions, pixelSize, pixelSize);
    uiobject::setBool(image, TexturedRectangleParameters::shouldResizeTexture, true);
    placeImage(image);
    return image;
}

std::uint32_t CharacterPortrait::imageLayer() const {
    // The frame is one layer above the panel, the picture one above the frame.
    return std::min((panel_ ? panel_->depth : 0) + 2, uiobject::topLayer);
}

void CharacterPortrait::placeImage(RenderInterface::UIObject* image) const {
    RenderInterface* ri = renderInterface();
    if (!image || !ri) return;
    const float px = 2.0f / static_cast<float>(std::max<std::uint32_t>(ri->updateSettings().width, 1));
    const float py = 2.0f / static_cast<float>(std::max<std::uint32_t>(ri->updateSettings().height, 1));
    const float left = frameLeft + borderPixels * px, top = frameTop - borderPixels * py;
    if (panel_) {
        const float innerWidth = frameWidthPixels - 2.0f * borderPixels;
        const float innerHeight = frameHeightPixels - 2.0f * borderPixels;
        uiobject::setCorners<TexturedRectangleParameters>(image, left, top, left + innerWidth * px,
                                                          top - innerHeight * py);
    } else {
        uiobject::setCorners<TexturedRectangleParameters>(image, left, top, left, top);
    }
}

void CharacterPortrait::drop(RenderInterface::UIObject*& holder) {
    RenderInterface::UIObject* object = holder;
    holder = nullptr;
    if (object && object != imageObject && object != savingObject) uiobject::destroy(renderInterface(), object);
}

void CharacterPortrait::showStoredPortrait() {
    drop(imageObject);
    if (!panel_ || !character_ || character_->portraitPath.empty()) return;
    if (!platform::isRegularFile(platform::resolvePath(character_->portraitPath))) return;
    imageObject = createImage(character_->portraitPath);
}

void CharacterPortrait::showChosenImage(const std::string& path) {
    // A choice made while an earlier one is still being saved replaces it: that save is dropped.
    drop(imageObject);
    drop(savingObject);
    savingObject = createImage(path);
    if (panel_) imageObject = savingObject;
    saveStep_ = savingObject ? SaveStep::WaitingForImage : SaveStep::None;
}

std::string CharacterPortrait::dialogFolder() const {
    if (config_ && !config_->LastSavedFilePath.empty()) {
        const std::string::size_type slash = config_->LastSavedFilePath.find_last_of('/');
        const std::string folder =
            slash == std::string::npos ? std::string(".") : config_->LastSavedFilePath.substr(0, slash + 1);
        if (platform::isDirectory(platform::resolvePath(folder))) return platform::resolvePath(folder);
    }
    if (config_ && !config_->getSettingsFolder().empty()) return config_->getSettingsFolder() + "/";
    return "./";
}

void CharacterPortrait::openFileDialog() {
    WindowManager* wm = owner_ ? owner_->windowManager : nullptr;
    if (fileDialog || !wm) return;
    const std::vector<GameUILoadFileDialog::Filter> filters = {{"Image Files", {"png", "jpg", "bmp", "tga"}}};
    fileDialog = new GameUILoadFileDialog(tag_, owner_, wm->getTheme(dialogTheme), dialogFolder(), loadflag::showFilter,
                                          filters, "Image Files", "loadFileDialog", "", nullptr,
                                          loadflag::includeFolders, loadflag::doubleClickOpens,
                                          loadflag::foldersNotSelectable, "Choose a file to load...");
    fileDialog->eventSignal.connect(this, &CharacterPortrait::onFileDialog);
    wm->addWindow(fileDialog);
    wm->setActiveWindow(fileDialog);
}

void CharacterPortrait::closeFileDialog() {
    if (!fileDialog) return;
    fileDialog->eventSignal.disconnect(this);
    if (WindowManager* wm = owner_ ? owner_->windowManager : nullptr) wm->removeWindow(fileDialog);
    fileDialog = nullptr;
}

void CharacterPortrait::showError(const std::string& message) {
    WindowManager* wm = owner_ ? owner_->windowManager : nullptr;
    if (!wm) return;
    // One popup at a time: a newer failure replaces the message of one still open.
    closeErrorPopup();
    errorPopup = new GameUIInfoPopupDialog(tag_, owner_, wm->getTheme(dialogTheme), errorTitle, message,
                                           "errorPopupDialog", 0);
    errorPopup->eventSignal.connect(this, &CharacterPortrait::onErrorPopup);
    wm->addWindow(errorPopup);
    wm->setActiveWindow(errorPopup);
}

void CharacterPortrait::closeErrorPopup() {
    if (!errorPopup) return;
    errorPopup->eventSignal.disconnect(this);
    if (WindowManager* wm = owner_ ? owner_->windowManager : nullptr) wm->removeWindow(errorPopup);
    errorPopup = nullptr;
}
