#include "app/drag_image_win32.h"

#include <algorithm>
#include <vector>

#include "app/frame_layout.h"
#include "views/gdi_handles_win32.h"

namespace {

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle dc) { DeleteDC(dc); }
};
using ScopedMemoryDc = UniqueHandle<MemoryDcTraits>;
using ScopedPen = UniqueHandle<GdiObjectTraits<HPEN>>;

// Keeps an object selected into a device context for its lifetime.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

VtRect ListItemRect(HWND list, int32_t item, int code) {
  RECT rect = {};
  rect.left = code;
  SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
  return VtRect{rect.left, rect.top, rect.right, rect.bottom};
}

ItemRects ListItemRects(HWND list, int32_t item) {
  return ItemRects{ListItemRect(list, item, LVIR_ICON), ListItemRect(list, item, LVIR_LABEL)};
}

// The icon and label of every selected item, in the list's order.
std::vector<ItemRects> SelectedItemRects(HWND list) {
  std::vector<ItemRects> items;
  for (int32_t item = -1;;) {
    item = static_cast<int32_t>(SendMessageA(list, LVM_GETNEXTITEM, item, LVNI_SELECTED));
    if (item < 0) break;
    items.push_back(ListItemRects(list, item));
  }
  return items;
}

// Icon frames and label strokes of `items` on `dc`, in `pen` over `fill`.
void DrawOutline(HDC dc, const std::vector<ItemRects>& items, const VtRect& bounds, HPEN pen, int fill) {
  Selected penIn(dc, pen);
  Selected brushIn(dc, GetStockObject(fill));
  for (const ItemRects& item : items) {
    OutlineStroke stroke = OutlineStrokeOf(item, bounds);
    Rectangle(dc, stroke.icon.left, stroke.icon.top, stroke.icon.right, stroke.icon.bottom);
    MoveToEx(dc, stroke.lineLeft, stroke.lineY, nullptr);
    LineTo(dc, stroke.lineRight, stroke.lineY);
  }
}

int32_t ImageHeight(HIMAGELIST images) {
  IMAGEINFO info = {};
  if (images == nullptr || !ImageList_GetImageInfo(images, 0, &info)) return 0;
  return info.rcImage.bottom - info.rcImage.top;
}

}  // namespace

HIMAGELIST CreateSelectionDragImage(HWND list, int32_t dpi) {
  std::vector<ItemRects> items = SelectedItemRects(list);
  VtRect bounds = OutlineBounds(items);
  int32_t width = bounds.right - bounds.left;
  int32_t height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return nullptr;

  HDC screen = GetDC(list);
  ScopedMemoryDc imageDc(CreateCompatibleDC(screen));
  ScopedMemoryDc maskDc(CreateCompatibleDC(screen));
  ScopedBitmap image(CreateCompatibleBitmap(screen, width, height));
  ScopedBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  ReleaseDC(list, screen);
  if (!imageDc || !maskDc || !image || !mask) return nullptr;

  int32_t penWidth = ScalePixels(1, dpi);
  ScopedPen grey(CreatePen(PS_SOLID, penWidth, RGB(0x40, 0x40, 0x40)));
  ScopedPen black(CreatePen(PS_SOLID, penWidth, RGB(0, 0, 0)));
  RECT whole = {0, 0, width, height};
  {
    Selected imageIn(imageDc.get(), image.get());
    Selected maskIn(maskDc.get(), mask.get());
    FillRect(imageDc.get(), &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(maskDc.get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawOutline(imageDc.get(), items, bounds, grey.get(), BLACK_BRUSH);
    DrawOutline(maskDc.get(), items, bounds, black.get(), WHITE_BRUSH);
  }
  HIMAGELIST images = ImageList_Create(width, height, ILC_MASK | ILC_COLOR24, 1, 1);
  if (images != nullptr && ImageList_Add(images, image.get(), mask.get()) < 0) {
    ImageList_Destroy(images);
    return nullptr;
  }
  return images;
}

DragImage CreateListDragImage(HWND list, POINT grab, int32_t dpi) {
  LVHITTESTINFO hit = {};
  hit.pt = grab;
  SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  int32_t item = (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)) != 0 ? hit.iItem : 0;
  auto selected = static_cast<int32_t>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
  ItemRects rects = ListItemRects(list, item);

  DragImage drag;
  int32_t imageLeft = 0;
  if (selected == 1) {
    POINT upperLeft = {};
    drag.images = reinterpret_cast<HIMAGELIST>(
        SendMessageA(list, LVM_CREATEDRAGIMAGE, item, reinterpret_cast<LPARAM>(&upperLeft)));
    imageLeft = upperLeft.x;
  } else {
    drag.images = CreateSelectionDragImage(list, dpi);
    imageLeft = OutlineBounds(SelectedItemRects(list)).left;
  }
  int32_t itemHeight = std::max(rects.icon.bottom, rects.label.bottom) - std::min(rects.icon.top, rects.label.top);
  drag.hotspot = ListDragHotspot(grab.x, rects.icon.right, imageLeft, itemHeight, ImageHeight(drag.images), selected);
  return drag;
}

DragImage CreateTreeDragImage(HWND tree, HTREEITEM node, POINT grab) {
  DragImage drag;
  drag.images = reinterpret_cast<HIMAGELIST>(
      SendMessageA(tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(node)));
  int32_t depth = 0;
  for (HTREEITEM at = node; at != nullptr; ++depth) {
    at = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(at)));
  }
  RECT text = {};
  *reinterpret_cast<HTREEITEM*>(&text) = node;
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
  auto indent = static_cast<int32_t>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
  drag.hotspot = TreeDragHotspot(grab.x, indent, depth, text.bottom - text.top);
  return drag;
}
