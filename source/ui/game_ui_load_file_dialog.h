#pragma once
// The file chooser: browses folders, lists sub-folders and the files of the chosen filter, and
// reports "okButton" with the folder and file name to read, or "cancelButton".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/directory_lister.h"
#include "ui/game_ui_base_window.h"

class GameUIComboBox;
class GameUIEditableTextLineBox;
class GameUIInfoPopupDialog;
class GameUIPushButton;
class GameUIScrollableSelectableItemList;

// Names for the constructor's flags, so that a call says what each one means: showFilter, then
// includeFolders, doubleClickOpens and foldersSelectable.
namespace loadflag {
inline constexpr bool showFilter = true, noFilter = false;
inline constexpr bool includeFolders = true, filesOnly = false;
inline constexpr bool doubleClickOpens = true, doubleClickSelects = false;
inline constexpr bool foldersSelectable = true, foldersNotSelectable = false;
} // namespace loadflag

class GameUILoadFileDialog : public GameUIBaseWindow {
public:
    static constexpr const char* errorTitle = "Load Error";
    static constexpr const char* missingFileMessage =
        "Cannot find the specified file path. Check the spelling and try again.";
    static constexpr const char* missingFolderMessage =
        "Cannot find the specified directory path. Check the spelling and try again.";

    struct Filter {
        std::string name;
        std::vector<std::string> extensions;
    };

    // startFolder is where browsing begins; subFolder, when given, is entered below it.
    GameUILoadFileDialog(std::uint32_t tag, UIContext* owner, const Theme* theme, const std::string& startFolder,
                         bool showFilter, const std::vector<Filter>& filterList, const std::string& selectedFilter,
                         const std::string& name, const std::string& subFolder, GameUIBaseElement* parent,
                         bool includeFolders, bool doubleClickOpens, bool foldersSelectable, const std::string& title);
    ~GameUILoadFileDialog() override;

    // Always with a trailing "/", so the file name can follow directly.
    void setCurrentPath(const std::string& path);
    void update(float dt) override;

    sigslot::signal1<UIEvent::Data&> eventSignal;
    std::uint32_t tag;
    GameUIScrollableSelectableItemList* fileNameList = nullptr;
    GameUIEditableTextLineBox* currentPathTextBox = nullptr;
    GameUIEditableTextLineBox* currentFileTextBox = nullptr;
    GameUIPushButton* okButton = nullptr;
    GameUIPushButton* cancelButton = nullptr;
    // Present only with showFilter.
    GameUIComboBox* filterCombo = nullptr;
    std::uint8_t pathChanged = 0;
    std::uint8_t showError = 0;
    std::uint8_t closeError = 0;
    std::string chosenFileName;
    std::string currentPath;
    std::string subFolder;
    std::vector<FileEntry> entries;
    // Row index to its entry in entries: rows put folders first whatever the listing order.
    std::vector<std::size_t> rowEntries;
    std::uint8_t showFilter;
    std::string currentFilter;
    std::map<std::string, Filter> filters;
    std::string errorMessage;
    GameUIInfoPopupDialog* errorPopup = nullptr;
    std::uint8_t includeFolders;
    std::uint8_t doubleClickOpens;
    std::uint8_t foldersSelectable;

private:
    void refreshListing();
    const FileEntry* selectedEntry() const;
    void enterFolder(const std::string& folderName);
    void reportOk(std::uint32_t type);
    void raiseError(const char* message);
    void onList(UIEvent::Data& event);
    void onButton(UIEvent::Data& event);
    void onTextBox(UIEvent::Data& event);
    void onWindow(UIEvent::Data& event);
    void onPopup(UIEvent::Data& event);
    void onFilter(UIEvent::Data& event);
};
