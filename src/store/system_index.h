// What the system store holds in the registry that its records do not
// tell: the values of plug-in and effect keys that name a file (with
// whether the file could be read), every key below the chains key with the
// chain it holds, and how many values name each file. The loaders build it
// beside the collections and the store-level operations keep it up to date,
// so that a copy can tell, without reading the registry again, that a value
// exists although its file could not be read, that a chain key name is
// taken, and that a file is shared.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file.h"

class PlugInEntry;

class SystemIndex {
 public:
  // A value that names a file.
  struct ValueFile {
    std::string name;  // the value's name as the registry spells it
    std::string file;
    bool read;         // its bytes could be read: a preset of the collections
  };
  // A key below the chains key.
  struct ChainKey {
    std::string keyName;
    std::string chainName;  // empty when the key holds no readable name
    std::string file;       // the file its Stream names, or empty
    uint32_t flags;
    uint32_t type;
    bool isChain;           // it holds the four values of a chain
    bool read;              // and its stream could be read: a chain of the collection
  };

  void Clear();

  // The value `name` of the key of `entry` (its class key, or for an
  // editor effect its name below the editor's key), when it names a file.
  const ValueFile* FindValueFile(const PlugInEntry& entry, const char* name) const;
  const ValueFile* FindValueFile(bool editor, const char* keyName, const char* name) const;
  // Records what the value names now; an empty `file` forgets it (the
  // value holds its bytes itself, or is gone).
  void SetValueFile(bool editor, const char* keyName, const char* name, const char* file, bool read);
  void SetValueFile(const PlugInEntry& entry, const char* name, const char* file, bool read);
  // As SetValueFile, for the loaders: a value of a name already there (two
  // spellings the registry keeps apart) is counted as a user of its file
  // all the same. Kept as it is until the index is first asked, so that a
  // refresh that no write follows costs little.
  void AddLoadedValueFile(bool editor, const char* keyName, const char* name, const char* file, bool read);
  // A file that a value which holds no preset names: only counted.
  void AddOtherFile(const char* file);

  const ChainKey* FindChainKey(const char* keyName) const;
  // A chain key holding a chain of that name whose stream could not be read.
  const ChainKey* FindUnreadChain(const char* chainName) const;
  void SetChainKey(const ChainKey& key);
  void RemoveChainKey(const char* keyName);

  // How many values name the file, by any spelling or link: decided from
  // the file itself where it exists. UINT32_MAX when that is not known (the
  // file's identity cannot be had, or memory ran short while the index was
  // kept): the file then counts as shared.
  uint32_t FileUsers(const char* file) const;
  // Tells the index that the store wrote, replaced or deleted the file, so
  // that what it knew of the file's identity is asked again.
  void FileChanged(const char* file) const;

 private:
  // A value the loaders gave, not yet in the maps.
  struct LoadedValue {
    bool editor;
    std::string keyName;
    ValueFile value;
  };

  // The values that name one file by one spelling, and the identity of
  // that file as last seen.
  struct FileUse {
    uint32_t users = 0;
    std::string path;
    enum class Seen { NotYet, None, Known } seen = Seen::NotYet;
    FileIdentity identity = {};
  };

  void AddUser(const std::string& file) const;
  static void See(FileUse* use);
  void RemoveUser(const std::string& file) const;
  // Puts what the loaders gave into the maps.
  void Settle() const;
  template <class Work>
  void Guarded(Work work) const;

  mutable std::vector<LoadedValue> loaded_;
  mutable std::vector<std::string> otherFiles_;
  mutable std::unordered_map<std::string, ValueFile> values_;      // by key and value name, folded
  std::unordered_map<std::string, ChainKey> chainKeys_;            // by key name, folded
  std::unordered_multimap<std::string, std::string> unreadChains_; // folded chain name -> folded key name
  mutable std::unordered_map<std::string, FileUse> fileUsers_;     // by path key
  mutable bool complete_ = true;
};
