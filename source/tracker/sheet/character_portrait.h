#pragma once
// The character's portrait on the Core tab: the framed picture of the PNG beside the saved
// character, the image file dialog that "Change Portrait" opens, and the writing of a chosen
// image as that 256 by 256 PNG. The picture is read, scaled and written by the render side's
// textured rectangle; this class drives it through the object's parameters and waits for the
// status the render side reports.
#include <cstdint>
#include <string>

#include "app/sigslot.h"
#include "render/render_interface.h"
#include "ui/ui_event.h"

class BRAVConfig;
class CharacterSheet;
class GameUIElementGroup;
class GameUIInfoPopupDialog;
class GameUILoadFileDialog;
class Theme;
struct UIContext;

class CharacterPortrait : public sigslot::has_slots<> {
public:
    static constexpr const char* errorTitle = "Portrait Error";
    static constexpr const char* loadFailedMessage =
        "Failed to load portrait file. Likely wrong or unsupported image format.";
    // The saved portrait's size in pixels.
    static constexpr float pixelSize = 256.0f;

    CharacterPortrait(std::uint32_t tag, UIContext* owner, const Theme* theme, BRAVConfig* config,
                      CharacterSheet* character);
    // Closes the file dialog and the error popup: they point at this object and the character.
    ~CharacterPortrait() override;
    CharacterPortrait(const CharacterPortrait&) = delete;
    CharacterPortrait& operator=(const CharacterPortrait&) = delete;

    // Shows the picture at the character's portrait path in a frame one layer above the panel.
    void attach(GameUIElementGroup* panel);
    // Removes the frame and the picture; a picture still being saved is kept, out of sight,
    // until the render side reports the save.
    void detach();
    // Every frame, attached or not: the dialog, the popup and the save steps.
    void update();
    // "Change Portrait": the image file dialog, unless it is open already.
    void openFileDialog();

    // "Failed to save portrait file " + path + ".".
    static std::string saveFailedMessage(const std::string& portraitPath);

    void onFileDialog(UIEvent::Data& event);
    void onErrorPopup(UIEvent::Data& event);

    GameUILoadFileDialog* fileDialog = nullptr;
    GameUIInfoPopupDialog* errorPopup = nullptr;
    // The frame and the picture shown in it while attached.
    RenderInterface::UIObject* frameObject = nullptr;
    RenderInterface::UIObject* imageObject = nullptr;
    // The picture of a chosen image until its save is reported; may be the one shown.
    RenderInterface::UIObject* savingObject = nullptr;
    std::string chosenFolder;
    std::string chosenFileName;
    std::uint8_t dialogCancelled = 0;
    std::uint8_t fileChosen = 0;
    std::uint8_t errorPopupClosed = 0;

private:
    enum class SaveStep { None, WaitingForImage, WaitingForSave };

    // A picture of folder + file on the layer above the frame, scaled to 256 by 256 on loading.
    RenderInterface::UIObject* createImage(const std::string& path);
    // The picture at the portrait path in place of the one shown (none when there is no file).
    void showStoredPortrait();
    void showChosenImage(const std::string& path);
    void placeImage(RenderInterface::UIObject* image) const;
    std::uint32_t imageLayer() const;
    // Clears one of the two pointers; the object is destroyed once neither holds it.
    void drop(RenderInterface::UIObject*& holder);
    void closeFileDialog();
    void closeErrorPopup();
    void showError(const std::string& message);
    void stepSave();
    // The save ended: the object is dropped and, after a failure, the stored portrait shown again.
    void finishSave(bool written);
    std::string dialogFolder() const;
    RenderInterface* renderInterface() const;

    std::uint32_t tag_;
    UIContext* owner_;
    const Theme* theme_;
    BRAVConfig* config_;
    CharacterSheet* character_;
    GameUIElementGroup* panel_ = nullptr;
    SaveStep saveStep_ = SaveStep::None;
};
