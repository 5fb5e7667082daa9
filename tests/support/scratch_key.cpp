#include "support/scratch_key.h"

ScratchKey::ScratchKey(const char* name) : path_(name) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), path_.c_str());
  Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), path_.c_str(), RegAccess::All, key_.Out());
}

ScratchKey::~ScratchKey() {
  key_.Reset();
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), path_.c_str());
}
