#pragma once
// The tracker's one game state, "mainMenuState": the button strip, the open character, the rules
// catalogues, the tracker's configuration, the save and quit paths and the update check.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/base_state.h"
#include "app/key_event.h"
#include "app/mouse_event.h"
#include "app/sigslot.h"
#include "platform/process.h"
#include "tracker/brav_config.h"
#include "ui/ui_event.h"

class BRAVSubStateCharacterCreation;
class BRAVUIDiceRollerWindow;
class BRAVUITabbedFullCharacterSheet;
class CharacterSheet;
class GameStateManager;
class GameUIConfirmationDialog;
class GameUIInfoPopupDialog;
class GameUILoadFileDialog;
class GameUILayoutRectangle;
class GameUIPushButton;
class ThreadResourcePool;
class WindowManager;
struct RulesCatalogues;
struct UIContext;

class GameStateMainMenu : public BaseState, public sigslot::has_slots<> {
public:
    static constexpr const char* updaterFileName = "wyUpdate.exe";
    static constexpr const char* saveErrorTitle = "Save Error";
    static constexpr const char* saveErrorMessage =
        "The character could not be saved. Nothing was closed; try again or choose another folder.";
    static constexpr const char* loadErrorTitle = "Load Error";
    static constexpr const char* loadErrorMessage =
        "The chosen file could not be read as a character. Nothing was changed.";
    static constexpr const char* loadSaveErrorMessage =
        "The open character could not be saved, so the chosen file was not loaded.";
    static constexpr const char* newCharacterSaveErrorMessage =
        "The new character could not be saved. It stays open; use Save to try again.";
    static constexpr const char* settingsSaveErrorMessage =
        "The character was saved, but the settings could not be, so it may not open again at the next start.";
    // The "Load Error" at start, naming the last character's file, which is left as it is.
    static std::string reopenErrorMessage(const std::string& path);

    GameStateMainMenu(GameStateManager* owner, ThreadResourcePool* pool, std::string name);
    ~GameStateMainMenu() override;

    void enter() override;
    void loadData() override;
    void unloadData() override;
    void onLoadFinished() override;
    void continueUnload() override {}
    void linkNextState() override;
    void shutdown() override {}
    void update(float dt) override;
    void updateWhileLinked(float dt) override;
    bool canStartLoading() override;
    bool isFinished() override { return finished; }
    void requestQuit() override { quitRequested.store(true); }

    // Widget slots: each only sets a pending byte for the next update.
    void onLoadEvent(UIEvent::Data& event);
    void onSaveButton(UIEvent::Data& event);
    void onNewButton(UIEvent::Data& event);
    void onCreationFinished(UIEvent::Data& event);
    void onRollDiceButton(UIEvent::Data& event);
    void onDiceRollerEvent(UIEvent::Data& event);
    void onSaveBeforeQuitEvent(UIEvent::Data& event);
    void onUpdateDialogEvent(UIEvent::Data& event);
    void onInfoPopupEvent(UIEvent::Data& event);

    void onKey(KeyEvent::Data& event);
    void onMouseButton(MouseEvent::Data& event);
    void onMouseMove(MouseEvent::Data& event);

    UIContext* context() const;

    // Where the updater is looked for: the program's own folder unless set before entering.
    std::string updaterFolder;

    platform::Process updaterProcess;
    std::uint8_t updateCheckDone = 0;
    std::uint8_t updateAccepted = 0;
    std::uint8_t updateDeclined = 0;
    GameUIConfirmationDialog* updateDialog = nullptr;

    GameStateManager* stateManager;
    WindowManager* windowManager = nullptr;
    GameUIConfirmationDialog* saveQuitDialog = nullptr;
    GameUIInfoPopupDialog* errorPopup = nullptr;
    GameUILayoutRectangle* buttonsPanel = nullptr;
    GameUIPushButton* loadButton = nullptr;
    GameUIPushButton* saveButton = nullptr;
    GameUIPushButton* newButton = nullptr;
    GameUIPushButton* rollDiceButton = nullptr;
    ThreadResourcePool* resourcePool;

    std::uint8_t finished = 0;
    std::uint8_t loadAllowed = 0;
    std::uint8_t linkedReady = 0;
    // Set from the window's close request as well as by the update answer.
    std::atomic<bool> quitRequested{false};
    float frameTime = 0.0f;

    std::uint8_t openLoadDialogPending = 0;
    std::uint8_t loadFilePending = 0;
    std::uint8_t loadDialogClosedPending = 0;
    std::string loadFolder;
    GameUILoadFileDialog* loadDialog = nullptr;
    std::string loadFileName;

    BRAVConfig config;
    std::unique_ptr<RulesCatalogues> catalogues;

    std::uint8_t savePending = 0;
    CharacterSheet* character = nullptr;
    // The sheet of the open character; it points at the character, so it goes first.
    BRAVUITabbedFullCharacterSheet* characterSheet = nullptr;
    std::uint8_t newCharacterPending = 0;
    BRAVSubStateCharacterCreation* creation = nullptr;
    std::uint8_t creationFinishedPending = 0;
    BRAVUIDiceRollerWindow* diceRoller = nullptr;
    std::uint8_t diceRollerPending = 0;
    std::uint8_t diceRollerClosedPending = 0;
    std::uint8_t saveAndQuitPending = 0;
    std::uint8_t justQuitPending = 0;
    std::uint8_t errorPopupClosedPending = 0;

    // Shows the open character on a new sheet, replacing any sheet shown.
    void openCharacterSheet();
    // Deletes the sheet at once (with the windows its tabs opened), so the character can go.
    void closeCharacterSheet();

private:
    void buildButtonStrip();
    void reopenLastSaved();
    void openSaveBeforeQuitDialog();
    // False, with the "Save Error" popup shown and the character kept, when nothing was written.
    bool saveCharacter();
    void showSaveError();
    void showErrorPopup(const std::string& title, const std::string& message);
    // Remembers path as the character to reopen; a settings file that cannot be written is shown.
    void rememberLastSaved(const std::string& path);
    // The per-user folder's "characters/", made when it is missing.
    std::string charactersFolder() const;
    // The folder of the last saved character when it still exists, else the per-user characters folder.
    std::string loadDialogFolder() const;
    void openLoadDialog();
    // A new record read from path, or null (logged) when the file is not a character.
    std::unique_ptr<CharacterSheet> readCharacter(const std::string& path) const;
    // The chosen file replaces the open character, which is saved first when it has changes; a
    // file that is not a character changes nothing.
    void loadChosenFile();
    void closeLoadDialog();
    // New: the open character is saved first (a failed save keeps it and starts nothing).
    void startCharacterCreation();
    // A free path for the new character under the per-user folder's "characters/"; empty
    // without a per-user folder.
    std::string newCharacterPath() const;
    // The wizard's end: the new character saved under the per-user folder's "characters/".
    void finishCharacterCreation();
    std::uint32_t depthAboveWindows() const;
    // The four strip buttons, while a window that replaces the menu's actions is open.
    void setStripEnabled(bool enabled);
    void removeDialog(GameUIConfirmationDialog*& dialog);

    std::string updaterPath() const;
    void launchUpdateCheck();
    void pollUpdateCheck();
    void runUpdater();

    void connectInput();
    void disconnectInput();
};
