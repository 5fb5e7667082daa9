#include "store/store_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "store/store_layout.h"
#include "store/system_loader.h"
#ifndef _WIN32
#include "platform/registry_memory.h"
#endif

const char* const kClassA = "{0A000000-0000-4000-8000-00000000000A}";
const char* const kClassB = "{0B000000-0000-4000-8000-00000000000B}";
const char* const kClassC = "{0C000000-0000-4000-8000-00000000000C}";
const char* const kClassD = "{0D000000-0000-4000-8000-00000000000D}";

namespace {

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

std::string ClassPath(const char* classKey) { return std::string("CLSID\\") + classKey; }

// Size and a hash of every byte, readable in a failure's diff.
void AppendBytes(std::string* out, const unsigned char* bytes, uint32_t size) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint32_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
  char text[48];
  snprintf(text, sizeof(text), " %u bytes %016llx", size, static_cast<unsigned long long>(hash));
  *out += text;
}

}  // namespace

void SystemStoreTest::RemoveStore() {
#ifndef _WIN32
  MemoryRegistry_Clear();
#endif
  Reg_DeleteTree(User(), kDirectShowPresetsKey);
  Reg_DeleteTree(User(), "Software\\Veltrane");
}

void SystemStoreTest::SetUp() {
  RemoveStore();
  presetFolder_ = folder_.Join("presets");
  chainFolder_ = folder_.Join("chains");
  SetText(kDirectShowPresetsKey, kDefLocationValue, presetFolder_, kRegExpandSz);
  SetText(kChainsKey, kDefLocationValue, chainFolder_, kRegExpandSz);
}

void SystemStoreTest::TearDown() {
  for (const std::string& classKey : registered_) Unregister(classKey.c_str());
  RemoveStore();
}

std::string SystemStoreTest::PlugInKey(const char* classKey) {
  return std::string(kDirectShowPresetsKey) + "\\" + classKey;
}

std::string SystemStoreTest::ChainKeyPath(const char* keyName) { return std::string(kChainsKey) + "\\" + keyName; }

std::string SystemStoreTest::EditorKey(const char* name) { return std::string(kEditorPresetsKey) + "\\" + name; }

void SystemStoreTest::SetValue(const std::string& key, const char* name, uint32_t type, const void* data,
                               uint32_t size) {
  ScopedRegKey opened;
  ASSERT_EQ(0, Reg_CreateKey(User(), key.c_str(), RegAccess::All, opened.Out()));
  ASSERT_EQ(0, Reg_SetValue(opened.Get(), name, type, data, size));
}

void SystemStoreTest::SetBinary(const std::string& key, const char* name, const std::vector<unsigned char>& bytes) {
  SetValue(key, name, kRegBinary, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void SystemStoreTest::SetText(const std::string& key, const char* name, const std::string& text, uint32_t type) {
  SetValue(key, name, type, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

void SystemStoreTest::SetDword(const std::string& key, const char* name, uint32_t value) {
  SetValue(key, name, kRegDword, &value, sizeof(value));
}

void SystemStoreTest::SetChain(const char* keyName, const char* name, const std::vector<unsigned char>& stream) {
  std::string key = ChainKeyPath(keyName);
  SetDword(key, kChainFlagsValue, 1);
  SetText(key, kChainNameValue, name);
  SetDword(key, kChainTypeValue, 2);
  SetBinary(key, kChainStreamValue, stream);
}

bool SystemStoreTest::QueryValue(const std::string& key, const char* name, uint32_t* type,
                                 std::vector<unsigned char>* bytes) {
  ScopedRegKey opened;
  if (Reg_OpenKey(User(), key.c_str(), RegAccess::Read, opened.Out()) != 0) return false;
  uint32_t size = 0;
  if (Reg_QueryValue(opened.Get(), name, type, nullptr, &size) != 0) return false;
  bytes->assign(size, 0);
  return Reg_QueryValue(opened.Get(), name, type, bytes->data(), &size) == 0;
}

std::string SystemStoreTest::QueryText(const std::string& key, const char* name) {
  ScopedRegKey opened;
  char text[1024];
  if (Reg_OpenKey(User(), key.c_str(), RegAccess::Read, opened.Out()) != 0 ||
      Reg_QueryText(opened.Get(), name, text, sizeof(text)) != 0) {
    return "(none)";
  }
  return text;
}

bool SystemStoreTest::KeyExists(const std::string& key) {
  ScopedRegKey opened;
  return Reg_OpenKey(User(), key.c_str(), RegAccess::Read, opened.Out()) == 0;
}

void SystemStoreTest::Register(const char* classKey, const char* name) {
  registered_.push_back(classKey);
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_CreateKey(Reg_Root(RegRoot::ClassesRoot), ClassPath(classKey).c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_SetText(key.Get(), "", name));
}

void SystemStoreTest::Unregister(const char* classKey) {
  Reg_DeleteTree(Reg_Root(RegRoot::ClassesRoot), ClassPath(classKey).c_str());
}

std::string SystemStoreTest::WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) const {
  std::string path = folder_.Join(name);
  EXPECT_TRUE(WriteWholeFile(path, bytes)) << path;
  return path;
}

std::vector<unsigned char> Pattern(uint32_t size, unsigned seed) {
  std::vector<unsigned char> bytes(size);
  for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + seed * 31 + i / 251);
  return bytes;
}

std::string Describe(const PlugInCollection* plugIns, const ChainCollection* chains) {
  std::string out = plugIns == nullptr ? "no plug-ins\n" : "";
  for (int32_t i = 0; plugIns != nullptr && i < plugIns->GetCount(); ++i) {
    const PlugInEntry* entry = plugIns->Get(i);
    char flags[16];
    snprintf(flags, sizeof(flags), "%u", entry->flags);
    out += std::string("plug-in ") + entry->name + " [" + entry->classKey + "] " + flags + "\n";
    for (int32_t p = 0; p < entry->GetPresetCount(); ++p) {
      const PresetRecord* preset = entry->GetPreset(p);
      out += std::string("  preset ") + preset->name;
      AppendBytes(&out, preset->data.Bytes(), preset->data.Size());
      out += "\n";
    }
  }
  out += chains == nullptr ? "no chains\n" : "";
  for (int32_t i = 0; chains != nullptr && i < chains->GetChainCount(); ++i) {
    const ChainRecord* chain = chains->Get(i);
    char words[32];
    snprintf(words, sizeof(words), " %u %u", chain->flags, chain->type);
    out += std::string("chain ") + chain->name + " [" + chain->keyName + "]" + words;
    AppendBytes(&out, chain->stream.Bytes(), chain->stream.Size());
    out += "\n";
  }
  return out;
}

std::string DescribeFullLoad() {
  std::unique_ptr<ChainCollection> chains = LoadSystemChains();
  std::unique_ptr<PlugInCollection> plugIns = LoadSystemPlugIns();
  return Describe(plugIns.get(), chains.get());
}

std::string DescribeHoldings(const PlugInCollection* plugIns, const ChainCollection* chains) {
  std::vector<std::string> lines;
  for (int32_t i = 0; plugIns != nullptr && i < plugIns->GetCount(); ++i) {
    const PlugInEntry* entry = plugIns->Get(i);
    std::string owner = entry->IsEditor() ? std::string("effect ") + entry->name : std::string("plug-in ") + entry->classKey;
    for (int32_t p = 0; p < entry->GetPresetCount(); ++p) {
      const PresetRecord* preset = entry->GetPreset(p);
      std::string line = owner + " preset " + preset->name;
      AppendBytes(&line, preset->data.Bytes(), preset->data.Size());
      lines.push_back(line);
    }
  }
  for (int32_t i = 0; chains != nullptr && i < chains->GetChainCount(); ++i) {
    const ChainRecord* chain = chains->Get(i);
    char words[32];
    snprintf(words, sizeof(words), " %u %u", chain->flags, chain->type);
    std::string line = std::string("chain ") + chain->name + " [" + chain->keyName + "]" + words;
    AppendBytes(&line, chain->stream.Bytes(), chain->stream.Size());
    lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

std::string DescribeHoldingsOfFullLoad() {
  std::unique_ptr<ChainCollection> chains = LoadSystemChains();
  std::unique_ptr<PlugInCollection> plugIns = LoadSystemPlugIns();
  return DescribeHoldings(plugIns.get(), chains.get());
}
