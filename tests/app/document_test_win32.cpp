// The package document in the real frame: New, Open, Save and Save As with
// their flags and title, read-only files, the recent files across a restart,
// the question whether to save changes, failed saves, dropped files and the
// package named on the command line. Dialogs and boxes are answered by the
// test.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/frame_fixture_win32.h"
#include "kernel/metrics.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/text.h"
#include "resource.h"

namespace {

constexpr const char* kNewTitle = "Veltrane Ordalis 1.0 - Untitled";

std::string TitleOf(const std::string& name) { return std::string("Veltrane Ordalis 1.0 - ") + name; }

std::vector<unsigned char> FileBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes)) << path;
  return bytes;
}

// The names of the presets a package file holds, "plug-in/preset, ...".
std::string PackageContents(const std::string& path) {
  StoreRecords records;
  if (!records.CreateEmpty() || ReadPackage(path.c_str(), *records.plugIns, *records.chains) != 0) return "(unreadable)";
  std::string out;
  for (const auto& entry : records.plugIns->Entries()) {
    for (const auto& preset : entry->Presets()) {
      out += (out.empty() ? "" : ", ") + std::string(entry->name) + "/" + preset->name;
    }
  }
  return out;
}

class Document : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
  }

  void CopyDelayPresets(const std::vector<std::string>& names) {
    ASSERT_TRUE(Copy(StoreId::System, ListSelection(NodeKind::PlugIn, "delay", names)).committed);
  }

  void Command(int32_t command) { SendMessageA(frame_->window, WM_COMMAND, command, 0); }

  void OpenWithDialog(const std::string& path, bool readOnly = false) {
    dialogs_.answers.push_back({path, readOnly});
    PressKey('O', kKeyCtrl);
  }

  void SaveAsWithDialog(const std::string& path) {
    dialogs_.answers.push_back({path, false});
    Command(ID_FILE_SAVE_AS);
  }

  // Drops a file of that name on the frame, as the shell does.
  void DropFile(const std::u16string& path) {
    size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(char16_t);
    HGLOBAL drop = GlobalAlloc(GHND, bytes);
    ASSERT_NE(nullptr, drop);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(char16_t));
    GlobalUnlock(drop);
    SendMessageA(frame_->window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }

  std::u16string Wide(const std::string& text) {
    std::u16string wide(text.size() + 1, u'\0');
    wide.resize(Text_ToUtf16(text.c_str(), wide.data(), wide.size()));
    return wide;
  }

  std::string RecentPath(int index) const { return frame_->recent.entries[index].path; }

  std::string LastFolder() {
    char folder[kNameSize] = {};
    VtGetMetricStringEx(settings_, 31000, folder, sizeof(folder), nullptr, false);
    return folder;
  }
};

TEST_F(Document, NewOpenSaveAndSaveAsCarryTheirFlagsIntoTheTitle) {
  StartFrame();
  EXPECT_EQ(kNewTitle, Caption());
  CopyDelayPresets({"Warm", "Long"});
  EXPECT_EQ(TitleOf("Untitled*"), Caption());

  // An untitled package is saved under a name first.
  std::string one = folder_.Join("one.vtpreset");
  dialogs_.answers.push_back({one, false});
  PressKey('S', kKeyCtrl);
  ASSERT_EQ(1u, dialogs_.asked.size());
  EXPECT_EQ(FileDialogKind::Save, dialogs_.asked[0].kind);
  EXPECT_EQ("Save Preset Package", dialogs_.asked[0].title);
  EXPECT_EQ("Untitled", dialogs_.asked[0].fileName);
  EXPECT_EQ(TitleOf("one.vtpreset"), Caption());
  EXPECT_EQ(0u, frame_->document.flags);
  EXPECT_EQ("one.vtpreset(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_EQ("delay/Warm, delay/Long", PackageContents(one));
  EXPECT_EQ(folder_.Path(), LastFolder());

  // Saved again without a question, under its name.
  CopyDelayPresets({"Big"});
  EXPECT_EQ(TitleOf("one.vtpreset*"), Caption());
  PressKey('S', kKeyCtrl);
  EXPECT_EQ(1u, dialogs_.asked.size());
  EXPECT_EQ(TitleOf("one.vtpreset"), Caption());
  EXPECT_EQ("delay/Warm, delay/Long, delay/Big", PackageContents(one));
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE));

  // New starts empty and without the steps of the package before.
  EXPECT_TRUE(MenuEnabled(ID_EDIT_UNDO));
  PressKey('N', kKeyCtrl);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(kNewTitle, Caption());
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
  EXPECT_EQ(0, GetRedoCount(frame_->history));

  OpenWithDialog(one);
  EXPECT_EQ("Open Preset Package", dialogs_.asked.back().title);
  EXPECT_EQ(folder_.Path(), dialogs_.asked.back().folder);
  EXPECT_EQ(TitleOf("one.vtpreset"), Caption());
  EXPECT_EQ("one.vtpreset(FX Plug-Ins(delay))", TreeShape(Package().tree));
}

// Deletes, or an undo, can leave an opened package with nothing in it: that
// is a change its file must take too.
TEST_F(Document, AnOpenedPackageEmptiedByADeleteOrAnUndoCanBeSaved) {
  StartFrame();
  CopyDelayPresets({"Warm"});
  std::string one = folder_.Join("one.vtpreset");
  dialogs_.answers.push_back({one, false});
  PressKey('S', kKeyCtrl);
  ASSERT_EQ("delay/Warm", PackageContents(one));
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE_AS));

  ShowFrame();
  Select(Package(), "one.vtpreset/FX Plug-Ins");
  SetFocus(Package().tree);
  PressKey(VK_DELETE);
  EXPECT_EQ("one.vtpreset", TreeShape(Package().tree));
  EXPECT_EQ(TitleOf("one.vtpreset*"), Caption());
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(ButtonEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE_AS));
  PressKey('S', kKeyCtrl);
  EXPECT_EQ(1u, dialogs_.asked.size());
  EXPECT_EQ(TitleOf("one.vtpreset"), Caption());
  EXPECT_EQ("", PackageContents(one));
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE_AS));  // nothing changed, nothing in it

  // The copy into an untitled package, undone: changed and empty, with no
  // file yet: Save As only.
  PressKey('N', kKeyCtrl);
  CopyDelayPresets({"Long"});
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ(TitleOf("Untitled*"), Caption());
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE_AS));
}

// Undoing after New must not reach into the new package.
TEST_F(Document, AStepRecordedOnOnePackageIsNotTakenOnTheNextOne) {
  StartFrame();
  CopyDelayPresets({"Warm"});
  answers_.push_back(IDNO);
  PressKey('N', kKeyCtrl);
  CopyDelayPresets({"Long"});
  PressKey('Z', kKeyCtrl);
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  PressKey('Z', kKeyCtrl | kKeyShift);
  PressKey('Z', kKeyCtrl | kKeyShift);
  Select(Package(), "Untitled/FX Plug-Ins/delay");
  EXPECT_EQ("Long", ListLabels(Package().list));
}

TEST_F(Document, AReadOnlyFileIsSavedUnderANameThatCanBeWritten) {
  std::string locked = WritePackageFile("locked.vtpreset", {"Soft"});
  ASSERT_EQ(0, File_SetReadOnly(locked.c_str(), true));
  std::vector<unsigned char> before = FileBytes(locked);
  StartFrame();
  OpenWithDialog(locked);
  EXPECT_EQ(TitleOf("locked.vtpreset (Read-Only)"), Caption());
  CopyDelayPresets({"Warm"});
  EXPECT_EQ(TitleOf("locked.vtpreset* (Read-Only)"), Caption());

  // Save asks for a name; the read-only file itself is refused, the dialog comes again.
  std::string mine = folder_.Join("Mine.vtpreset");
  dialogs_.answers.push_back({locked, false});
  dialogs_.answers.push_back({mine, false});
  PressKey('S', kKeyCtrl);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The specified file exists and is read-only.\nPlease use a different file name.", boxes_[0].text);
  ASSERT_EQ(3u, dialogs_.asked.size());
  EXPECT_EQ(locked, dialogs_.asked[1].fileName);
  EXPECT_EQ(locked, dialogs_.asked[2].fileName);
  EXPECT_EQ(TitleOf("Mine.vtpreset"), Caption());
  EXPECT_EQ("Mine.vtpreset(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_EQ(before, FileBytes(locked));
  EXPECT_EQ("delay/Soft, delay/Warm", PackageContents(mine));

  // A writable file opened with the dialog's read-only box ticked is read-only too.
  OpenWithDialog(mine, true);
  EXPECT_EQ(TitleOf("Mine.vtpreset (Read-Only)"), Caption());
  File_SetReadOnly(locked.c_str(), false);
}

TEST_F(Document, RecentFilesSurviveARestartAndOneThatIsGoneLeavesTheMenu) {
  std::string a = WritePackageFile("a.vtpreset", {"A"});
  std::string b = WritePackageFile("b.vtpreset", {"B"});
  std::string rock = WritePackageFile("R&B.vtpreset", {"C"});
  StartFrame();
  for (const std::string& path : {a, b, rock, a}) OpenWithDialog(path);
  ASSERT_EQ(3, frame_->recent.count);
  auto shown = [&](const std::string& path) {
    std::string text;
    for (char c : path) text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
  };
  EXPECT_EQ("&1 " + a, MenuText(ID_FILE_MRU_FIRST));
  EXPECT_EQ("&2 " + shown(rock), MenuText(ID_FILE_MRU_FIRST + 1));
  EXPECT_EQ("&3 " + b, MenuText(ID_FILE_MRU_FIRST + 2));

  DestroyFrame();
  StartFrame();
  EXPECT_EQ("&1 " + a, MenuText(ID_FILE_MRU_FIRST));
  EXPECT_EQ("&3 " + b, MenuText(ID_FILE_MRU_FIRST + 2));
  // At the end of the File menu, after Exit and a separator.
  HMENU file = GetSubMenu(GetMenu(frame_->window), 0);
  int count = GetMenuItemCount(file);
  EXPECT_EQ(static_cast<UINT>(ID_APP_EXIT), GetMenuItemID(file, count - 5));
  EXPECT_EQ(0u, GetMenuItemID(file, count - 4));
  EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FIRST + 2), GetMenuItemID(file, count - 1));

  Command(ID_FILE_MRU_FIRST + 1);
  EXPECT_EQ(TitleOf("R&B.vtpreset"), Caption());
  EXPECT_EQ("&1 " + shown(rock), MenuText(ID_FILE_MRU_FIRST));

  ASSERT_EQ(0, File_Delete(b.c_str()));
  Command(ID_FILE_MRU_FIRST + 2);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The file " + b + " could not be opened.\n\nMake sure you have access to the specified file.",
            boxes_[0].text);
  EXPECT_EQ(TitleOf("R&B.vtpreset"), Caption());
  EXPECT_EQ(static_cast<UINT>(-1), MenuState(ID_FILE_MRU_FIRST + 2));
  EXPECT_EQ(2, frame_->recent.count);
}

TEST_F(Document, TheQuestionBeforeReplacingChangesStopsOnCancelAndOnASaveThatDidNotHappen) {
  std::string a = WritePackageFile("a.vtpreset", {"A"});
  StartFrame(a);
  CopyDelayPresets({"Warm"});
  const std::string changed = TitleOf("a.vtpreset*");

  answers_.push_back(IDCANCEL);
  PressKey('N', kKeyCtrl);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("Do you want to save changes to a.vtpreset?", boxes_[0].text);
  EXPECT_EQ(changed, Caption());

  // Opening a recent file or a dropped one asks as well.
  answers_.push_back(IDCANCEL);
  Command(ID_FILE_MRU_FIRST);
  answers_.push_back(IDCANCEL);
  DropFile(Wide(a));
  answers_.push_back(IDCANCEL);
  SendMessageA(frame_->window, WM_CLOSE, 0, 0);
  EXPECT_EQ(4u, boxes_.size());
  EXPECT_EQ(changed, Caption());
  ASSERT_NE(nullptr, frame_->window);

  // Yes saves, then goes on.
  answers_.push_back(IDYES);
  PressKey('N', kKeyCtrl);
  EXPECT_EQ(kNewTitle, Caption());
  EXPECT_EQ("delay/A, delay/Warm", PackageContents(a));

  // Yes with a save that fails, or whose dialog is cancelled, stops.
  CopyDelayPresets({"Long"});
  answers_.push_back(IDYES);
  dialogs_.answers.push_back({folder_.Join("missing\\x.vtpreset"), false});
  PressKey('N', kKeyCtrl);
  EXPECT_EQ(TitleOf("Untitled*"), Caption());
  answers_.push_back(IDYES);
  dialogs_.answers.push_back({"", false});
  PressKey('O', kKeyCtrl);
  EXPECT_EQ(TitleOf("Untitled*"), Caption());
  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));

  // No discards the changes.
  answers_.push_back(IDNO);
  OpenWithDialog(a);
  EXPECT_EQ(TitleOf("a.vtpreset"), Caption());
}

TEST_F(Document, AFailedSaveSaysWhyAndKeepsTheChangesThePathAndTheRecentFiles) {
  StartFrame();
  CopyDelayPresets({"Warm"});
  std::string nowhere = folder_.Join("missing\\x.vtpreset");
  SaveAsWithDialog(nowhere);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The preset package could not be saved as " + nowhere + ".\n\nThe file could not be created.",
            boxes_[0].text);
  EXPECT_EQ(E_FILE_CREATE, boxes_[0].status);
  EXPECT_EQ(TitleOf("Untitled*"), Caption());
  EXPECT_EQ(0, frame_->recent.count);
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE));

  // A package saved once, whose file's place is then taken by a folder.
  std::string saved = folder_.Join("saved.vtpreset");
  SaveAsWithDialog(saved);
  CopyDelayPresets({"Long"});
  ASSERT_EQ(0, File_Delete(saved.c_str()));
  ASSERT_EQ(0, File_CreateFolder(saved.c_str()));
  PressKey('S', kKeyCtrl);
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ(0u, boxes_[1].text.find("The preset package could not be saved as " + saved + ".")) << boxes_[1].text;
  EXPECT_LT(boxes_[1].status, 0);
  EXPECT_EQ(TitleOf("saved.vtpreset*"), Caption());
  EXPECT_EQ(saved, frame_->document.path);
  EXPECT_EQ(1, frame_->recent.count);
  File_RemoveFolder(saved.c_str());
}

TEST_F(Document, ADroppedFileOpensUnderItsOwnNameAndOneTooLongIsRefused) {
  std::string name = "Пресеты für 日本.vtpreset";
  std::string path = WritePackageFile(name, {"Übung"});
  StartFrame();
  DropFile(Wide(path));
  EXPECT_EQ(TitleOf(name), Caption());
  EXPECT_EQ(path, RecentPath(0));
  Select(Package(), name + "/FX Plug-Ins/delay");
  EXPECT_EQ("Übung", ListLabels(Package().list));

  // Two bytes to each letter: 150 letters do not fit a path of 259 bytes.
  std::string tooLong = folder_.Join("");
  for (int i = 0; i < 150; ++i) tooLong += "é";
  tooLong += ".vtpreset";
  DropFile(Wide(tooLong));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_NE(std::string::npos, boxes_[0].text.find(tooLong));
  EXPECT_EQ(TitleOf(name), Caption());
}

TEST_F(Document, APackageFromTheCommandLineSavedUnderANewNameReopensFromTheRecentFilesAsItWas) {
  std::string original = WritePackageFile("bank.vtpreset", {"One", "Two"});
  StartFrame(original);
  EXPECT_EQ(TitleOf("bank.vtpreset"), Caption());
  EXPECT_EQ("bank.vtpreset(FX Plug-Ins(delay))", TreeShape(Package().tree));
  std::string copy = folder_.Join("bank copy.vtpreset");
  SaveAsWithDialog(copy);
  EXPECT_EQ(TitleOf("bank copy.vtpreset"), Caption());
  EXPECT_EQ(FileBytes(original), FileBytes(copy));

  PressKey('N', kKeyCtrl);
  EXPECT_EQ("&1 " + copy, MenuText(ID_FILE_MRU_FIRST));
  Command(ID_FILE_MRU_FIRST);
  EXPECT_EQ(TitleOf("bank copy.vtpreset"), Caption());
  // However it was opened, the package shows what it holds at once.
  EXPECT_EQ("FX Plug-Ins", ListLabels(Package().list));
  Select(Package(), "bank copy.vtpreset/FX Plug-Ins/delay");
  EXPECT_EQ("One, Two", ListLabels(Package().list));
}

TEST_F(Document, ExitAsksOnceAndClosesUnlessCancelled) {
  StartFrame();
  CopyDelayPresets({"Warm"});
  answers_.push_back(IDCANCEL);
  Command(ID_APP_EXIT);
  Pump();
  ASSERT_NE(nullptr, frame_->window);
  answers_.push_back(IDNO);
  Command(ID_APP_EXIT);
  Pump();
  EXPECT_EQ(nullptr, frame_->window);
  EXPECT_EQ(2u, boxes_.size());
}

}  // namespace
