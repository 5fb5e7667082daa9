// Natively the program's strings come from the table generated from the
// resource script; there are no other modules and no language modules.
#include <cstring>

#include "kernel/string_resource.h"
#include "platform/text.h"

namespace {

struct BuiltInString {
  uint32_t id;
  const char* text;
};

const BuiltInString kStrings[] = {
#include "string_table.inc"
};

}  // namespace

int32_t VtResource_LoadString(VtModule module, uint32_t, uint32_t id, char* buffer, size_t size) {
  if (size > 0) buffer[0] = '\0';
  if (module != nullptr) return -1;
  for (const BuiltInString& s : kStrings) {
    if (s.id == id) return static_cast<int32_t>(Text_Copy(buffer, size, s.text));
  }
  return -1;
}

VtModule VtResource_OpenLanguageModule(VtModule) { return nullptr; }

void VtResource_CloseModule(VtModule) {}
