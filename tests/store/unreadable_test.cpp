// Items of the system store that exist but cannot be read are no records,
// but every one of them is kept in view with the reason it cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/stores.h"
#include "store/system_loader.h"
#include "store/unreadable_files.h"

namespace {

class Unreadable : public SystemStoreTest {
 protected:
  // A file that holds `size` bytes without taking the room: all but the
  // last byte are a hole.
  std::string SparseFile(const char* name, uint64_t size) {
    std::string path = folder_.Join(name);
    ScopedFile file;
    EXPECT_EQ(0, File_Open(path.c_str(), kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out()));
    uint64_t at = 0;
    EXPECT_EQ(0, File_Seek(file.Get(), static_cast<int64_t>(size - 1), FileOrigin::Begin, &at));
    uint32_t done = 0;
    unsigned char last = 1;
    EXPECT_EQ(0, File_Write(file.Get(), &last, 1, &done));
    return path;
  }
  // "plug-in: name: reason" of every unreadable item, sorted (the registry
  // may enumerate values in any order).
  std::vector<std::string> Listed() const {
    std::vector<std::string> lines;
    for (const UnreadableItem& item : stores_.system.unreadable) {
      lines.push_back((item.chain ? "chain " : item.plugIn + ": ") + item.name + ": " + item.reason);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  const UnreadableItem* Find(const char* name) const {
    for (const UnreadableItem& item : stores_.system.unreadable) {
      if (item.name == name) return &item;
    }
    return nullptr;
  }

  Stores stores_;
};

TEST_F(Unreadable, EveryValueWhoseFileCannotBeReadIsListedWithItsReason) {
  SetBinary(PlugInKey(kClassA), "Fine", Pattern(10, 1));
  SetText(PlugInKey(kClassA), "Missing", folder_.Join("gone.dxp"));
  std::string folder = folder_.Join("a folder.dxp");
  ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
  SetText(PlugInKey(kClassA), "Folder", folder);
  SetText(PlugInKey(kClassA), "Relative", "Presets\\relative.dxp");
  SetText(PlugInKey(kClassA), "Device", folder_.Join("nul.dxp"));
  SetText(PlugInKey(kClassA), "Empty", WriteFile("empty.dxp", {}));
  SetText(PlugInKey(kClassA), "Huge", SparseFile("huge.dxp", 0x100000010ull));
  // A plug-in none of whose presets can be read has no entry: it is named
  // by its class key.
  SetText(PlugInKey(kClassB), "Share", "\\\\nowhere-host\\share\\x.dxp");
  SetText(EditorKey("Echo"), "Lost", folder_.Join("lost.dxp"));
  SetChain("chain-1", "Big", {});
  SetText(ChainKeyPath("chain-1"), kChainStreamValue, folder_.Join("big.vtg"));
  RefreshSystemStore(stores_, nullptr);

  // Only the readable preset is a record.
  ASSERT_NE(nullptr, stores_.system.plugIns);
  ASSERT_EQ(1, stores_.system.plugIns->GetCount());
  EXPECT_EQ(1, stores_.system.plugIns->Get(0)->GetPresetCount());
  EXPECT_EQ(nullptr, stores_.system.chains);

  std::string a = "Not Installed 000: ";
  std::string b = std::string(kClassB) + ": ";
  EXPECT_EQ((std::vector<std::string>{
                a + "Device: its file names a device, not a file",
                a + "Empty: its file is empty",
                a + "Folder: its file is a folder",
                a + "Huge: its file (4294967312 bytes) is too large to read into memory",
                a + "Missing: its file is missing",
                a + "Relative: its file is named by a relative path",
                "Veltrane Cantorel Echo: Lost: its file is missing",
                "chain Big: its file is missing",
                b + "Share: its file is on a network path that could not be reached",
            }),
            Listed());
  ASSERT_NE(nullptr, Find("Folder"));
  EXPECT_EQ(folder, Find("Folder")->file);
  EXPECT_EQ(kClassA, Find("Folder")->keyName);
  EXPECT_EQ("chain-1", Find("Big")->keyName);
  // Chains come after every preset.
  EXPECT_TRUE(stores_.system.unreadable.back().chain);

  // A file that comes back is read at the next load and listed no more.
  ASSERT_TRUE(WriteWholeFile(folder_.Join("gone.dxp"), Pattern(300, 2)));
  RefreshSystemStore(stores_, nullptr);
  EXPECT_EQ(8u, stores_.system.unreadable.size());
  EXPECT_EQ(2, stores_.system.plugIns->Get(0)->GetPresetCount());
}

TEST(UnreadableFiles, DeviceNamesAreKnownInEveryFolderAndSpelling) {
  for (const char* device : {"C:\\x\\NUL", "C:\\x\\nul.dxp", "C:\\CON", "D:\\a\\com1.vtg", "C:\\x\\LPT9",
                             "\\\\.\\PhysicalDrive0", "C:\\x\\aux .txt", "C:\\x\\conout$"}) {
    EXPECT_TRUE(IsDevicePath(device)) << device;
  }
  for (const char* file : {"C:\\x\\null.dxp", "C:\\nul\\preset.dxp", "C:\\x\\COM10", "C:\\x\\console.dxp",
                           "C:\\x\\LPT", "\\\\server\\share\\contour.dxp"}) {
    EXPECT_FALSE(IsDevicePath(file)) << file;
  }
}

}  // namespace
