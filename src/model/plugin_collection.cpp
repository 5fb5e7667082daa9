#include "model/plugin_collection.h"

#include <cstdio>

#include "model/owned.h"
#include "platform/text.h"

namespace {

// Below this many entries a walk is as quick as the index.
constexpr int32_t kIndexFrom = 16;

// An entry is found by name through its name and, for an editor effect, its
// display name; by identity through its flags and class key, or, for an
// editor effect, through the names it matches.
bool AddToIndex(KeyIndex& index, const PlugInEntry* entry) {
  char display[kNameSize];
  IndexKey keys[2] = {{'N', 0, entry->name}, {'I', entry->flags, entry->classKey}};
  if (entry->IsEditor()) {
    entry->GetDisplayName(display, sizeof(display));
    keys[1] = IndexKey{'N', 0, display};
  }
  return KeyIndex_Add(index, entry, keys, 2);
}

bool SameFlags(const void* record, const void* context) {
  return static_cast<const PlugInEntry*>(record)->flags == static_cast<const PlugInEntry*>(context)->flags;
}

}  // namespace

PlugInCollection::PlugInCollection() : entries_(AddToIndex, kIndexFrom) {}

std::unique_ptr<PlugInCollection> PlugInCollection::Create() { return MakeOwned<PlugInCollection>(); }

PlugInEntry* PlugInCollection::FindSamePlugIn(const PlugInEntry& entry) const {
  IndexKey key = entry.IsEditor() ? IndexKey{'N', 0, entry.name} : IndexKey{'I', entry.flags, entry.classKey};
  return entries_.Find(key, SameFlags, &entry, [&](const PlugInEntry& candidate) { return candidate.IsSamePlugIn(entry); });
}

PlugInEntry* PlugInCollection::FindPlugInByName(const char* text) const {
  return entries_.Find(IndexKey{'N', 0, text}, nullptr, nullptr,
                       [&](const PlugInEntry& candidate) { return candidate.MatchesName(text); });
}

uint32_t PlugInCollection::GetTotalPresetCount() const {
  uint32_t total = 0;
  for (const std::unique_ptr<PlugInEntry>& entry : Entries()) total += static_cast<uint32_t>(entry->GetPresetCount());
  return total;
}

void FormatNotInstalledName(uint32_t number, char* buffer, size_t size) {
  char text[32];
  snprintf(text, sizeof(text), "Not Installed %03u", number);
  Text_Copy(buffer, size, text);
}

void PlugInCollection::MakeNotInstalledName(char* buffer, size_t size) const {
  uint32_t count = static_cast<uint32_t>(GetCount());
  char candidate[32];
  uint32_t k = 0;
  for (; k < count; ++k) {
    FormatNotInstalledName(k, candidate, sizeof(candidate));
    if (FindPlugInByName(candidate) == nullptr) break;
  }
  FormatNotInstalledName(k, buffer, size);
}
