#include "kernel/window_placement_win32.h"

#include <cstring>

static_assert(sizeof(WINDOWPLACEMENT) == kVtPlacementSize, "the stored layout is the 44-byte structure");

namespace {

constexpr size_t kMaxMonitors = 16;

VtRect ToVt(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const VtRect& r) { return {r.left, r.top, r.right, r.bottom}; }

struct MonitorList {
  VtMonitor items[kMaxMonitors];
  size_t count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MonitorList* list = reinterpret_cast<MonitorList*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (list->count == kMaxMonitors || !GetMonitorInfoA(monitor, &info)) return TRUE;
  VtMonitor entry = {ToVt(info.rcMonitor), ToVt(info.rcWork)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    // The primary monitor goes first: it is the one to fall back to.
    memmove(&list->items[1], &list->items[0], list->count * sizeof(VtMonitor));
    list->items[0] = entry;
  } else {
    list->items[list->count] = entry;
  }
  ++list->count;
  return TRUE;
}

// The monitors, the primary first. Without monitor information, the screen.
void GetMonitors(MonitorList* list) {
  list->count = 0;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(list));
  if (list->count == 0) {
    VtRect screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    list->items[0] = {screen, screen};
    list->count = 1;
  }
}

void SetDefault(WINDOWPLACEMENT* placement) {
  MonitorList monitors;
  GetMonitors(&monitors);
  *placement = {};
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->showCmd = SW_SHOWNORMAL;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = ToRect(VtGeometry_DefaultRect(monitors.items[0].work));
}

}  // namespace

int32_t VtLoadWindowPlacement(const VtMetric* handle, int32_t id, VtPlacementMode mode, WINDOWPLACEMENT* placement) {
  uint32_t got = VtGetMetricBinary(handle, id, placement, sizeof(WINDOWPLACEMENT));
  if (mode == VtPlacementMode::ApplyOrDefault) {
    if (got == sizeof(WINDOWPLACEMENT) && placement->ptMaxPosition.x < 0 && placement->ptMaxPosition.y < 0) return 0;
    SetDefault(placement);
    return 1;
  }
  return got < sizeof(WINDOWPLACEMENT) ? 1 : 0;
}

void VtFixWindowPlacement(WINDOWPLACEMENT* placement) {
  if (placement->showCmd == SW_SHOWMINIMIZED) placement->showCmd = SW_SHOWNORMAL;
  if (!VtIsWindowCaptionVisible(&placement->rcNormalPosition)) {
    VtForceRectOntoDesktop(&placement->rcNormalPosition, 0, 0);
  }
}

int32_t VtWindowPlacement(HWND window, const VtMetric* handle, int32_t id, VtPlacementMode mode) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (mode == VtPlacementMode::Save) {
    if (!GetWindowPlacement(window, &placement)) return E_FAIL;
    return VtSetMetricBinary(handle, id, &placement, sizeof(placement));
  }
  if (VtLoadWindowPlacement(handle, id, mode, &placement) != 0 && mode == VtPlacementMode::Apply) return 0;
  VtFixWindowPlacement(&placement);
  placement.length = sizeof(placement);
  return SetWindowPlacement(window, &placement) ? 0 : E_FAIL;
}

bool VtIsWindowCaptionVisible(const RECT* rect) {
  MonitorList monitors;
  GetMonitors(&monitors);
  return VtGeometry_IsCaptionVisible(ToVt(*rect), GetSystemMetrics(SM_CYSMCAPTION), monitors.items, monitors.count);
}

VtRect VtWorkAreaFor(const VtRect& rect) {
  MonitorList monitors;
  GetMonitors(&monitors);
  return monitors.items[VtGeometry_BestMonitor(rect, monitors.items, monitors.count)].work;
}

void VtForceRectOntoDesktop(RECT* rect, int32_t horizontalMargin, int32_t verticalMargin) {
  VtRect r = ToVt(*rect);
  *rect = ToRect(VtGeometry_ForceOnto(r, VtWorkAreaFor(r), horizontalMargin, verticalMargin));
}

void VtBringToFront(HWND frame) {
  HWND popup = GetLastActivePopup(frame);
  if (IsIconic(popup)) {
    ShowWindow(popup, SW_RESTORE);
  } else {
    BringWindowToTop(frame);
    SetForegroundWindow(popup);
  }
}

bool VtActivatePrevAppInstance(const char* frameClass) {
  HWND frame = FindWindowA(frameClass, nullptr);
  if (frame == nullptr) return false;
  VtBringToFront(frame);
  return true;
}
