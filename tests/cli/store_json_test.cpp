// The JSON that create takes: what it accepts, and a clear reason with a
// position for everything it refuses.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cli/store_json.h"
#include "model/chain_collection.h"
#include "model/plugin_collection.h"

namespace {

constexpr const char* kKey = "{5A1C0E10-2B3D-4E5F-8091-A2B3C4D5E6F7}";

struct Store {
  std::unique_ptr<PlugInCollection> plugIns = PlugInCollection::Create();
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
};

// Reads `json`; gives "" on success, else the error.
std::string Read(const std::string& json, Store* store) {
  JsonReader reader;
  Json_Begin(&reader, json.data(), json.size());
  if (ReadStoreJson(&reader, store->plugIns.get(), store->chains.get())) return "";
  EXPECT_TRUE(reader.failed);
  return reader.error;
}

std::string PlugIn(const std::string& fields) { return std::string("{\"plugins\":[{") + fields + "}],\"chains\":[]}"; }
std::string Preset(const std::string& fields) {
  return PlugIn(std::string("\"name\":\"P\",\"classKey\":\"") + kKey + "\",\"flags\":0,\"presets\":[{" + fields + "}]");
}
std::string Chain(const std::string& fields) { return std::string("{\"plugins\":[],\"chains\":[{") + fields + "}]}"; }

TEST(StoreJson, ReadsEveryFieldAndDecodesTexts) {
  std::string json = std::string("\xEF\xBB\xBF{ \"plugins\" : [ {\"name\":\"Caf\\u00e9 \\ud83c\\udfb9\\t\",") +
                     "\"displayName\":\"ignored\",\"classKey\":\"" + kKey + "\",\"flags\":4294967295," +
                     "\"presets\":[{\"name\":\"\xC3\xA9\",\"size\":99,\"data\":\"00fFaB\"}]}],\n" +
                     "\"chains\":[{\"name\":\"C\",\"keyName\":\"Chain0001\",\"flags\":1,\"type\":2,\"stream\":\"07\"}]}\n";
  Store store;
  ASSERT_EQ("", Read(json, &store));
  ASSERT_EQ(1, store.plugIns->GetCount());
  const PlugInEntry* entry = store.plugIns->Get(0);
  EXPECT_STREQ("Caf\xC3\xA9 \xF0\x9F\x8E\xB9\t", entry->name);
  EXPECT_EQ(0xFFFFFFFFu, entry->flags);
  ASSERT_EQ(1, entry->GetPresetCount());
  ASSERT_EQ(3u, entry->GetPreset(0)->data.Size());
  EXPECT_EQ(0xAB, entry->GetPreset(0)->data.Bytes()[2]);
  ASSERT_EQ(1, store.chains->GetChainCount());
  EXPECT_EQ(2u, store.chains->Get(0)->type);

  Store longest;
  std::string name(259, 'n');
  EXPECT_EQ("", Read(Preset("\"name\":\"" + name + "\",\"data\":\"01\""), &longest));
  EXPECT_EQ(name, longest.plugIns->Get(0)->GetPreset(0)->name);
}

struct Refused {
  std::string json;
  const char* reason;
};

TEST(StoreJson, RefusesWithAReasonAndPosition) {
  const Refused cases[] = {
      {"", "1:1: expected '{' but the text ends"},
      {"{\"plugins\":[],\"chains\":[]} x", "1:28: unexpected text after the document"},
      {"{\"plugins\":[],\"chains\":[],}", "expected '\"'"},
      {"{\"plugins\":[]}", "the document without \"chains\""},
      {"{\"plugins\":[],\"plugins\":[],\"chains\":[]}", "\"plugins\" given twice"},
      {"{\"plugins\":[],\"chains\":[],\"extra\":1}", "unknown key \"extra\" in the document"},
      {"{\"plugins\":[[[[[[[[[[", "expected '{'"},
      {Preset("\"name\":\"x\""), "a preset without \"data\""},
      {Preset("\"name\":\"x\",\"data\":\"\""), "preset \"x\" has no data"},
      {Preset("\"name\":\"x\",\"data\":\"abc\""), "odd number of hex digits"},
      {Preset("\"name\":\"x\",\"data\":\"0g\""), "expected a hex digit"},
      {Preset("\"name\":\"x\",\"size\":-1,\"data\":\"00\""), "expected a whole number"},
      {Preset("\"name\":\"x\",\"size\":4294967296,\"data\":\"00\""), "expected a whole number"},
      {Preset("\"name\":\"x\",\"size\":1.5,\"data\":\"00\""), "expected a whole number"},
      {Preset("\"name\":\"" + std::string(260, 'n') + "\",\"data\":\"00\""),
       "its name is longer than the 259 characters a package holds"},
      {Preset("\"name\":\"" + std::string(kNameSize, 'n') + "\",\"data\":\"00\""), "a preset name longer than"},
      {Chain("\"name\":\"" + std::string(260, 'c') + "\",\"keyName\":\"K\",\"flags\":0,\"type\":0,\"stream\":\"00\""),
       "its name is longer than the 259 characters a package holds"},
      {Preset("\"name\":\"\xC3\",\"data\":\"00\""), "malformed UTF-8"},
      {Preset("\"name\":\"\xED\xA0\x80\",\"data\":\"00\""), "malformed UTF-8"},
      {Preset("\"name\":\"\\ud800x\",\"data\":\"00\""), "unpaired surrogate"},
      {Preset("\"name\":\"\\u0000\",\"data\":\"00\""), "may not hold \\u0000"},
      {Preset("\"name\":\"a\nb\",\"data\":\"00\""), "control character"},
      {Preset("\"name\":\"\\q\",\"data\":\"00\""), "unknown escape"},
      {PlugIn("\"name\":\"P\",\"classKey\":\"\",\"flags\":0,\"presets\":[]"), "no class key and is not an editor entry"},
      {PlugIn("\"name\":\"P\",\"classKey\":\"..\",\"flags\":1,\"presets\":[]"), "class key \"..\" cannot name a key"},
      {PlugIn("\"name\":\"P\",\"classKey\":\"" + std::string(40, 'k') + "\",\"flags\":0,\"presets\":[]"),
       "a class key longer than 39 bytes"},
      {PlugIn(std::string("\"name\":\"P\",\"classKey\":\"") + kKey + "\",\"flags\":0,\"presets\":[]"),
       "plug-in \"P\" has no presets"},
      // What an import into the system store would refuse.
      {PlugIn("\"name\":\"P\",\"classKey\":\"fx packages\",\"flags\":0,\"presets\":[{\"name\":\"x\",\"data\":\"00\"}]"),
       "plug-in \"P\": its class key cannot name a key of the store"},
      {PlugIn("\"name\":\"\",\"classKey\":\"\",\"flags\":1,\"presets\":[{\"name\":\"x\",\"data\":\"00\"}]"),
       "an effect of the editor needs a name"},
      {PlugIn("\"name\":\"a\\\\b\",\"classKey\":\"\",\"flags\":1,\"presets\":[{\"name\":\"x\",\"data\":\"00\"}]"),
       "cannot hold"},
      {PlugIn("\"name\":\"" + std::string(40, 'e') + "\",\"classKey\":\"\",\"flags\":1,\"presets\":[{\"name\":\"x\",\"data\":\"00\"}]"),
       "longer than 39 characters"},
      {PlugIn("\"name\":\"Chainer\",\"classKey\":\"\",\"flags\":1,\"presets\":[{\"name\":\"x\",\"data\":\"00\"}]"),
       "the editor keeps that name for itself"},
      {Preset("\"name\":\"(Untitled)\",\"data\":\"00\""), "preset \"(Untitled)\": the store keeps that name"},
      {Chain("\"name\":\"C\",\"keyName\":\"a\\\\b\",\"flags\":0,\"type\":0,\"stream\":\"00\""),
       "key name \"a\\b\" cannot name a key"},
      {Chain("\"name\":\"C\",\"keyName\":\"K\",\"flags\":0,\"type\":0,\"stream\":\"\""), "chain \"C\" has no stream"},
      {Chain("\"name\":\"C\",\"keyName\":\"K\",\"flags\":0,\"stream\":\"00\""), "a chain without \"type\""},
  };
  for (const Refused& refused : cases) {
    SCOPED_TRACE(refused.json);
    Store store;
    std::string error = Read(refused.json, &store);
    EXPECT_NE(std::string::npos, error.find(refused.reason)) << error;
  }
}

}  // namespace
