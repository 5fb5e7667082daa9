#include "app/drag_image_win32.h"

#include <algorithm>
#include <cstring>
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

// The node's icon and label on the window's colour, as the tree's own drag
// image shows them; for trees that give an image list without an image
// (Wine's makes its bitmap too narrow for the icon and the text).
HIMAGELIST DrawNodeImage(HWND tree, HTREEITEM node) {
  char label[260] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT | TVIF_IMAGE;
  item.hItem = node;
  item.pszText = label;
  item.cchTextMax = sizeof(label);
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  auto icons = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int iconWidth = 0, iconHeight = 0;
  if (icons != nullptr) ImageList_GetIconSize(icons, &iconWidth, &iconHeight);

  HDC screen = GetDC(tree);
  ScopedMemoryDc dc(CreateCompatibleDC(screen));
  if (!dc) {
    ReleaseDC(tree, screen);
    return nullptr;
  }
  Selected font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(tree, WM_GETFONT, 0, 0)));
  SIZE text = {};
  GetTextExtentPoint32A(dc.Get(), label, lstrlenA(label), &text);
  int width = iconWidth + 2 + text.cx;
  int height = std::max<int>(iconHeight, text.cy);
  ScopedBitmap picture(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(tree, screen);
  if (!picture) return nullptr;
  {
    Selected pictureIn(dc.Get(), picture.Get());
    RECT whole = {0, 0, width, height};
    FillRect(dc.Get(), &whole, GetSysColorBrush(COLOR_WINDOW));
    if (icons != nullptr) ImageList_Draw(icons, item.iImage, dc.Get(), 0, (height - iconHeight) / 2, ILD_NORMAL);
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc.Get(), iconWidth + 2, (height - text.cy) / 2, label, lstrlenA(label));
  }
  HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR24, 1, 1);
  if (images != nullptr && ImageList_Add(images, picture.Get(), nullptr) < 0) {
    ImageList_Destroy(images);
    return nullptr;
  }
  return images;
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
    Selected imageIn(imageDc.Get(), image.Get());
    Selected maskIn(maskDc.Get(), mask.Get());
    FillRect(imageDc.Get(), &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(maskDc.Get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawOutline(imageDc.Get(), items, bounds, grey.Get(), BLACK_BRUSH);
    DrawOutline(maskDc.Get(), items, bounds, black.Get(), WHITE_BRUSH);
  }
  HIMAGELIST images = ImageList_Create(width, height, ILC_MASK | ILC_COLOR24, 1, 1);
  if (images != nullptr && ImageList_Add(images, image.Get(), mask.Get()) < 0) {
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
  if (drag.images != nullptr && ImageList_GetImageCount(drag.images) == 0) {
    ImageList_Destroy(drag.images);
    drag.images = DrawNodeImage(tree, node);
  }
  int32_t depth = 0;
  for (HTREEITEM at = node; at != nullptr; ++depth) {
    at = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(at)));
  }
  RECT text = {};
  memcpy(&text, &node, sizeof(node));  // the node goes where the rectangle comes back
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
  auto indent = static_cast<int32_t>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
  drag.hotspot = TreeDragHotspot(grab.x, indent, depth, text.bottom - text.top);
  return drag;
}
