#include "tracker/game_state_main_menu.h"

#include <vector>

#include "app/game_state_manager.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/ui_context.h"
#include "platform/paths.h"
#include "render/render_interface.h"
#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"
#include "tracker/bravui_dice_roller_window.h"
#include "tracker/sheet/bravui_tabbed_full_character_sheet.h"
#include "tracker/wizard/brav_sub_state_character_creation.h"
#include "tracker/wizard/character_file_name.h"
#include "ui/game_ui_confirmation_dialog.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_layout_rectangle.h"
#include "ui/game_ui_push_button.h"
#include "ui/mouse_pointer.h"
#include "ui/theme.h"
#include "ui/window_manager.h"

namespace {

constexpr const char* themeName = "default_theme";

struct StripButton {
    GameUIPushButton* GameStateMainMenu::*field;
    void (GameStateMainMenu::*slot)(UIEvent::Data&);
    const char* name;
    const char* caption;
    const char* toolTip;
    float topLeft[2];
    float bottomRight[2];
};

const StripButton stripButtons[] = {
    {&GameStateMainMenu::loadButton, &GameStateMainMenu::onLoadEvent, "loadButton", "Load",
     "Load an existing character", {-1.0f, 1.0f}, {-0.8f, -1.0f}},
    {&GameStateMainMenu::saveButton, &GameStateMainMenu::onSaveButton, "saveButton", "Save",
     "Save the currently loaded character", {-0.7f, 1.0f}, {-0.5f, -1.0f}},
    {&GameStateMainMenu::newButton, &GameStateMainMenu::onNewButton, "newButton", "New", "Create a new character",
     {-0.4f, 1.0f}, {-0.2f, -1.0f}},
    {&GameStateMainMenu::rollDiceButton, &GameStateMainMenu::onRollDiceButton, "rollDiceButton", "Roll Dice",
     "Roll different types of dice.", {0.8f, 1.0f}, {1.0f, -1.0f}},
};

} // namespace

GameStateMainMenu::GameStateMainMenu(GameStateManager* owner, ThreadResourcePool* pool, std::string name)
    : BaseState(std::move(name)),
      updaterFolder(platform::executableDirectory()),
      stateManager(owner),
      resourcePool(pool),
      config(pool, "BRAV Zoderud") {}

GameStateMainMenu::~GameStateMainMenu() { unloadData(); }

UIContext* GameStateMainMenu::context() const { return stateManager ? stateManager->context() : nullptr; }

void GameStateMainMenu::connectInput() {
    UIContext* ui = context();
    if (!ui || !ui->inputManager) return;
    ui->inputManager->keySignal.connect(this, &GameStateMainMenu::onKey);
    ui->inputManager->mouseButtonSignal.connect(this, &GameStateMainMenu::onMouseButton);
    ui->inputManager->mouseMoveSignal.connect(this, &GameStateMainMenu::onMouseMove);
}

void GameStateMainMenu::disconnectInput() {
    UIContext* ui = context();
    if (!ui || !ui->inputManager) return;
    ui->inputManager->keySignal.disconnect(this);
    ui->inputManager->mouseButtonSignal.disconnect(this);
    ui->inputManager->mouseMoveSignal.disconnect(this);
}

void GameStateMainMenu::loadData() {
    setStatus(Loading);
    UIContext* ui = context();
    if (ui && ui->mousePointer) ui->mousePointer->setPointerType();
    connectInput();
    // Without a readable settings file the menu still needs its folders and a configuration
    // that a later save can write.
    if (!config.load() && ui && ui->renderInterface) {
        const RenderSettings& screen = ui->renderInterface->updateSettings();
        config.loadDefaults(static_cast<int>(ui->renderInterface->shaderLevel()), static_cast<int>(screen.width),
                            static_cast<int>(screen.height));
    }
    const std::string& dialogFolder = config.settings.defaultFileDialogPath;
    if (!dialogFolder.empty() && !platform::pathExists(dialogFolder) && !platform::createDirectories(dialogFolder)) {
        LOG_MESSAGE("Could not create the file-dialog folder %s", dialogFolder.c_str());
    }
    windowManager = new WindowManager(0);
    if (ui) ui->windowManager = windowManager;
    const float zero[2] = {0.0f, 0.0f};
    auto* toolTip =
        new GameUIFloatingToolTip(ui, windowManager->getTheme(themeName), "floatingToolTip", zero, zero, nullptr);
    windowManager->toolTip = toolTip;
    windowManager->addWindow(toolTip);
    catalogues = loadRulesCatalogues(platform::currentDirectory());
}

void GameStateMainMenu::unloadData() {
    disconnectInput();
    delete creation;
    creation = nullptr;
    // The windows point at the character and the catalogues' records: they go first.
    closeCharacterSheet();
    if (windowManager) {
        UIContext* ui = context();
        delete windowManager;
        if (ui && ui->windowManager == windowManager) ui->windowManager = nullptr;
        windowManager = nullptr;
    }
    delete character;
    character = nullptr;
    saveQuitDialog = nullptr;
    updateDialog = nullptr;
    errorPopup = nullptr;
    loadDialog = nullptr;
    buttonsPanel = nullptr;
    loadButton = saveButton = newButton = rollDiceButton = nullptr;
    catalogues.reset();
    finished = 0;
    linkedReady = 0;
    setStatus(LoadRequested);
}

void GameStateMainMenu::onLoadFinished() {
    UIContext* ui = context();
    if (!ui || !ui->renderInterface) return;
    ui->renderInterface->setUpdateSideReady(true);
    // The front end must have finished loading before the menu can show anything on it.
    if (ui->renderInterface->renderStateStatusForUpdate() == Loaded) setStatus(ReadyToEnter);
}

void GameStateMainMenu::enter() {
    setStatus(Running);
    buildButtonStrip();
    launchUpdateCheck();
    reopenLastSaved();
}

void GameStateMainMenu::buildButtonStrip() {
    UIContext* ui = context();
    const Theme* theme = windowManager->getTheme(themeName);
    const float panelTopLeft[2] = {-0.95f, -0.85f};
    const float panelBottomRight[2] = {0.95f, -0.95f};
    const float* panelColour = theme ? (*theme)[Theme::PanelNormal] : nullptr;
    const float* outlineColour = theme ? (*theme)[Theme::PanelOutline] : nullptr;
    const float clear[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    buttonsPanel = new GameUILayoutRectangle(0, ui, theme, "buttonsPanel", panelTopLeft, panelBottomRight, 0, nullptr,
                                             panelColour ? panelColour : clear, true, 1, false,
                                             outlineColour ? outlineColour : clear);
    windowManager->addWindow(buttonsPanel);
    // A layout rectangle neither passes input on nor updates its children, so each button is a
    // window of its own as well: that is what makes the strip clickable.
    for (const StripButton& entry : stripButtons) {
        auto* button = new GameUIPushButton(ui, theme, entry.name, entry.caption, entry.toolTip, entry.topLeft,
                                            entry.bottomRight, buttonsPanel);
        button->signalsEnabled = 1;
        button->clickSignal.connect(this, entry.slot);
        this->*entry.field = button;
        windowManager->addWindow(button);
    }
}

void GameStateMainMenu::reopenLastSaved() {
    if (config.LastSavedFilePath.empty() || !catalogues) return;
    auto sheet = std::make_unique<CharacterSheet>(resourcePool, catalogues->classes, catalogues->proficiencies,
                                                  catalogues->equipment, catalogues->spells);
    if (!sheet->load(config.LastSavedFilePath)) {
        // Start without a character; the path stays for the user to put the file back.
        LOG_MESSAGE("The last saved character %s could not be reopened", config.LastSavedFilePath.c_str());
        showErrorPopup(loadErrorTitle, reopenErrorMessage(config.LastSavedFilePath));
        return;
    }
    character = sheet.release();
    openCharacterSheet();
}

void GameStateMainMenu::openCharacterSheet() {
    closeCharacterSheet();
    if (!character || !windowManager) return;
    characterSheet = new BRAVUITabbedFullCharacterSheet(windowManager->getTheme(themeName), context(), 0, character,
                                                        &config, catalogues.get(), "characterSheetUI");
    windowManager->addWindow(characterSheet);
}

void GameStateMainMenu::closeCharacterSheet() {
    if (!characterSheet) return;
    if (windowManager) {
        windowManager->removeWindow(characterSheet);
        // Deleted now rather than at the next update: the character it points at goes next.
        windowManager->applyRemovals();
    } else {
        delete characterSheet;
    }
    characterSheet = nullptr;
}

void GameStateMainMenu::update(float dt) {
    frameTime = dt;
    pollUpdateCheck();
    if (updateAccepted) {
        updateAccepted = 0;
        removeDialog(updateDialog);
        runUpdater();
        quitRequested.store(true);
    }
    if (updateDeclined) {
        updateDeclined = 0;
        removeDialog(updateDialog);
    }
    if (windowManager) windowManager->update(dt);
    if (quitRequested.exchange(false)) {
        if (!character || character->saved) {
            justQuitPending = 1;
        } else if (!saveQuitDialog) {
            openSaveBeforeQuitDialog();
        }
    }
    if (saveAndQuitPending) {
        saveAndQuitPending = 0;
        removeDialog(saveQuitDialog);
        if (saveCharacter()) setStatus(Quit);
    }
    if (justQuitPending) {
        justQuitPending = 0;
        setStatus(Quit);
    }
    if (openLoadDialogPending) {
        openLoadDialogPending = 0;
        if (!loadDialog) openLoadDialog();
    }
    if (savePending) {
        savePending = 0;
        saveCharacter();
    }
    if (loadFilePending) {
        loadFilePending = 0;
        loadChosenFile();
    }
    if (loadDialogClosedPending) {
        loadDialogClosedPending = 0;
        closeLoadDialog();
    }
    if (newCharacterPending) {
        newCharacterPending = 0;
        if (!creation) startCharacterCreation();
    }
    if (creation) creation->goToStep();
    if (creationFinishedPending) {
        creationFinishedPending = 0;
        finishCharacterCreation();
    }
    if (diceRollerPending) {
        diceRollerPending = 0;
        if (!diceRoller && windowManager) {
            setStripEnabled(false);
            const float topLeft[2] = {-0.95f, 0.9f}, bottomRight[2] = {0.95f, -0.7f};
            diceRoller = new BRAVUIDiceRollerWindow(0, context(), windowManager->getTheme(themeName), "Dice Roller",
                                                    topLeft, bottomRight, depthAboveWindows());
            windowManager->addWindow(diceRoller);
            windowManager->setActiveWindow(diceRoller);
            diceRoller->windowSignal.connect(this, &GameStateMainMenu::onDiceRollerEvent);
        }
    }
    if (diceRollerClosedPending) {
        diceRollerClosedPending = 0;
        setStripEnabled(true);
        if (diceRoller) {
            diceRoller->windowSignal.disconnect(this);
            windowManager->removeWindow(diceRoller);
            diceRoller = nullptr;
        }
    }
    if (errorPopupClosedPending) {
        errorPopupClosedPending = 0;
        if (errorPopup && windowManager) windowManager->removeWindow(errorPopup);
        errorPopup = nullptr;
        // An error of the load dialog hands the clicks back to it, not to the windows below.
        if (loadDialog && windowManager) windowManager->setActiveWindow(loadDialog);
    }
}

bool GameStateMainMenu::saveCharacter() {
    if (!character) return true;
    // One still being created (Save & Quit in the wizard) goes where the wizard's end puts it.
    if (character->filePath.empty() && creation) {
        const std::string path = newCharacterPath();
        if (!path.empty()) character->setFilePath(path);
    }
    // Any other character without a file has nowhere to go; an empty path must never become
    // the one reopened at the next start.
    if (character->filePath.empty()) {
        LOG_MESSAGE("The character has no file to be saved to");
        showSaveError();
        return false;
    }
    const std::string path = character->filePath;
    if (!character->save(path)) {
        LOG_MESSAGE("Saving the character to %s failed", path.c_str());
        showSaveError();
        return false;
    }
    rememberLastSaved(path);
    return true;
}

std::string GameStateMainMenu::reopenErrorMessage(const std::string& path) {
    return "The last character, " + path + ", could not be read, so none is open. The file was left as it is; " +
           "use Load to open a character.";
}

void GameStateMainMenu::rememberLastSaved(const std::string& path) {
    config.LastSavedFilePath = path;
    if (config.save()) return;
    LOG_MESSAGE("The settings could not be saved after saving or loading %s", path.c_str());
    showErrorPopup(saveErrorTitle, settingsSaveErrorMessage);
}

void GameStateMainMenu::showSaveError() { showErrorPopup(saveErrorTitle, saveErrorMessage); }

void GameStateMainMenu::showErrorPopup(const std::string& title, const std::string& message) {
    if (errorPopup || !windowManager) return;
    errorPopup = new GameUIInfoPopupDialog(0, context(), windowManager->getTheme(themeName), title, message,
                                           "saveErrorPopup", 0);
    errorPopup->eventSignal.connect(this, &GameStateMainMenu::onInfoPopupEvent);
    windowManager->addWindow(errorPopup);
    windowManager->setActiveWindow(errorPopup);
}

std::uint32_t GameStateMainMenu::depthAboveWindows() const {
    std::uint32_t depth = windowManager ? windowManager->getTopDepth() + 1 : 1;
    return depth > GameUIBaseElement::maxDepth ? GameUIBaseElement::maxDepth : depth;
}

void GameStateMainMenu::openSaveBeforeQuitDialog() {
    if (!windowManager) return;
    saveQuitDialog = new GameUIConfirmationDialog(
        0, context(), windowManager->getTheme(themeName), "Save Confirmation",
        "You have unsaved data, would you like to save before quitting?", "saveBeforeQuitConfirmation",
        depthAboveWindows(), 0, "Save & Quit", "Just Quit");
    saveQuitDialog->eventSignal.connect(this, &GameStateMainMenu::onSaveBeforeQuitEvent);
    windowManager->addWindow(saveQuitDialog);
    windowManager->setActiveWindow(saveQuitDialog);
}

void GameStateMainMenu::removeDialog(GameUIConfirmationDialog*& dialog) {
    if (dialog && windowManager) windowManager->removeWindow(dialog);
    dialog = nullptr;
}

std::string GameStateMainMenu::updaterPath() const {
    std::string folder = updaterFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return platform::resolvePath(folder + updaterFileName);
}

void GameStateMainMenu::launchUpdateCheck() {
    updateCheckDone = 0;
    const std::string path = updaterPath();
    // No updater beside the program: there is nothing to ask, and nothing is shown.
    if (!platform::isRegularFile(path) || !updaterProcess.start(path, {"/quickcheck", "/justcheck"})) {
        updateCheckDone = 1;
    }
}

void GameStateMainMenu::pollUpdateCheck() {
    if (updateCheckDone) return;
    int exitCode = 0;
    if (!updaterProcess.poll(exitCode)) return;
    updateCheckDone = 1;
    if (exitCode != 2 || updateDialog || !windowManager) return;
    updateDialog = new GameUIConfirmationDialog(
        0, context(), windowManager->getTheme(themeName), "New update available",
        "Would you like to quit the program to download and update to the latest version ?",
        "updateRestartConfirmation", depthAboveWindows(), 0, "OK", "Cancel");
    updateDialog->eventSignal.connect(this, &GameStateMainMenu::onUpdateDialogEvent);
    windowManager->addWindow(updateDialog);
    windowManager->setActiveWindow(updateDialog);
}

void GameStateMainMenu::runUpdater() {
    const std::string path = updaterPath();
    // The tracker quits all the same: the user asked for the update.
    if (!platform::startDetached(path, {})) LOG_MESSAGE("The updater %s could not be started", path.c_str());
}

void GameStateMainMenu::linkNextState() {
    if (!stateManager) return;
    if (BaseState* linked = stateManager->findState("gameState")) setNext(linked);
}

void GameStateMainMenu::updateWhileLinked(float dt) {
    if (windowManager) windowManager->update(dt);
    if (next() && next()->status() == ReadyToEnter) linkedReady = 1;
}

bool GameStateMainMenu::canStartLoading() {
    UIContext* ui = context();
    if (!ui || !ui->renderInterface) return false;
    std::uint32_t renderStatus = ui->renderInterface->renderStateStatusForUpdate();
    loadAllowed = renderStatus == Loading || renderStatus == Loaded;
    return loadAllowed;
}

void GameStateMainMenu::onLoadEvent(UIEvent::Data& event) {
    if (event.parentName == "loadFileDialog" && loadDialog) {
        if (event.name == "okButton") {
            loadFolder = loadDialog->currentPath;
            loadFileName = loadDialog->chosenFileName;
            loadFilePending = 1;
        } else {
            loadDialogClosedPending = 1;
        }
        return;
    }
    if (event.type == UIEvent::Click && event.name == "loadButton") openLoadDialogPending = 1;
}

std::string GameStateMainMenu::charactersFolder() const {
    const std::string folder = config.getSettingsFolder() + "/characters/";
    if (!platform::isDirectory(folder) && !platform::createDirectories(folder))
        LOG_MESSAGE("The characters folder %s could not be made", folder.c_str());
    return folder;
}

std::string GameStateMainMenu::loadDialogFolder() const {
    if (!config.LastSavedFilePath.empty()) {
        const std::string::size_type slash = config.LastSavedFilePath.find_last_of('/');
        const std::string folder =
            slash == std::string::npos ? std::string(".") : config.LastSavedFilePath.substr(0, slash + 1);
        if (platform::isDirectory(platform::resolvePath(folder))) return platform::resolvePath(folder);
    }
    // Where new characters are saved, so one just created is found without typing a path.
    return charactersFolder();
}

void GameStateMainMenu::openLoadDialog() {
    if (!windowManager) return;
    const std::vector<GameUILoadFileDialog::Filter> filters = {{"Xml Files", {"xml"}}};
    loadDialog = new GameUILoadFileDialog(0, context(), windowManager->getTheme(themeName), loadDialogFolder(),
                                          loadflag::showFilter, filters, "Xml Files", "loadFileDialog", "", nullptr,
                                          loadflag::includeFolders, loadflag::doubleClickOpens,
                                          loadflag::foldersNotSelectable, "Choose a file to load...");
    loadDialog->eventSignal.connect(this, &GameStateMainMenu::onLoadEvent);
    windowManager->addWindow(loadDialog);
    windowManager->setActiveWindow(loadDialog);
    setStripEnabled(false);
}

void GameStateMainMenu::loadChosenFile() {
    if (!catalogues) return;
    // The chosen file is read before anything is given up, so a file that is not a character
    // (a theme, the settings) changes nothing and is never overwritten by the next Save.
    const std::string path = loadFolder + loadFileName;
    std::unique_ptr<CharacterSheet> sheet = readCharacter(path);
    if (!sheet) {
        showErrorPopup(loadErrorTitle, loadErrorMessage);
        return;
    }
    if (character && !character->saved) {
        if (!character->save(character->filePath)) {
            LOG_MESSAGE("The open character could not be saved to %s", character->filePath.c_str());
            showErrorPopup(saveErrorTitle, loadSaveErrorMessage);
            return;
        }
        // The file just written may be the chosen one (the open character's own), so what was
        // read before the save is stale: read it again.
        sheet = readCharacter(path);
        if (!sheet) {
            showErrorPopup(loadErrorTitle, loadErrorMessage);
            return;
        }
    }
    closeCharacterSheet();
    delete character;
    character = sheet.release();
    closeLoadDialog();
    openCharacterSheet();
    rememberLastSaved(character->filePath);
}

std::unique_ptr<CharacterSheet> GameStateMainMenu::readCharacter(const std::string& path) const {
    auto sheet = std::make_unique<CharacterSheet>(resourcePool, catalogues->classes, catalogues->proficiencies,
                                                  catalogues->equipment, catalogues->spells);
    if (sheet->load(path)) return sheet;
    LOG_MESSAGE("%s could not be read as a character", path.c_str());
    return nullptr;
}

void GameStateMainMenu::closeLoadDialog() {
    setStripEnabled(true);
    if (!loadDialog) return;
    loadDialog->eventSignal.disconnect(this);
    if (windowManager) windowManager->removeWindow(loadDialog);
    loadDialog = nullptr;
}

void GameStateMainMenu::startCharacterCreation() {
    if (!catalogues || !windowManager) return;
    if (character && !character->saved && !saveCharacter()) return;
    setStripEnabled(false);
    closeCharacterSheet();
    delete character;
    character = new CharacterSheet(resourcePool, catalogues->classes, catalogues->proficiencies,
                                   catalogues->equipment, catalogues->spells);
    creation = new BRAVSubStateCharacterCreation(0, context(), windowManager, catalogues.get(), character);
    creation->signal.connect(this, &GameStateMainMenu::onCreationFinished);
}

std::string GameStateMainMenu::newCharacterPath() const {
    // Without a per-user folder there is nowhere to save: nothing is written anywhere else.
    const std::string folder = config.getSettingsFolder().empty() ? std::string() : charactersFolder();
    return makeNewCharacterPath(folder, character->name);
}

void GameStateMainMenu::finishCharacterCreation() {
    delete creation;
    creation = nullptr;
    setStripEnabled(true);
    if (!character) return;
    // Saved or not, the new character is the open one.
    openCharacterSheet();
    const std::string path = newCharacterPath();
    if (path.empty()) {
        LOG_MESSAGE("There is no per-user folder to save the new character in");
        showErrorPopup(saveErrorTitle, newCharacterSaveErrorMessage);
        return;
    }
    character->setFilePath(path);
    if (!character->save(path)) {
        // The character stays open and unsaved, bound to its path, so Save can try again.
        LOG_MESSAGE("Saving the new character to %s failed", path.c_str());
        showErrorPopup(saveErrorTitle, newCharacterSaveErrorMessage);
        return;
    }
    rememberLastSaved(path);
}

void GameStateMainMenu::onSaveButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) savePending = 1;
}

void GameStateMainMenu::onNewButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) newCharacterPending = 1;
}

void GameStateMainMenu::onCreationFinished(UIEvent::Data&) { creationFinishedPending = 1; }

void GameStateMainMenu::onRollDiceButton(UIEvent::Data& event) {
    if (event.type == UIEvent::Click) diceRollerPending = 1;
}

void GameStateMainMenu::onDiceRollerEvent(UIEvent::Data&) { diceRollerClosedPending = 1; }

void GameStateMainMenu::setStripEnabled(bool enabled) {
    for (GameUIPushButton* button : {loadButton, newButton, saveButton, rollDiceButton}) {
        if (button) button->setEnabled(enabled);
    }
}

void GameStateMainMenu::onSaveBeforeQuitEvent(UIEvent::Data& event) {
    if (event.name == "okButton") {
        saveAndQuitPending = 1;
    } else if (event.name == "cancelButton") {
        justQuitPending = 1;
    }
}

void GameStateMainMenu::onUpdateDialogEvent(UIEvent::Data& event) {
    if (event.name == "okButton") {
        updateAccepted = 1;
    } else {
        updateDeclined = 1;
    }
}

void GameStateMainMenu::onInfoPopupEvent(UIEvent::Data&) { errorPopupClosedPending = 1; }

void GameStateMainMenu::onKey(KeyEvent::Data& event) {
    if (windowManager) windowManager->dispatchKey(event);
}

void GameStateMainMenu::onMouseButton(MouseEvent::Data& event) {
    if (!windowManager) return;
    if (!windowManager->dispatchMouseButton(event) && loadButton && loadButton->containsPoint(event.x, event.y)) {
        loadButton->onMouseButton(event);
    }
}

void GameStateMainMenu::onMouseMove(MouseEvent::Data& event) {
    if (!windowManager) return;
    if (!windowManager->dispatchMouseMove(event) && loadButton && loadButton->containsPoint(event.x, event.y)) {
        loadButton->onMouseMove(event);
    }
}
