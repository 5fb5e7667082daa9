// An item of the system store that exists but whose bytes cannot be read: a
// preset value or a chain's stream that names a file which is missing, in
// use, too large, not a plain file, or named so that no file is read. It is
// no record (nothing can be copied from it), but the store keeps it in view
// so that nothing is left out in silence.
#pragma once

#include <string>

struct UnreadableItem {
  bool chain = false;    // else a preset
  bool editor = false;   // a preset of one of the editor's own effects
  std::string plugIn;    // a preset's plug-in, as the tree names it
  std::string keyName;   // the class key, the editor effect's name, or the chain key name
  std::string name;      // the preset's or the chain's name
  std::string file;      // the file its value names
  std::string reason;    // why it cannot be read, in words: "its file is missing"
};
