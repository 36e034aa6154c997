#include "ui/game_ui_load_file_dialog.h"

#include "render/render_interface.h"
#include "render/text_markup.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scrollable_selectable_item_list.h"
#include "ui/game_ui_text_list_item.h"
#include "ui/window_manager.h"

namespace {
const float folderColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float fileColour[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const float dialogTopLeft[2] = {-0.8f, 0.8f};
const float dialogBottomRight[2] = {0.8f, -0.8f};
// Without a window manager to ask, the depth of a dialog opened on the main menu.
constexpr std::uint32_t dialogDepth = 9;

// A dialog of its own goes above every window open.
std::uint32_t topLevelDepth(const UIContext* owner) {
    return owner && owner->windowManager ? owner->windowManager->depthForNewWindow() : dialogDepth;
}
} // namespace

GameUILoadFileDialog::GameUILoadFileDialog(std::uint32_t tag, UIContext* owner, const Theme* theme,
                                           const std::string& startFolder, bool showFilter,
                                           const std::vector<Filter>& filterList, const std::string& selectedFilter,
                                           const std::string& name, const std::string& subFolder,
                                           GameUIBaseElement* parent, bool includeFolders, bool doubleClickOpens,
                                           bool foldersSelectable, const std::string& title)
    : GameUIBaseWindow(tag, owner, theme, name, title, dialogTopLeft, dialogBottomRight,
                       parent ? childDepth(parent) : topLevelDepth(owner), parent, true),
      tag(tag), subFolder(subFolder), showFilter(showFilter ? 1 : 0), includeFolders(includeFolders ? 1 : 0),
      doubleClickOpens(doubleClickOpens ? 1 : 0), foldersSelectable(foldersSelectable ? 1 : 0) {
    setCurrentPath(subFolder.empty() ? startFolder : startFolder + "/" + subFolder + "/");
    if (showFilter) {
        currentFilter = selectedFilter.empty() ? "*" : selectedFilter;
        for (const Filter& filter : filterList) filters[filter.name] = filter;
    } else {
        currentFilter = "*";
    }
    windowSignal.connect(this, &GameUILoadFileDialog::onWindow);

    const std::string fontName = renderer ? renderer->mainFontName() : std::string();
    const float listTl[2] = {-0.9f, 0.6f}, listBr[2] = {0.9f, -0.6f};
    fileNameList = new GameUIScrollableSelectableItemList(tag, owner, listTl, listBr, theme, "fileNameList", this, 0);
    fileNameList->eventSignal.connect(this, &GameUILoadFileDialog::onList);
    addChild(fileNameList);

    const float pathTl[2] = {-0.9f, 0.75f}, pathBr[2] = {0.9f, 0.65f};
    currentPathTextBox = new GameUIEditableTextLineBox(owner, theme, "currentPathTextBox", currentPath, fontName, "",
                                                       pathTl, pathBr, this, false);
    currentPathTextBox->eventSignal.connect(this, &GameUILoadFileDialog::onTextBox);
    addChild(currentPathTextBox);

    const float fileTl[2] = {-0.9f, -0.65f}, fileBr[2] = {0.4f, -0.75f};
    currentFileTextBox =
        new GameUIEditableTextLineBox(owner, theme, "currentFileTextBox", "", fontName, "", fileTl, fileBr, this, false);
    currentFileTextBox->eventSignal.connect(this, &GameUILoadFileDialog::onTextBox);
    addChild(currentFileTextBox);

    const float okTl[2] = {0.5f, -0.8f}, okBr[2] = {0.65f, -0.9f};
    okButton = new GameUIPushButton(owner, theme, "okButton", "Open", "", okTl, okBr, this);
    okButton->signalsEnabled = 1;
    okButton->clickSignal.connect(this, &GameUILoadFileDialog::onButton);
    addChild(okButton);

    const float cancelTl[2] = {0.7f, -0.8f}, cancelBr[2] = {0.85f, -0.9f};
    cancelButton = new GameUIPushButton(owner, theme, "cancelButton", "Cancel", "", cancelTl, cancelBr, this);
    cancelButton->signalsEnabled = 1;
    cancelButton->clickSignal.connect(this, &GameUILoadFileDialog::onButton);
    addChild(cancelButton);

    if (showFilter) {
        const float lineHeight = renderer ? renderer->registeredLineHeight(fontName) : -1.0f;
        const float halfHeight = (absTopLeft[1] - absBottomRight[1]) * 0.5f;
        const float h = lineHeight >= 0.0f && halfHeight > 0.0f ? lineHeight / halfHeight : -1.0f;
        const float comboTl[2] = {0.5f, -0.65f}, comboBr[2] = {0.9f, -0.65f - h - 0.01f};
        filterCombo = new GameUIComboBox(tag, owner, theme, theme, "filerCombo", currentFilter, "", comboTl, comboBr,
                                         this, "", "");
        for (const Filter& filter : filterList) filterCombo->addOption(filter.name);
        filterCombo->addOption("*");
        filterCombo->eventSignal.connect(this, &GameUILoadFileDialog::onFilter);
        addChild(filterCombo);
    }

    topDepth = getMaxChildDepth();
    refreshListing();
    fileNameList->selectedIndex = -1;
    fileNameList->layoutItems(0);
}

// An open error popup is a window of the window manager, which owns it; the dialog cannot be
// closed while it is up, since the popup holds the clicks.
GameUILoadFileDialog::~GameUILoadFileDialog() = default;

void GameUILoadFileDialog::setCurrentPath(const std::string& path) {
    currentPath = path;
    if (currentPath.empty() || currentPath.back() != '/') currentPath += '/';
}

void GameUILoadFileDialog::refreshListing() {
    entries.clear();
    rowEntries.clear();
    fileNameList->clearRows();
    // Folders come from one listing only, so a filter with several extensions shows each once.
    std::vector<FileEntry> folders;
    std::vector<FileEntry> files;
    auto it = filters.find(currentFilter);
    if (showFilter && currentFilter != "*" && it != filters.end()) {
        listFolderEntries(currentPath, "", folders, true, false);
        for (const std::string& extension : it->second.extensions)
            listFolderEntries(currentPath, extension, files, false, false);
    } else {
        listFolderEntries(currentPath, "*", files, includeFolders != 0, false);
    }
    for (const FileEntry& entry : folders)
        if (entry.isDirectory) entries.push_back(entry);
    for (const FileEntry& entry : files) entries.push_back(entry);

    for (int pass = 0; pass < 2; ++pass) {
        const bool wantFolders = pass == 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const FileEntry& entry = entries[i];
            if (entry.isDirectory != wantFolders) continue;
            const std::string text = entry.isDirectory ? entry.name : entry.fileName;
            // Names on the disk are shown as they are spelt, never read as markup.
            fileNameList->addRow(new GameUITextListItem(tag, owner, theme, text, literalText(text),
                                                        entry.isDirectory ? folderColour : fileColour));
            rowEntries.push_back(i);
        }
    }
}

const FileEntry* GameUILoadFileDialog::selectedEntry() const {
    const std::int32_t row = fileNameList->selectedIndex;
    if (row < 0 || static_cast<std::size_t>(row) >= rowEntries.size()) return nullptr;
    return &entries[rowEntries[static_cast<std::size_t>(row)]];
}

void GameUILoadFileDialog::enterFolder(const std::string& folderName) {
    std::string path = currentPath + folderName + "/";
    makeAbsolutePath(currentPath, path);
    setCurrentPath(path);
    pathChanged = 1;
}

void GameUILoadFileDialog::reportOk(std::uint32_t type) {
    chosenFileName = currentFileTextBox->text;
    eventData.type = type;
    eventData.name = "okButton";
    eventData.parentName = name;
    eventData.source = this;
    eventSignal.emit(eventData);
}

void GameUILoadFileDialog::raiseError(const char* message) {
    // A second error while the popup is open keeps the first message.
    if (errorPopup) return;
    errorMessage = message;
    showError = 1;
}

void GameUILoadFileDialog::onList(UIEvent::Data& event) {
    if (event.value >= rowEntries.size()) return;
    const FileEntry& entry = entries[rowEntries[event.value]];
    const std::string text = entry.isDirectory ? entry.name : entry.fileName;
    if (event.type == UIEvent::Click) {
        if (!entry.isDirectory || foldersSelectable) currentFileTextBox->setText(text);
    } else if (event.type == UIEvent::DoubleClick && doubleClickOpens) {
        if (entry.isDirectory) {
            enterFolder(entry.name);
        } else {
            currentFileTextBox->setText(text);
            reportOk(UIEvent::DoubleClick);
        }
    }
}

void GameUILoadFileDialog::onButton(UIEvent::Data& event) {
    if (event.type != UIEvent::Click) return;
    if (event.source == cancelButton) {
        eventData = event;
        eventData.parentName = name;
        eventSignal.emit(eventData);
        return;
    }
    if (event.source != okButton) return;
    const FileEntry* entry = selectedEntry();
    const std::string& typed = currentFileTextBox->text;
    const std::string candidate = currentPath + typed;
    const bool found = !typed.empty() && (fileExists(candidate) || (foldersSelectable && pathIsDirectory(candidate)));
    if (entry && entry->isDirectory && !foldersSelectable) {
        enterFolder(entry->name);
    } else if (found) {
        reportOk(UIEvent::Click);
    } else if (entry || !typed.empty()) {
        raiseError(missingFileMessage);
    }
}

void GameUILoadFileDialog::onTextBox(UIEvent::Data& event) {
    if (event.name != "enterPressed") return;
    if (event.source == currentFileTextBox) {
        const std::string& typed = currentFileTextBox->text;
        if (!typed.empty() && fileExists(currentPath + typed)) reportOk(event.type);
        else if (!typed.empty()) raiseError(missingFileMessage);
    } else if (event.source == currentPathTextBox) {
        std::string typed = currentPathTextBox->text;
        if (pathIsDirectory(typed)) {
            makeAbsolutePath(currentPath, typed);
            setCurrentPath(typed);
            pathChanged = 1;
        } else {
            raiseError(missingFolderMessage);
        }
    }
}

void GameUILoadFileDialog::onWindow(UIEvent::Data& event) {
    if (event.name != "closeDialog") return;
    UIEvent::Data cancel;
    cancel.type = UIEvent::Click;
    cancel.name = "cancelButton";
    cancel.parentName = name;
    cancel.source = this;
    eventSignal.emit(cancel);
}

void GameUILoadFileDialog::onFilter(UIEvent::Data& event) {
    if (event.type != UIEvent::OptionChosen) return;
    currentFilter = event.name;
    pathChanged = 1;
}

void GameUILoadFileDialog::onPopup(UIEvent::Data& event) {
    if (event.name == "okButton") closeError = 1;
}

void GameUILoadFileDialog::update(float dt) {
    if (pathChanged) {
        pathChanged = 0;
        currentPathTextBox->setText(currentPath);
        currentFileTextBox->setText("");
        refreshListing();
        fileNameList->selectedIndex = -1;
        fileNameList->layoutItems(0);
    }
    WindowManager* wm = windowManager();
    if (showError) {
        showError = 0;
        if (!errorPopup && wm) {
            errorPopup = new GameUIInfoPopupDialog(tag, owner, theme, errorTitle, errorMessage, "errorPopupDialog", 0);
            errorPopup->eventSignal.connect(this, &GameUILoadFileDialog::onPopup);
            wm->addWindow(errorPopup);
            wm->setActiveWindow(errorPopup);
        }
    }
    if (closeError) {
        closeError = 0;
        if (errorPopup && wm) {
            wm->removeWindow(errorPopup);
            errorPopup = nullptr;
            // The dialog takes clicks again instead of letting them reach the windows below it.
            wm->setActiveWindow(this);
        }
    }
    GameUIBaseWindow::update(dt);
}
