// The program's pictures as Windows loads them: the tree, list and toolbar
// bitmaps must divide into whole cells (the image lists are cut by size), the
// icons must carry every size so that none is stretched, and the splitter
// cursor must point at its middle. The test program carries the same
// resources as Ordalis.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "resource.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

struct Bitmap {
  HBITMAP handle = nullptr;
  ~Bitmap() {
    if (handle != nullptr) DeleteObject(handle);
  }
};

struct IconParts {
  ICONINFO info = {};
  ~IconParts() {
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  }
};

struct Sheet {
  int id;
  int cellWidth;
  int cellHeight;
  int columns;
  int rows;
  int pictures;  // cells of each row that hold a picture; the rest are clear
};

// A bitmap resource's pixels as 0xRRGGBB, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != height) pixels.clear();
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

int SizeOf(HBITMAP bitmap, BITMAP* out) { return GetObjectA(bitmap, sizeof(*out), out); }

TEST(ProgramImages, BitmapsDivideIntoCellsWithClearBackgroundsAndGreyedDisabledRow) {
  const Sheet sheets[] = {
      {IDB_NODES, 16, 16, 7, 1, 7},           {IDB_NODES_150, 24, 24, 7, 1, 7},
      {IDB_NODES_200, 32, 32, 7, 1, 7},       {IDB_TOOLBAR, 18, 17, 17, 3, 9},
      {IDB_TOOLBAR_150, 27, 26, 17, 3, 9},    {IDB_TOOLBAR_200, 36, 34, 17, 3, 9},
  };
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const Sheet& sheet : sheets) {
    SCOPED_TRACE(sheet.id);
    Bitmap bitmap;
    bitmap.handle = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(sheet.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bitmap.handle);
    BITMAP size = {};
    ASSERT_NE(0, SizeOf(bitmap.handle, &size));
    const int width = sheet.cellWidth * sheet.columns;
    const int height = sheet.cellHeight * sheet.rows;
    EXPECT_EQ(width, size.bmWidth);
    EXPECT_EQ(height, size.bmHeight);
    EXPECT_EQ(24, size.bmBitsPixel);
    if (size.bmWidth != width || size.bmHeight != height) continue;

    std::vector<uint32_t> pixels = Pixels(bitmap.handle, width, height);
    ASSERT_FALSE(pixels.empty());
    auto cell = [&](int row, int column) {
      std::vector<uint32_t> out;
      for (int y = 0; y < sheet.cellHeight; ++y)
        for (int x = 0; x < sheet.cellWidth; ++x)
          out.push_back(pixels[(row * sheet.cellHeight + y) * width + column * sheet.cellWidth + x]);
      return out;
    };
    for (int row = 0; row < sheet.rows; ++row) {
      for (int column = 0; column < sheet.columns; ++column) {
        SCOPED_TRACE(testing::Message() << "row " << row << ", cell " << column);
        std::vector<uint32_t> pixelsOfCell = cell(row, column);
        size_t clear = 0;
        bool grey = true;
        for (uint32_t pixel : pixelsOfCell) {
          if (pixel == kMagenta) {
            ++clear;
            continue;
          }
          uint32_t r = pixel >> 16, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
          grey = grey && r == g && g == b;
        }
        if (column >= sheet.pictures) {
          EXPECT_EQ(pixelsOfCell.size(), clear);
          continue;
        }
        // A picture on a clear background: neither empty nor a solid block.
        EXPECT_GT(clear, 0u);
        EXPECT_LT(clear, pixelsOfCell.size() * 9 / 10);
        if (row == 2) {
          EXPECT_TRUE(grey);
        }
        if (row > 0) {
          EXPECT_NE(cell(0, column), pixelsOfCell);
        }
      }
    }
  }
}

TEST(ProgramImages, IconsCarryEverySizeWithAlphaAndLoadAtEach) {
  const std::set<int> expected = {16, 20, 24, 32, 40, 48, 64, 256};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (int id : {IDI_ORDALIS, IDI_PACKAGE_FILE}) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(nullptr, found);
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    const DWORD groupSize = SizeofResource(instance, found);
    ASSERT_NE(nullptr, group);
    ASSERT_GE(groupSize, 6u);
    // The group: a 6-byte header, then 14 bytes per image (width and height
    // as one byte each, 0 meaning 256; bits per pixel at offset 6).
    WORD count = 0;
    memcpy(&count, group + 4, sizeof(count));
    ASSERT_EQ(groupSize, 6u + 14u * count);
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
      const BYTE* entry = group + 6 + 14 * i;
      WORD bits = 0;
      memcpy(&bits, entry + 6, sizeof(bits));
      EXPECT_EQ(32, bits);
      EXPECT_EQ(entry[0], entry[1]);
      sizes.insert(entry[0] == 0 ? 256 : entry[0]);
    }
    EXPECT_EQ(expected, sizes);

    for (int size : {16, 32, 48, 256}) {
      SCOPED_TRACE(size);
      HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(nullptr, icon);
      IconParts parts;
      ASSERT_TRUE(GetIconInfo(icon, &parts.info));
      BITMAP colour = {};
      ASSERT_NE(0, SizeOf(parts.info.hbmColor, &colour));
      EXPECT_EQ(size, colour.bmWidth);
      EXPECT_EQ(size, colour.bmHeight);
      DestroyIcon(icon);
    }
  }
}

TEST(ProgramImages, SplitterCursorIsAMonochrome32PixelCursorPointingAtItsMiddle) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SPLITTER));
  ASSERT_NE(nullptr, cursor);
  IconParts parts;
  ASSERT_TRUE(GetIconInfo(cursor, &parts.info));
  EXPECT_FALSE(parts.info.fIcon);
  // A black and white cursor is all mask: its AND half above its XOR half.
  EXPECT_EQ(nullptr, parts.info.hbmColor);
  BITMAP mask = {};
  ASSERT_NE(0, SizeOf(parts.info.hbmMask, &mask));
  EXPECT_EQ(32, mask.bmWidth);
  EXPECT_EQ(64, mask.bmHeight);
  EXPECT_NEAR(16, static_cast<int>(parts.info.xHotspot), 1);
  EXPECT_NEAR(16, static_cast<int>(parts.info.yHotspot), 1);
}

}  // namespace
