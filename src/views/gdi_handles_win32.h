// Owners of the window-side handles the views and the frame keep: image
// lists and GDI objects (fonts, bitmaps), in the one owner every handle has.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/unique_handle.h"

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Empty() { return nullptr; }
  static void Close(Handle images) { ImageList_Destroy(images); }
};
using ScopedImageList = UniqueHandle<ImageListTraits>;

template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Empty() { return nullptr; }
  static void Close(Handle object) { DeleteObject(object); }
};
using ScopedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using ScopedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
