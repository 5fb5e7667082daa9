#include "app/frame_fixture_win32.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "app/app_win32.h"
#include "app/command_table.h"
#include "kernel/kernel.h"
#include "kernel/metrics.h"
#include "kernel/product.h"
#include "kernel/strings.h"
#include "package/package_file.h"
#include "platform/registry.h"
#include "store/store_layout.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Veltrane\\Ordalis\\1.0\\Metrics";

bool RegisterClassOnce() {
  static bool registered = RegisterFrameClass(GetModuleHandleA(nullptr));
  return registered;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Opens every menu of the frame, as the user would, and gives the one that
// holds `command`.
HMENU OpenMenuOf(HWND frame, int32_t command) {
  HMENU bar = GetMenu(frame);
  HMENU found = nullptr;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    HMENU popup = GetSubMenu(bar, i);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
    if (GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND) != static_cast<UINT>(-1)) found = popup;
  }
  return found;
}

}  // namespace

std::vector<std::string> FrameTest::openedUrls_;

int32_t FrameTest::RecordUrl(HWND, const char* url) {
  openedUrls_.push_back(url);
  return 0;
}

int32_t AnsweredFileDialogs::Ask(void*, const FileDialogRequest& request, FileDialogAnswer* answer) {
  asked.push_back(Asked{request.kind, request.title, request.folder != nullptr ? request.folder : "",
                        request.fileName != nullptr ? request.fileName : ""});
  if (answers.empty() || answers.front().path.empty()) {
    if (!answers.empty()) answers.pop_front();
    return E_FAIL;
  }
  snprintf(answer->path, sizeof(answer->path), "%s", answers.front().path.c_str());
  answer->readOnly = answers.front().readOnly;
  answers.pop_front();
  return 0;
}

void FrameTest::SetUp() {
  SystemStoreTest::SetUp();
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  VtKernel_Start(GetModuleHandleA(nullptr));
  VtRegisterProductTokens();
  // Each test starts from no settings: no recent files, no last folder.
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kSettingsKey);
  ASSERT_EQ(0, VtMetric_Open(&settings_, kProductName, kProductVersion, nullptr));
  ASSERT_EQ(0, VtLang_Open(&strings_, GetModuleHandleA(nullptr), 2, 0));
  ASSERT_TRUE(RegisterClassOnce());
  VtMsgBoxSetHook(AnswerBox, this);
}

void FrameTest::TearDown() {
  DestroyFrame();
  VtMsgBoxSetHook(nullptr, nullptr);
  openedUrls_.clear();
  VtLang_Close(strings_);
  VtMetric_Close(settings_);
  SystemStoreTest::TearDown();
}

int32_t FrameTest::AnswerBox(void* context, const VtMsgBoxQuestion& question) {
  auto* test = static_cast<FrameTest*>(context);
  test->boxes_.push_back(ShownBox{question.text, question.caption, question.status});
  if (test->onBox_) test->onBox_(question);
  if (test->answers_.empty()) return question.buttons.defaultAnswer;
  int32_t answer = test->answers_.front();
  test->answers_.pop_front();
  return answer;
}

void FrameTest::WriteStore() {
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(20, 1));
  SetBinary(PlugInKey(kClassA), "Long", Pattern(30, 2));
  SetText(PlugInKey(kClassA), "Big", WriteFile("big.dxp", Pattern(4096, 3)));
  Register(kClassA, "delay");
  SetBinary(PlugInKey(kClassB), "Wide", Pattern(40, 4));
  Register(kClassB, "Chorus");
  SetBinary(PlugInKey(kClassC), "Odd", Pattern(50, 5));
  SetBinary(EditorKey("Reverb"), "Hall", Pattern(60, 6));
  SetChain("chain-1", "Vocal", Pattern(70, 7));
  SetChain("chain-2", "Drums", Pattern(80, 8));
}

std::string FrameTest::WritePackageFile(const std::string& name, const std::vector<std::string>& presets) {
  StoreRecords records;
  EXPECT_TRUE(records.CreateEmpty());
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("delay", kClassA);
  for (const std::string& preset : presets) {
    std::unique_ptr<PresetRecord> record = PresetRecord::Create(preset.c_str());
    record->data.Assign(preset.data(), static_cast<uint32_t>(preset.size()));
    entry->AppendPreset(std::move(record));
  }
  records.plugIns->Append(std::move(entry));
  std::string path = folder_.Join(name);
  EXPECT_EQ(0, ::WritePackage(path.c_str(), records.plugIns.get(), records.chains.get()));
  return path;
}

void FrameTest::StartFrame(const std::string& document) {
  DocumentRecord record;
  Document_SetUntitled(&record);
  if (!document.empty()) Document_SetPath(&record, document.c_str());
  FrameSetup setup = {GetModuleHandleA(nullptr), settings_, strings_, kProductFullName, record};
  ASSERT_EQ(0, CreateFrame(setup, &frame_));
  frame_->fileDialogs = &dialogs_;
  frame_->openUrl = RecordUrl;
  SetWindowPos(frame_->window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateFrameTitle(*frame_);
  Pump();
}

void FrameTest::ShowFrame() {
  ShowWindow(frame_->window, SW_SHOWNORMAL);
  Pump();
}

void FrameTest::DestroyFrame() {
  frame_.reset();
  // The frame posts the end of the message loop as it goes.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::string FrameTest::NodeLabel(HWND tree, HTREEITEM node) {
  char text[1024] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string FrameTest::TreeShape(HWND tree, HTREEITEM parent) {
  std::ostringstream out;
  HTREEITEM child = parent == TVI_ROOT ? Next(tree, nullptr, TVGN_ROOT) : Next(tree, parent, TVGN_CHILD);
  for (bool first = true; child != nullptr; child = Next(tree, child, TVGN_NEXT), first = false) {
    out << (first ? "" : ", ") << NodeLabel(tree, child);
    std::string below = TreeShape(tree, child);
    if (!below.empty()) out << "(" << below << ")";
  }
  return out.str();
}

HTREEITEM FrameTest::NodeAt(HWND tree, const std::string& path) {
  HTREEITEM node = TVI_ROOT;
  std::istringstream parts(path);
  std::string label;
  while (std::getline(parts, label, '/')) {
    HTREEITEM child = node == TVI_ROOT ? Next(tree, nullptr, TVGN_ROOT) : Next(tree, node, TVGN_CHILD);
    while (child != nullptr && NodeLabel(tree, child) != label) child = Next(tree, child, TVGN_NEXT);
    if (child == nullptr) return nullptr;
    node = child;
  }
  return node == TVI_ROOT ? nullptr : node;
}

HTREEITEM FrameTest::Selected(HWND tree) { return Next(tree, nullptr, TVGN_CARET); }

void FrameTest::Select(Pane& pane, const std::string& path) {
  HTREEITEM node = NodeAt(pane.tree, path);
  ASSERT_NE(nullptr, node) << path;
  SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

std::string FrameTest::ListLabels(HWND list) {
  std::string out;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[1024] = {};
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    out += (i > 0 ? ", " : "") + std::string(text);
  }
  return out;
}

int32_t FrameTest::ListIndexOf(HWND list, const std::string& label) {
  LVFINDINFOA find = {};
  find.flags = LVFI_STRING;
  find.psz = label.c_str();
  return static_cast<int32_t>(SendMessageA(list, LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)));
}

std::vector<int32_t> FrameTest::SelectedItems(HWND list) {
  std::vector<int32_t> items;
  for (int i = -1; (i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;) {
    items.push_back(i);
  }
  return items;
}

void FrameTest::DoubleClickItem(Pane& pane, int32_t item) {
  NMITEMACTIVATE click = {};
  click.hdr.hwndFrom = pane.list;
  click.hdr.idFrom = static_cast<UINT_PTR>(PaneListId(pane.index));
  click.hdr.code = NM_DBLCLK;
  click.iItem = item;
  SendMessageA(frame_->window, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

void FrameTest::PressEnter(Pane& pane) {
  NMHDR enter = {pane.list, static_cast<UINT_PTR>(PaneListId(pane.index)), static_cast<UINT>(NM_RETURN)};
  SendMessageA(frame_->window, WM_NOTIFY, enter.idFrom, reinterpret_cast<LPARAM>(&enter));
}

bool FrameTest::RenameItem(Pane& pane, int32_t item, const std::string& text) {
  SetFocus(pane.list);
  HWND edit = reinterpret_cast<HWND>(SendMessageA(pane.list, LVM_EDITLABELA, item, 0));
  if (edit == nullptr) return false;
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  return true;
}

void FrameTest::PressKey(UINT key, uint8_t modifiers) {
  SendKey((modifiers & kKeyAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, modifiers);
}

void FrameTest::TypeCharacter(char character, uint8_t modifiers) {
  SendKey((modifiers & kKeyAlt) ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(character), modifiers);
}

void FrameTest::SendKey(UINT message, WPARAM key, uint8_t modifiers) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE before[256];
  memcpy(before, keys, sizeof(before));
  keys[VK_CONTROL] = (modifiers & kKeyCtrl) ? 0x80 : 0;
  keys[VK_SHIFT] = (modifiers & kKeyShift) ? 0x80 : 0;
  keys[VK_MENU] = (modifiers & kKeyAlt) ? 0x80 : 0;
  SetKeyboardState(keys);
  MSG msg = {};
  msg.hwnd = GetFocus() != nullptr ? GetFocus() : frame_->window;
  msg.message = message;
  msg.wParam = key;
  msg.lParam = (modifiers & kKeyAlt) ? 0x20000001 : 1;  // bit 29: Alt is down
  App_HandleMessage(frame_->window, frame_->accelerators.Get(), &msg);
  SetKeyboardState(before);
  Pump();
}

UINT FrameTest::MenuState(int32_t command) {
  HMENU popup = OpenMenuOf(frame_->window, command);
  return popup != nullptr ? GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND) : static_cast<UINT>(-1);
}

std::string FrameTest::MenuText(int32_t command) {
  HMENU popup = OpenMenuOf(frame_->window, command);
  if (popup == nullptr) return "(none)";
  char text[512] = {};
  GetMenuStringA(popup, static_cast<UINT>(command), text, sizeof(text), MF_BYCOMMAND);
  return text;
}

std::string FrameTest::Caption() {
  char text[512] = {};
  GetWindowTextA(frame_->window, text, sizeof(text));
  return text;
}

EditOutcome FrameTest::Copy(StoreId source, const Selection& selection) {
  EditContext edit = {frame_->stores, frame_->history, nullptr};
  EditOutcome outcome = CopySelectionToOtherStore(edit, source, selection);
  if (outcome.committed) RefreshStorePane(*frame_, outcome.changedStore);
  return outcome;
}

Selection FrameTest::ListSelection(NodeKind kind, const char* context, const std::vector<std::string>& names) {
  Selection selection;
  for (const std::string& name : names) selection.names.Add(name.c_str());
  snprintf(selection.context, sizeof(selection.context), "%s", context);
  selection.focus = FocusKind::List;
  selection.selectedKind = kind;
  return selection;
}

bool FrameTest::PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    Pump();
    if (condition()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void FrameTest::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

FocusKind FrameTest::Choose(Pane& pane, const std::string& path, const std::vector<std::string>& items) {
  Select(pane, path);
  Pump();
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  for (const std::string& label : items) {
    int32_t index = ListIndexOf(pane.list, label);
    EXPECT_GE(index, 0) << label << " in " << ListLabels(pane.list);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(pane.list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  }
  return items.empty() ? FocusKind::Tree : FocusKind::List;
}
