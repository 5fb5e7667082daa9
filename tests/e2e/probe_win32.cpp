// e2e_probe: reads the running program's window from another process, for
// the end-to-end journeys. The trees and lists by their messages: what a
// message fills in is read through a buffer placed in the program's own
// memory, as a control's pointers refer to its process. The menus through
// e2e_menu.dll, run in the program: Wine gives no other process its menus.
//
//   e2e_probe menu [ID...]        one line per command: "ID enabled|grayed TEXT"; all without IDs
//   e2e_probe focus               the control with the focus: "package tree", "system list", ...
//   e2e_probe selected PANE       the label of the tree's selected node
//   e2e_probe node PANE LABEL     screen point "X Y" on the visible tree node of that label
//   e2e_probe list PANE           the list's labels, one a line
//   e2e_probe listpoint PANE      screen point "X Y" inside the list below its items
//   e2e_probe item PANE LABEL     screen point "X Y" on the list item of that label
//   e2e_probe windows             the program's other shown windows, one a line: the
//                                 caption, then " | " and each static text
//   e2e_probe title               the frame's caption
//   e2e_probe split PANE          the widths of the tree and the list: "TREE LIST"
//   e2e_probe caption PANE        the caption on the screen: "X Y WIDTH HEIGHT TEXT"
//   e2e_probe focuseditem PANE    the label of the list's focused item (empty for none)
//
// PANE is "package" or "system". Exit code 0 on success, 1 when the thing
// asked for is not there, 2 on a usage error.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kTextSize = 512;

struct Controls {
  HWND frame = nullptr;
  HWND tree[2] = {};  // [0] the package pane's (the upper), [1] the system pane's
  HWND list[2] = {};
};

HWND FindFrame() { return FindWindowA("Ordalis.Class.Frame", nullptr); }

int TopOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.top;
}

// Places the two controls of a class found under the frame in pane order.
void Place(HWND found[2], HWND window) {
  if (found[0] == nullptr) {
    found[0] = window;
  } else if (TopOf(window) < TopOf(found[0])) {
    found[1] = found[0];
    found[0] = window;
  } else {
    found[1] = window;
  }
}

BOOL CALLBACK CollectControl(HWND window, LPARAM context) {
  auto* controls = reinterpret_cast<Controls*>(context);
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, WC_TREEVIEWA) == 0) Place(controls->tree, window);
  if (lstrcmpiA(name, WC_LISTVIEWA) == 0) Place(controls->list, window);
  return TRUE;
}

bool FindControls(Controls& controls) {
  controls.frame = FindFrame();
  if (controls.frame == nullptr) return false;
  EnumChildWindows(controls.frame, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls.tree[1] != nullptr && controls.list[1] != nullptr;
}

int PaneIndex(const char* pane) {
  if (strcmp(pane, "package") == 0) return 0;
  if (strcmp(pane, "system") == 0) return 1;
  return -1;
}

// A block of the program's memory that a message can fill in and this
// process then reads back.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, nullptr) != 0;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, nullptr) != 0;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

// The buffer holds the item record first and its text after it.
constexpr size_t kTextOffset = 256;

bool TreeLabel(HWND tree, HTREEITEM node, char* text, size_t size) {
  RemoteBuffer buffer(tree, kTextOffset + kTextSize);
  if (!buffer.Valid()) return false;
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = buffer.At(kTextOffset);
  item.cchTextMax = static_cast<int>(kTextSize);
  if (!buffer.Write(0, &item, sizeof(item))) return false;
  if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.At(0))) == 0) return false;
  if (!buffer.Read(kTextOffset, text, size)) return false;
  text[size - 1] = '\0';
  return true;
}

bool NodeRect(HWND tree, HTREEITEM node, RECT& rect) {
  RemoteBuffer buffer(tree, sizeof(RECT));
  if (!buffer.Valid()) return false;
  // The message takes the node in the rectangle's first field.
  memcpy(&rect, &node, sizeof(node));
  if (!buffer.Write(0, &rect, sizeof(rect))) return false;
  if (SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.At(0))) == 0) return false;
  return buffer.Read(0, &rect, sizeof(rect));
}

bool ListLabel(HWND list, int index, char* text, size_t size) {
  RemoteBuffer buffer(list, kTextOffset + kTextSize);
  if (!buffer.Valid()) return false;
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = buffer.At(kTextOffset);
  item.cchTextMax = static_cast<int>(kTextSize);
  if (!buffer.Write(0, &item, sizeof(item))) return false;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At(0)));
  if (!buffer.Read(kTextOffset, text, size)) return false;
  text[size - 1] = '\0';
  return true;
}

int ListIndex(HWND list, const char* label) {
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[kTextSize];
    if (ListLabel(list, i, text, sizeof(text)) && strcmp(text, label) == 0) return i;
  }
  return -1;
}

bool ItemRect(HWND list, int index, RECT& rect) {
  RemoteBuffer buffer(list, sizeof(RECT));
  rect = {};
  rect.left = LVIR_LABEL;
  if (!buffer.Valid() || !buffer.Write(0, &rect, sizeof(rect))) return false;
  if (SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At(0))) == 0) {
    return false;
  }
  return buffer.Read(0, &rect, sizeof(rect));
}

int PrintPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  printf("%ld %ld\n", static_cast<long>(point.x), static_cast<long>(point.y));
  return 0;
}

// The module of `name` in `process`, or null.
HMODULE RemoteModule(DWORD process, const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  HMODULE found = nullptr;
  for (BOOL more = Module32First(snapshot, &entry); more && found == nullptr; more = Module32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szModule, name) == 0) found = entry.hModule;
  }
  CloseHandle(snapshot);
  return found;
}

// The address in `remote` (the same module loaded in the other process) of
// `local`'s export `function`.
LPTHREAD_START_ROUTINE RemoteFunction(HMODULE local, HMODULE remote, const char* function) {
  FARPROC address = GetProcAddress(local, function);
  if (address == nullptr || remote == nullptr) return nullptr;
  uintptr_t offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(local);
  return reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<uintptr_t>(remote) + offset);
}

bool RunRemote(HANDLE process, LPTHREAD_START_ROUTINE function, void* argument) {
  if (function == nullptr) return false;
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, function, argument, 0, nullptr);
  if (thread == nullptr) return false;
  bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  return ended;
}

// Loads e2e_menu.dll (beside this program) into the program once and has it
// write the menu file.
bool DumpRemoteMenu(HWND frame, const char* output) {
  char dll[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, dll, sizeof(dll));
  char* slash = strrchr(dll, '\\');
  if (length == 0 || length >= sizeof(dll) || slash == nullptr || slash + 13 > dll + sizeof(dll)) return false;
  strcpy(slash + 1, "e2e_menu.dll");
  HMODULE local = LoadLibraryA(dll);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  DWORD id = 0;
  GetWindowThreadProcessId(frame, &id);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, id);
  if (local == nullptr || process == nullptr) return false;
  bool done = false;
  if (RemoteModule(id, "e2e_menu.dll") == nullptr) {
    RemoteBuffer path(frame, sizeof(dll));
    if (path.Valid() && path.Write(0, dll, strlen(dll) + 1)) {
      RunRemote(process, RemoteFunction(kernel, RemoteModule(id, "kernel32.dll"), "LoadLibraryA"), path.At(0));
    }
  }
  DeleteFileA(output);
  done = RunRemote(process, RemoteFunction(local, RemoteModule(id, "e2e_menu.dll"), "DumpMenu"), nullptr);
  CloseHandle(process);
  return done;
}

int ShowMenu(int count, char** ids) {
  HWND frame = FindFrame();
  char output[MAX_PATH + 32];
  DWORD length = GetTempPathA(MAX_PATH, output);
  if (frame == nullptr || length == 0 || length >= MAX_PATH) return 1;
  strcat(output, "ordalis-e2e-menu.txt");
  if (!DumpRemoteMenu(frame, output)) return 1;
  FILE* in = fopen(output, "r");
  if (in == nullptr) return 1;
  int result = count > 0 ? 1 : 0;
  char line[kTextSize + 32];
  while (fgets(line, sizeof(line), in) != nullptr) {
    if (count == 0) fputs(line, stdout);
    for (int i = 0; i < count; ++i) {
      size_t size = strlen(ids[i]);
      if (strncmp(line, ids[i], size) == 0 && line[size] == ' ') {
        fputs(line, stdout);
        result = 0;
      }
    }
  }
  fclose(in);
  return result;
}

int ShowFocus() {
  Controls controls;
  if (!FindControls(controls)) return 1;
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(controls.frame, nullptr), &info)) return 1;
  static const char* const kPanes[] = {"package", "system"};
  for (int pane = 0; pane < 2; ++pane) {
    if (info.hwndFocus == controls.tree[pane]) return printf("%s tree\n", kPanes[pane]) < 0;
    if (info.hwndFocus == controls.list[pane]) return printf("%s list\n", kPanes[pane]) < 0;
  }
  char name[64] = "none";
  if (info.hwndFocus != nullptr) GetClassNameA(info.hwndFocus, name, sizeof(name));
  printf("other %s\n", name);
  return 0;
}

int ShowSelected(HWND tree) {
  auto node = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  char text[kTextSize];
  if (node == nullptr || !TreeLabel(tree, node, text, sizeof(text))) return 1;
  printf("%s\n", text);
  return 0;
}

int ShowNode(HWND tree, const char* label) {
  auto node = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  for (; node != nullptr;
       node = reinterpret_cast<HTREEITEM>(
           SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(node)))) {
    char text[kTextSize];
    RECT rect;
    if (TreeLabel(tree, node, text, sizeof(text)) && strcmp(text, label) == 0 && NodeRect(tree, node, rect)) {
      return PrintPoint(tree, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
  }
  return 1;
}

int ShowList(HWND list) {
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[kTextSize];
    if (!ListLabel(list, i, text, sizeof(text))) return 1;
    printf("%s\n", text);
  }
  return 0;
}

int ShowItem(HWND list, const char* label) {
  int index = ListIndex(list, label);
  RECT rect;
  if (index < 0 || !ItemRect(list, index, rect)) return 1;
  return PrintPoint(list, rect.left + 8, (rect.top + rect.bottom) / 2);
}

// A point in the list's client area, low enough to be below short lists.
int ShowListPoint(HWND list) {
  RECT client = {};
  GetClientRect(list, &client);
  return PrintPoint(list, client.right / 3, client.bottom - client.bottom / 4);
}

// The widths of the pane's tree and list: "TREE LIST".
int ShowSplit(HWND tree, HWND list) {
  RECT t = {}, l = {};
  GetWindowRect(tree, &t);
  GetWindowRect(list, &l);
  return printf("%ld %ld\n", static_cast<long>(t.right - t.left), static_cast<long>(l.right - l.left)) < 0;
}

// The pane's caption on the screen: "X Y WIDTH HEIGHT", and its text.
int ShowCaption(HWND frame, int pane) {
  HWND label = GetDlgItem(frame, 10 + pane);
  RECT r = {};
  char text[kTextSize] = {};
  if (label == nullptr || !GetWindowRect(label, &r)) return 1;
  GetWindowTextA(label, text, sizeof(text));
  return printf("%ld %ld %ld %ld %s\n", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top), text) < 0;
}

// The label of the list's focused item, empty when none has the focus.
int ShowFocusedItem(HWND list) {
  int index = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  char text[kTextSize] = {};
  if (index >= 0 && !ListLabel(list, index, text, sizeof(text))) return 1;
  return printf("%s\n", text) < 0;
}

struct WindowSearch {
  HWND frame;
  DWORD process;
};

// A box's message, after its caption, on the same line.
BOOL CALLBACK PrintStatic(HWND window, LPARAM) {
  char name[64] = {}, text[kTextSize] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, "Static") != 0 || GetWindowTextA(window, text, sizeof(text)) <= 0) return TRUE;
  for (char* c = text; *c != '\0'; ++c) {
    if (*c == '\r' || *c == '\n') *c = ' ';
  }
  printf(" | %s", text);
  return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  char text[kTextSize] = {};
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || window == search->frame || !IsWindowVisible(window)) return TRUE;
  GetWindowTextA(window, text, sizeof(text));
  printf("%s", text);
  EnumChildWindows(window, PrintStatic, 0);
  printf("\n");
  return TRUE;
}

// The captions of the program's other shown windows: its dialogs and boxes.
int ShowWindows() {
  WindowSearch search = {FindFrame(), 0};
  if (search.frame == nullptr) return 1;
  GetWindowThreadProcessId(search.frame, &search.process);
  EnumWindows(PrintWindow, reinterpret_cast<LPARAM>(&search));
  return 0;
}

// The frame's caption.
int ShowTitle() {
  HWND frame = FindFrame();
  char text[kTextSize] = {};
  if (frame == nullptr) return 1;
  GetWindowTextA(frame, text, sizeof(text));
  printf("%s\n", text);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* verb = argv[1];
  if (strcmp(verb, "menu") == 0) return ShowMenu(argc - 2, argv + 2);
  if (strcmp(verb, "focus") == 0) return ShowFocus();
  if (strcmp(verb, "windows") == 0) return ShowWindows();
  if (strcmp(verb, "title") == 0) return ShowTitle();
  if (argc < 3) return 2;
  int pane = PaneIndex(argv[2]);
  Controls controls;
  if (pane < 0) return 2;
  if (!FindControls(controls)) return 1;
  if (strcmp(verb, "selected") == 0) return ShowSelected(controls.tree[pane]);
  if (strcmp(verb, "node") == 0 && argc == 4) return ShowNode(controls.tree[pane], argv[3]);
  if (strcmp(verb, "list") == 0) return ShowList(controls.list[pane]);
  if (strcmp(verb, "item") == 0 && argc == 4) return ShowItem(controls.list[pane], argv[3]);
  if (strcmp(verb, "listpoint") == 0) return ShowListPoint(controls.list[pane]);
  if (strcmp(verb, "split") == 0) return ShowSplit(controls.tree[pane], controls.list[pane]);
  if (strcmp(verb, "caption") == 0) return ShowCaption(controls.frame, pane);
  if (strcmp(verb, "focuseditem") == 0) return ShowFocusedItem(controls.list[pane]);
  return 2;
}
