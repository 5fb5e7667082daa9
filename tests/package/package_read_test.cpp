// What the reader makes of files no writer of ours would produce: tolerated
// variations, broken structures, hostile sizes and unsafe names.
#include <gtest/gtest.h>

#include "package/package_file.h"
#include "package/package_fixture.h"
#include "platform/registry.h"

namespace {

constexpr const char* kKey = "{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}";

ByteVector Plug(const std::string& name, const std::string& classKey = kKey, uint32_t flags = 0) {
  return List("plug", {PlugInHead(flags, classKey, name), List("plst", {PresetList("Preset", {1, 2, 3})})});
}

ByteVector Package(std::initializer_list<ByteVector> groups) {
  ByteVector contents = Join({PackageHeader(), Join(groups)});
  return Form({contents});
}

struct BrokenFile {
  const char* what;
  ByteVector bytes;
  int32_t status;
  const char* problem = nullptr;  // when the words matter to the user
};

// A preset whose head declares `length` data bytes in a chunk of `chunkSize`,
// with every enclosing size large enough to hold that chunk.
ByteVector DeclaredPreset(uint32_t chunkSize, uint32_t length) {
  ByteVector psth = ChunkSized("psth", chunkSize, Join({Utf16Field("p", 260), U32(length), ByteVector(16, 7)}));
  ByteVector plst = ListSized("plst", chunkSize + 24, {ListSized("pset", chunkSize + 12, {psth})});
  ByteVector plug = ListSized("plug", chunkSize + 652, {PlugInHead(0, kKey, "P"), plst});
  return FormSized(chunkSize + 700, {PackageHeader(), ListSized("plgs", chunkSize + 664, {plug})});
}

// The same for a chain's stream.
ByteVector DeclaredChain(uint32_t chunkSize, uint32_t length) {
  ByteVector head = Join({U32(0), U32(0), U32(0), Utf16Field("c", 260), Utf16Field("Chain0001", 40), U32(length)});
  ByteVector chn = ListSized("chn ", chunkSize + 12, {ChunkSized("chnh", chunkSize, Join({head, ByteVector(16, 7)}))});
  return FormSized(chunkSize + 60, {PackageHeader(), ListSized("clst", chunkSize + 24, {chn})});
}

std::vector<BrokenFile> BrokenFiles() {
  return {
      {"empty file", {}, E_PACKAGE_FORMAT},
      {"not RIFF", Join({ByteVector{'R', 'I', 'F', 'X'}, ByteVector(32, 0)}), E_PACKAGE_FORMAT},
      {"another form", Join({ByteVector{'R', 'I', 'F', 'F'}, U32(4), ByteVector{'W', 'A', 'V', 'E'}}), E_PACKAGE_FORMAT},
      {"form of 4 GiB", FormSized(0xFFFFFFFFu, {PackageHeader()}), E_PACKAGE_FORMAT},
      {"form too small for its type", FormSized(2, {PackageHeader()}), E_PACKAGE_FORMAT},
      {"no header chunk", Form({List("plgs", {Plug("P")})}), E_PACKAGE_FORMAT, "the package has no format chunk"},
      {"empty form", Form({}), E_PACKAGE_FORMAT, "the package has no format chunk"},
      {"chunk past the form", Form({PackageHeader(), ChunkSized("junk", 64, ByteVector(8, 0))}), E_PACKAGE_FORMAT},
      {"group past the form", Form({PackageHeader(), ListSized("plgs", 0x7FFFFFF0u, {Plug("P")})}), E_PACKAGE_FORMAT},
      {"member past its group", Package({ListSized("plgs", 20, {Plug("P")})}), E_PACKAGE_FORMAT},
      {"chunk past its member",
       Package({List("plgs", {ListSized("plug", 628, {PlugInHead(0, kKey, "P"), ChunkSized("plst", 0xFFFFFFF0u, {})})})}),
       E_PACKAGE_FORMAT},
      {"plug-in without head", Package({List("plgs", {List("plug", {List("plst", {})})})}), E_PACKAGE_FORMAT,
       "a plug-in has no header"},
      {"preset without head",
       Package({List("plgs", {List("plug", {PlugInHead(0, kKey, "P"), List("plst", {List("pset", {})})})})}),
       E_PACKAGE_FORMAT, "a preset has no header"},
      {"preset with foreign chunks only",
       Package({List("plgs", {List("plug", {PlugInHead(0, kKey, "P"),
                                            List("plst", {List("pset", {Chunk("junk", {1, 2})})})})})}),
       E_PACKAGE_FORMAT, "a preset has no header"},
      {"chunk after the last member", Package({List("plgs", {Plug("P"), Chunk("junk", {1})})}), E_PACKAGE_FORMAT,
       "the plug-in list holds something that is no plug-in"},
      {"preset without data",
       Package({List("plgs", {List("plug", {PlugInHead(0, kKey, "P"), List("plst", {PresetList("empty", {})})})})}),
       E_RIFF_READ, "a preset or chain holds no data"},
      {"data longer than its chunk", DeclaredPreset(540, 1000), E_RIFF_READ},
      {"data longer than the file", DeclaredPreset(0x7FFF0000u, 0x7FFE0000u), E_RIFF_READ},
      {"stream longer than its chunk", DeclaredChain(632, 17), E_RIFF_READ},
      {"stream longer than the file", DeclaredChain(0x7FFF0000u, 0x7FFE0000u), E_RIFF_READ},
      {"chain without head", Package({List("clst", {List("chn ", {})})}), E_PACKAGE_FORMAT, "a chain has no header"},
  };
}

class PackageRead : public PackageTest {};

TEST_F(PackageRead, BrokenFilesAreRefusedWithTheirStatus) {
  for (const BrokenFile& broken : BrokenFiles()) {
    SCOPED_TRACE(broken.what);
    ReadResult read = LoadBytes(broken.bytes);
    EXPECT_EQ(broken.status, read.status);
    // Never the words of a missing item: the file is at fault and says how.
    EXPECT_FALSE(read.problem.empty());
    if (broken.problem != nullptr) {
      EXPECT_EQ(broken.problem, read.problem);
    }
  }
  EXPECT_EQ(E_FILE_OPEN, Load("missing.vtpreset").status);
}

TEST_F(PackageRead, NamesThatCouldLeaveTheStoreAreRefused) {
  for (const char* key : {"", ".", "..", "..\\Software", "a/b", "C:", "tab\there"}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(E_PACKAGE_FORMAT, LoadBytes(Package({List("plgs", {Plug("P", key)})})).status);
    EXPECT_EQ(E_PACKAGE_FORMAT, LoadBytes(Package({List("clst", {ChainList("c", key, {1})})})).status);
  }
  // Editor entries have no class key; a class key they do have is held to the rule.
  EXPECT_EQ(0, LoadBytes(Package({List("plgs", {Plug("Reverb", "", kPlugInEditorBit)})})).status);
  EXPECT_EQ(E_PACKAGE_FORMAT, LoadBytes(Package({List("plgs", {Plug("Reverb", "..", kPlugInEditorBit)})})).status);
}

TEST_F(PackageRead, ToleratesOrderAndForeignChunks) {
  ByteVector foreign = Chunk("note", {'h', 'i'});
  ByteVector bytes = Form({List("misc", {foreign}),
                          List("plgs", {foreign, Plug("First")}),
                          List("clst", {foreign, ChainList("c", "Chain0001", {1, 2, 3, 4}, 5, 6)}),
                          PackageHeader(),
                          List("plgs", {List("plug", {foreign, PlugInHead(0, kKey, "Second"),
                                                      List("plst", {List("pset", {foreign, Chunk("psth",
                                                          Join({Utf16Field("p", 260), U32(1), {9, 0}}))})})})})});
  ReadResult read = LoadBytes(bytes);
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(2, read.plugIns->GetCount());
  EXPECT_STREQ("First", read.plugIns->Get(0)->name);
  EXPECT_STREQ("Second", read.plugIns->Get(1)->name);
  // A foreign chunk before a preset's head is passed over.
  ASSERT_EQ(1, read.plugIns->Get(1)->GetPresetCount());
  EXPECT_STREQ("p", read.plugIns->Get(1)->GetPreset(0)->name);
  EXPECT_EQ(ByteVector({9}), Contents(read.plugIns->Get(1)->GetPreset(0)->data));
  ASSERT_EQ(1, read.chains->GetChainCount());
  EXPECT_EQ(5u, read.chains->Get(0)->flags);
  EXPECT_EQ(6u, read.chains->Get(0)->type);
}

TEST_F(PackageRead, ShortPlugInHeadLeavesTheRestEmpty) {
  ByteVector head = Chunk("plgh", Join({U32(1), U32(0x40), Utf16Field(kKey, 40)}));
  ReadResult read = LoadBytes(Package({List("plgs", {List("plug", {head, List("plst", {PresetList("p", {1})})})})}));
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.plugIns->GetCount());
  EXPECT_STREQ(kKey, read.plugIns->Get(0)->classKey);
  EXPECT_STREQ("", read.plugIns->Get(0)->name);
  EXPECT_EQ(0x40u, read.plugIns->Get(0)->flags);
}

// A package reads the same on every computer: the names its plug-ins are
// registered with here are the caller's business.
TEST_F(PackageRead, NamesAreTakenAsTheFileHoldsThem) {
  std::string classPath = std::string("CLSID\\") + kKey;
  RegKey classesRoot = Reg_Root(RegRoot::ClassesRoot);
  Reg_DeleteTree(classesRoot, classPath.c_str());
  {
    ScopedRegKey key;
    ASSERT_EQ(0, Reg_CreateKey(classesRoot, classPath.c_str(), RegAccess::All, key.Out()));
    ASSERT_EQ(0, Reg_SetText(key.Get(), "", "Registered Reverb"));
  }
  ReadResult read = LoadBytes(Package({List("plgs", {Plug("Stored Name"), Plug("Reverb", "", kPlugInEditorBit)})}));
  Reg_DeleteTree(classesRoot, classPath.c_str());
  ASSERT_EQ(0, read.status);
  EXPECT_STREQ("Stored Name", read.plugIns->Get(0)->name);
  EXPECT_STREQ("Reverb", read.plugIns->Get(1)->name);
}

}  // namespace
