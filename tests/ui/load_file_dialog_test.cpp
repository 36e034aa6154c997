// The load-file dialog on a small folder tree: what it lists, how choosing, typing and Open behave,
// and that an error popup hands the dialog back its clicks when closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "platform/input/key_codes.h"
#include "render/text_markup.h"
#include "support/temp_folder.h"
#include "support/ui_harness.h"
#include "ui/game_ui_combo_box.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_info_popup_dialog.h"
#include "ui/game_ui_load_file_dialog.h"
#include "ui/game_ui_push_button.h"
#include "ui/game_ui_scroll_bar.h"
#include "ui/game_ui_scrollable_selectable_item_list.h"
#include "ui/game_ui_text_list_item.h"
#include "ui/game_ui_toggle_button.h"
#include "ui/window_manager.h"

namespace {

namespace fs = std::filesystem;

class LoadFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(temp.path()) / "tree";
        fs::create_directories(root / "Sub");
        fs::create_directories(root / "zed");
        for (const char* file : {"b.XML", "a.xml", "c.txt"}) std::ofstream(root / file) << "<x/>";
        std::ofstream(root / "Sub" / "inner.xml") << "<x/>";
        ui.renderInterface().registerFontName(ui.renderInterface().mainFontName(), 0.03f);
    }
    GameUILoadFileDialog* open(const std::string& filter = "Xml Files") {
        const std::vector<GameUILoadFileDialog::Filter> filters = {{"Xml Files", {"xml"}}};
        dialog = ui.addWindow(new GameUILoadFileDialog(0, &ui.context(), ui.theme(), root.string(),
                                                       loadflag::showFilter, filters, filter, "loadFileDialog", "",
                                                       nullptr, loadflag::includeFolders, loadflag::doubleClickOpens,
                                                       loadflag::foldersNotSelectable, "Choose a file to load..."),
                              true);
        ui.record(dialog->eventSignal);
        return dialog;
    }
    std::vector<std::string> rowTexts() const {
        std::vector<std::string> out;
        for (auto* row : dialog->fileNameList->rows) out.push_back(row->getText());
        return out;
    }
    GameUITextListItem* row(std::size_t i) const {
        return static_cast<GameUITextListItem*>(dialog->fileNameList->rows[i]);
    }
    void pressRow(std::size_t i) {
        float centre[2];
        UIHarness::centreOf(*row(i)->toggle, centre);
        ui.click(centre[0], centre[1]);
    }
    // Clicks into the box, erases what it holds and types the text.
    void typeInto(GameUIEditableTextLineBox* box, const std::string& text) {
        ui.clickElement(*box);
        ui.step();
        for (std::size_t i = box->text.size(); i > 0; --i) ui.tapKey(platform::key::Right);
        while (!box->text.empty()) ui.tapKey(platform::key::Back);
        ui.typeString(text);
    }
    void pressEnter() {
        ui.tapKey(platform::key::Return);
        ui.step();
    }
    void clickOpen() {
        ui.clickElement(*dialog->okButton);
        ui.step();
    }

    TempFolder temp;
    fs::path root;
    UIHarness ui;
    GameUILoadFileDialog* dialog = nullptr;
};

TEST_F(LoadFileDialogTest, ListsFoldersWhiteThenFilteredFilesGrey) {
    struct Case {
        std::string filter;
        std::vector<std::string> rows;
    };
    const Case cases[] = {{"Xml Files", {"Sub", "zed", "a.xml", "b.xml"}},
                          {"*", {"Sub", "zed", "a.xml", "b.xml", "c.txt"}}};
    for (const Case& c : cases) {
        open(c.filter);
        EXPECT_EQ(rowTexts(), c.rows) << c.filter;
        EXPECT_EQ(row(0)->captionColour[0], 1.0f);
        EXPECT_EQ(row(2)->captionColour[0], 0.5f);
        EXPECT_EQ(dialog->currentPath.back(), '/');
        ui.windowManager().removeWindow(dialog);
        ui.step();
    }
}

TEST_F(LoadFileDialogTest, ChoosingAllFilesInTheFilterBoxListsEveryFile) {
    open();
    ASSERT_NE(dialog->filterCombo, nullptr);
    EXPECT_EQ(dialog->filterCombo->name, "filerCombo");
    EXPECT_EQ(dialog->filterCombo->text, "Xml Files");
    EXPECT_EQ(std::vector<std::string>(dialog->filterCombo->options.begin(), dialog->filterCombo->options.end()),
              (std::vector<std::string>{"Xml Files", "*"}));
    UIEvent::Data chosen;
    chosen.type = UIEvent::OptionChosen;
    chosen.name = "*";
    chosen.source = dialog->filterCombo;
    dialog->filterCombo->eventSignal.emit(chosen);
    ui.step();
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Sub", "zed", "a.xml", "b.xml", "c.txt"}));
}

TEST_F(LoadFileDialogTest, ChoosingFilesAndEnteringFolders) {
    open();
    pressRow(2);
    EXPECT_EQ(dialog->currentFileTextBox->text, "a.xml");
    ui.click(0.0f, 0.0f);  // away from any double click
    ui.stepSeconds(1.0f);
    // A double click on a file reports it at once.
    pressRow(3);
    pressRow(3);
    ASSERT_EQ(ui.countEvents(UIEvent::DoubleClick, "okButton"), 1u);
    EXPECT_EQ(dialog->chosenFileName, "b.xml");
    ui.stepSeconds(1.0f);
    // A double click on a folder enters it.
    pressRow(0);
    pressRow(0);
    ui.step();
    EXPECT_EQ(dialog->currentPath, fs::canonical(root / "Sub").string() + "/");
    EXPECT_EQ(dialog->currentPathTextBox->text, dialog->currentPath);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"inner.xml"});
}

TEST_F(LoadFileDialogTest, OpenButton) {
    open();
    clickOpen();
    EXPECT_TRUE(ui.events().empty()) << "empty box, no selection";
    EXPECT_EQ(dialog->errorPopup, nullptr);

    pressRow(0);
    clickOpen();
    EXPECT_EQ(dialog->currentPath, fs::canonical(root / "Sub").string() + "/") << "a folder is entered";
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 0u);

    dialog->currentFileTextBox->setText("missing.xml");
    clickOpen();
    ASSERT_NE(dialog->errorPopup, nullptr);
    EXPECT_EQ(ui.windowManager().activeWindow, dialog->errorPopup);
    EXPECT_NE(ui.objectWithString(GameUILoadFileDialog::missingFileMessage), nullptr);
    // A second error keeps the first popup and message.
    // The popup holds the keys; the path box's Enter as it reports it.
    GameUIInfoPopupDialog* first = dialog->errorPopup;
    UIEvent::Data enter;
    enter.type = UIEvent::Click;
    enter.name = "enterPressed";
    enter.parentName = "currentPathTextBox";
    enter.source = dialog->currentPathTextBox;
    dialog->currentPathTextBox->setText("/no/such/folder");
    dialog->currentPathTextBox->eventSignal.emit(enter);
    ui.step();
    EXPECT_EQ(dialog->errorPopup, first);
    EXPECT_EQ(ui.objectWithString(GameUILoadFileDialog::missingFolderMessage), nullptr);

    ui.clickElement(*first->okButton);
    ui.step();
    EXPECT_EQ(dialog->errorPopup, nullptr);
    EXPECT_EQ(ui.windowManager().activeWindow, dialog) << "the dialog takes clicks again";

    dialog->currentFileTextBox->setText("inner.xml");
    clickOpen();
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 1u);
    EXPECT_EQ(dialog->currentPath + dialog->chosenFileName, fs::canonical(root / "Sub").string() + "/inner.xml");
}

TEST_F(LoadFileDialogTest, AFolderTypedIntoThePathBoxOpensOnEnter) {
    open();
    typeInto(dialog->currentPathTextBox, (root / "SUB").string());
    pressEnter();
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"inner.xml"}) << "another case finds the folder";
    EXPECT_EQ(dialog->currentPath, (root / "SUB").string() + "/");
    EXPECT_EQ(dialog->currentPathTextBox->text, dialog->currentPath);
    EXPECT_EQ(dialog->errorPopup, nullptr);

    typeInto(dialog->currentPathTextBox, (root / "nowhere").string());
    pressEnter();
    ASSERT_NE(dialog->errorPopup, nullptr);
    EXPECT_NE(ui.objectWithString(GameUILoadFileDialog::missingFolderMessage), nullptr);
    EXPECT_EQ(rowTexts(), std::vector<std::string>{"inner.xml"}) << "a bad folder changes nothing";
}

TEST_F(LoadFileDialogTest, AFileTypedIntoTheFileBoxOpensOnEnter) {
    open();
    typeInto(dialog->currentFileTextBox, "missing.xml");
    pressEnter();
    ASSERT_NE(dialog->errorPopup, nullptr);
    EXPECT_NE(ui.objectWithString(GameUILoadFileDialog::missingFileMessage), nullptr);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 0u);
    ui.clickElement(*dialog->errorPopup->okButton);
    ui.step();
    ASSERT_EQ(dialog->errorPopup, nullptr);

    typeInto(dialog->currentFileTextBox, "a.xml");
    pressEnter();
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 1u);
    EXPECT_EQ(ui.events().back().parentName, "loadFileDialog");
    EXPECT_EQ(dialog->currentPath + dialog->chosenFileName, fs::canonical(root).string() + "/a.xml");
}

TEST_F(LoadFileDialogTest, LoadErrorLiesAboveEveryPartOfTheDialog) {
    // Enough rows for the list's scroll bar and its slider.
    for (int i = 0; i < 40; ++i) std::ofstream(root / ("file" + std::to_string(i) + ".xml")) << "<x/>";
    const std::vector<RenderInterface::UIObject*> harnessObjects = ui.objects();
    open();
    ui.step();
    std::uint32_t dialogTop = 0;
    const std::vector<RenderInterface::UIObject*> before = ui.objects();
    for (RenderInterface::UIObject* object : before) {
        if (std::find(harnessObjects.begin(), harnessObjects.end(), object) != harnessObjects.end()) continue;
        dialogTop = std::max(dialogTop, UIHarness::layerOf(object));
    }
    ASSERT_NE(dialog->fileNameList->scrollBar->slider, nullptr);
    typeInto(dialog->currentFileTextBox, "missing.xml");
    pressEnter();
    ASSERT_NE(dialog->errorPopup, nullptr);
    std::size_t popupObjects = 0;
    for (RenderInterface::UIObject* object : ui.objects()) {
        if (std::find(before.begin(), before.end(), object) != before.end()) continue;
        ++popupObjects;
        EXPECT_GT(UIHarness::layerOf(object), dialogTop) << UIHarness::stringOf(object) << " " << object->name();
    }
    EXPECT_GE(popupObjects, 5u) << "frame, title bar, title, panel, message and the OK button";
    const RenderInterface::UIObject* title = ui.objectWithString("<id='TitleBarText'[*Load Error]>");
    ASSERT_NE(title, nullptr);
    EXPECT_GT(UIHarness::layerOf(title), dialogTop);
}

TEST_F(LoadFileDialogTest, FileNamesAreShownAsTheyAreSpelt) {
    std::ofstream(root / "a<b>.xml") << "<x/>";
    fs::create_directories(root / "[*old]");
    open();
    for (const std::string name : {"a<b>.xml", "[*old]"}) {
        const RenderInterface::UIObject* shown = ui.objectWithString(literalText(name));
        ASSERT_NE(shown, nullptr) << name;
        EXPECT_EQ(countDrawnCharacters(UIHarness::stringOf(shown)), name.size()) << name;
    }
}

// Each file listed opens; what can't be opened by name is left out, and a pipe typed by name
// is refused with the Load Error.
TEST_F(LoadFileDialogTest, ListsOnlyWhatOpensAndRefusesWhatIsNoFile) {
    std::ofstream(root / "noext") << "<x/>";
    std::ofstream(root / "back\\slash.xml") << "<x/>";
    ASSERT_EQ(mkfifo((root / "pipe.xml").c_str(), 0600), 0);
    open("*");
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Sub", "zed", "a.xml", "b.xml", "c.txt", "noext"}));

    pressRow(5);
    clickOpen();
    ASSERT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 1u);
    EXPECT_EQ(dialog->currentPath + dialog->chosenFileName, fs::canonical(root).string() + "/noext");

    typeInto(dialog->currentFileTextBox, "pipe.xml");
    clickOpen();
    ASSERT_NE(dialog->errorPopup, nullptr);
    EXPECT_NE(ui.objectWithString("<id='TitleBarText'[*Load Error]>"), nullptr);
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "okButton"), 1u) << "the pipe is not reported";
}

TEST_F(LoadFileDialogTest, CloseButtonCancels) {
    open();
    ui.clickElement(*dialog->closeButton);
    ui.step();
    EXPECT_EQ(ui.countEvents(UIEvent::Click, "cancelButton"), 1u);
}

} // namespace
