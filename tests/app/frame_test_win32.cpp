// The real frame in this process: its layout at the screen's DPI, the splitter driven with mouse messages,
// the split positions kept in the settings, the toolbar, the focus model,
// and start-up when the frame's class cannot be registered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/app_win32.h"
#include "app/frame_fixture_win32.h"
#include "app/frame_images.h"
#include "app/frame_layout.h"
#include "resource.h"

namespace {

RECT ChildRect(HWND frame, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int32_t Width(const RECT& r) { return r.right - r.left; }

class Frame : public FrameTest {
 protected:
  int32_t Px(int32_t pixels) const { return ScalePixels(pixels, frame_->dpi); }
  RECT Rect(HWND child) const { return ChildRect(frame_->window, child); }
  RECT Client() const {
    RECT r;
    GetClientRect(frame_->window, &r);
    return r;
  }

  // The mouse over a point of the client area, as the system reports it.
  void Hover(int32_t x, int32_t y) {
    POINT screen = {x, y};
    ClientToScreen(frame_->window, &screen);
    SendMessageA(frame_->window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  }
  void DragSplitter(Pane& pane, int32_t dx) {
    int32_t x = Rect(pane.tree).right + 1, y = (Rect(pane.tree).top + Rect(pane.tree).bottom) / 2;
    Hover(x, y);
    SendMessageA(frame_->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(frame_->window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
    SendMessageA(frame_->window, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
  }

  // Checks that the panes follow the layout rules at the frame's DPI.
  void ExpectLayoutRules() {
    RECT client = Client();
    for (Pane* pane : {&Package(), &System()}) {
      SCOPED_TRACE(pane->index);
      RECT label = Rect(pane->label), tree = Rect(pane->tree), list = Rect(pane->list);
      EXPECT_EQ(Px(kFrameMargin), tree.left);
      EXPECT_EQ(label.bottom, tree.top);
      EXPECT_EQ(tree.top, list.top);
      EXPECT_EQ(Px(kSplitterWidth), list.left - tree.right);
      EXPECT_EQ(client.right - Px(kFrameMargin), list.right);
      EXPECT_EQ(tree.bottom, list.bottom);
    }
    EXPECT_EQ(Px(kToolbarArea), Rect(Package().label).top);
    EXPECT_EQ(client.bottom - Px(kFrameMargin), Rect(System().tree).bottom);
    EXPECT_EQ(Px(kFrameMargin), Rect(System().label).top - Rect(Package().tree).bottom);
    RECT bar = Rect(frame_->toolbar);
    EXPECT_EQ(Px(kToolbarLeft), bar.left);
    EXPECT_EQ(Px(kToolbarTop), bar.top);
    EXPECT_LE(bar.bottom + Px(kEtchedGrowth), Px(kToolbarArea));
  }
};

// Also run at 150 percent, in a child process (frame_process_test_win32.cpp).
TEST_F(Frame, PanesSplitterAndPicturesFollowTheLayoutRulesAtTheScreensDpi) {
  StartFrame();
  const char* expected = getenv("ORDALIS_EXPECTED_DPI");
  EXPECT_EQ(expected != nullptr ? atoi(expected) : 96, frame_->dpi);
  ExpectLayoutRules();
  EXPECT_EQ(Px(kDefaultSplit), Width(Rect(Package().tree)));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(Package().treeImages.Get(), &cx, &cy);
  EXPECT_EQ(ChooseImageSet(frame_->dpi).nodeSize, cx);
  // Toolbar images: a seventeenth of the drawing's width, a third of its height.
  HIMAGELIST buttons = reinterpret_cast<HIMAGELIST>(SendMessageA(frame_->toolbar, TB_GETIMAGELIST, 0, 0));
  ImageList_GetIconSize(buttons, &cx, &cy);
  HBITMAP sheet = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                  MAKEINTRESOURCEA(ChooseImageSet(frame_->dpi).toolbarBitmap),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP drawing = {};
  GetObjectA(sheet, sizeof(drawing), &drawing);
  DeleteObject(sheet);
  EXPECT_EQ(Px(18), cx);
  EXPECT_EQ(drawing.bmWidth / 17, cx);
  EXPECT_EQ(drawing.bmHeight / 3, cy);

  DragSplitter(Package(), -1000);
  EXPECT_EQ(Px(kMinTreeWidth), Width(Rect(Package().tree)));
  DragSplitter(System(), 5000);
  EXPECT_EQ(Client().right - Px(kFrameMargin) - Px(kSplitRightMargin), Rect(System().tree).right);
  ExpectLayoutRules();
}

TEST_F(Frame, AClickOnTheSplitterWithoutMovingChangesNothing) {
  StartFrame();
  int32_t width = Width(Rect(Package().tree));
  DragSplitter(Package(), 1);
  EXPECT_EQ(width, Width(Rect(Package().tree)));
  DragSplitter(Package(), -40);
  EXPECT_EQ(width - 40, Width(Rect(Package().tree)));
  EXPECT_EQ(SplitterDrag::Idle, frame_->drag);
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(Frame, SplitPositionsSurviveARestart) {
  VtSetMetric(settings_, kSystemSplitMetric, 20000);
  StartFrame();
  DragSplitter(Package(), -40);
  int32_t package = Width(Rect(Package().tree));
  int32_t dpi = frame_->dpi;
  DestroyFrame();
  EXPECT_EQ(SplitToSetting(package, dpi), VtGetMetric(settings_, kPackageSplitMetric));
  EXPECT_LE(VtGetMetric(settings_, kSystemSplitMetric), kMaxStoredSplit);
  StartFrame();
  EXPECT_EQ(package, Width(Rect(Package().tree)));
}

TEST_F(Frame, ANarrowWindowKeepsSomeListAndMinimisingLeavesTheLayout) {
  StartFrame();
  SetWindowPos(frame_->window, nullptr, 0, 0, 200, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Px(kMinListWidth), Width(Rect(Package().list)));
  SetWindowPos(frame_->window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT tree = Rect(System().tree), list = Rect(System().list);
  ShowWindow(frame_->window, SW_MINIMIZE);
  Pump();
  EXPECT_EQ(tree.right, frame_->panes[kSystemPane].treeRect.right);
  EXPECT_EQ(list.right, frame_->panes[kSystemPane].listRect.right);
  ShowWindow(frame_->window, SW_RESTORE);
  Pump();
  ExpectLayoutRules();
}

// Made small and large again, the window shows the split as before and
// keeps what the user chose; the captions are drawn again where they went.
TEST_F(Frame, ASplitKeepsItsProportionOverAResizeAndOnlyTheUsersDragIsSaved) {
  StartFrame();
  ShowFrame();
  DragSplitter(Package(), -60);
  int32_t package = Width(Rect(Package().tree)), system = Width(Rect(System().tree));
  int32_t chosen = SplitToSetting(package, frame_->dpi);
  SetWindowPos(frame_->window, nullptr, 0, 0, 250, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_LT(Width(Rect(Package().tree)), package);
  ValidateRect(System().label, nullptr);
  SetWindowPos(frame_->window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(GetUpdateRect(System().label, nullptr, FALSE));
  EXPECT_TRUE(GetUpdateRect(Package().label, nullptr, FALSE));
  EXPECT_EQ(package, Width(Rect(Package().tree)));
  EXPECT_EQ(system, Width(Rect(System().tree)));
  ExpectLayoutRules();

  // Twice as wide: the tree takes its share of the width.
  RECT before = Rect(Package().list);
  SetWindowPos(frame_->window, nullptr, 0, 0, 1600, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  int32_t share = package * 1000 / (package + Width(before) + Px(kSplitterWidth));
  int32_t wide = Width(Rect(Package().tree)) * 1000 /
                 (Width(Rect(Package().tree)) + Width(Rect(Package().list)) + Px(kSplitterWidth));
  EXPECT_NEAR(share, wide, 5);
  SetWindowPos(frame_->window, nullptr, 0, 0, 250, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  DestroyFrame();
  EXPECT_EQ(chosen, VtGetMetric(settings_, kPackageSplitMetric));
  EXPECT_EQ(kDefaultSplit, VtGetMetric(settings_, kSystemSplitMetric));
}

TEST_F(Frame, TheFocusedControlMakesItsPaneActiveAndTooltipsNameTheButtons) {
  WriteStore();
  StartFrame();
  ShowFrame();
  SetFocus(System().list);
  EXPECT_EQ(kSystemPane, frame_->activePane);
  EXPECT_EQ(FocusKind::List, GetFocusKind(*frame_));
  SetFocus(Package().tree);
  EXPECT_EQ(kPackagePane, frame_->activePane);
  EXPECT_EQ(FocusKind::Tree, GetFocusKind(*frame_));
  SetFocus(frame_->toolbar);
  EXPECT_EQ(FocusKind::None, GetFocusKind(*frame_));

  NMTTDISPINFOA tip = {};
  tip.hdr.code = TTN_GETDISPINFOA;
  tip.hdr.idFrom = ID_EDIT_REDO;
  SendMessageA(frame_->window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ("Redo (Ctrl+Shift+Z)", tip.lpszText);
  tip.hdr.idFrom = ID_EDIT_DELETE;
  SendMessageA(frame_->window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ("Delete (Delete)", tip.lpszText);
  tip.hdr.idFrom = ID_FILE_SAVE_AS;
  SendMessageA(frame_->window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ("", tip.lpszText);
  EXPECT_FALSE(SendMessageA(frame_->toolbar, TB_ISBUTTONENABLED, ID_EDIT_UNDO, 0));
  EXPECT_TRUE(SendMessageA(frame_->toolbar, TB_ISBUTTONENABLED, ID_FILE_NEW, 0));
  EXPECT_EQ(10, SendMessageA(frame_->toolbar, TB_BUTTONCOUNT, 0, 0));
}

TEST_F(Frame, StartUpReportsAWindowFailureWhenTheFramesClassCannotBeRegistered) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  UnregisterFrameClass(instance);
  WNDCLASSEXA taken = {};
  taken.cbSize = sizeof(taken);
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = instance;
  taken.lpszClassName = kFrameClassName;
  ASSERT_NE(0, RegisterClassExA(&taken));
  AppGlobals app = {};
  int exitCode = 0;
  EXPECT_EQ(nullptr, App_Startup(&app, instance, "Ordalis.exe", &exitCode));
  EXPECT_EQ(kExitStartupFailed, exitCode);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(kWindowCreateFailed, boxes_.back().status);
  EXPECT_NE(std::string::npos, boxes_.back().text.find("An error occurred while creating a window."));
  App_Shutdown(&app, exitCode);
  UnregisterClassA(kFrameClassName, instance);
  ASSERT_TRUE(RegisterFrameClass(instance));
}

}  // namespace
