// The recent-file list: up to five package files, the most recent first,
// kept in the settings (paths in metrics 30110 to 30114, each with an 8-byte
// marker and read-only word in metrics 30120 to 30124) and shown at the end
// of the File menu.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/names.h"

struct VtMetric;

constexpr int32_t kRecentFileMax = 5;
constexpr int32_t kRecentPathMetric = 30110;
constexpr int32_t kRecentFlagsMetric = 30120;
constexpr uint32_t kRecentMarker = 100;
// The longest menu text of an entry: "&5 ", a path whose every "&" is
// doubled, " (RO)".
constexpr size_t kRecentMenuTextSize = 3 + 2 * kNameChars + 16 + 1;

struct RecentFile {
  uint32_t marker;    // kRecentMarker in a valid entry
  uint32_t readOnly;  // 0, or all bits set when the file was read-only
  char path[kFilePathSize];
};

struct RecentFiles {
  int32_t count = 0;
  RecentFile entries[kRecentFileMax] = {};
};

// Reads the list; it ends at the first entry without the marker or a path.
void RecentFiles_Load(RecentFiles* files, const VtMetric* settings);
// Writes the list: the paths of all five entries (empty past the count),
// and the marker and read-only word of each counted entry.
void RecentFiles_Save(const RecentFiles& files, const VtMetric* settings);

// Puts `path` at the top: moved there when listed (in any letter case),
// else added, the oldest falling off a full list.
void RecentFiles_Add(RecentFiles* files, const char* path, bool readOnly);
// Removes the entry of `path` (in any letter case); false when none.
bool RecentFiles_Remove(RecentFiles* files, const char* path);

// The File menu's text of entry `index`: "&<n> " with the path, each "&"
// doubled, and " (RO)" (`readOnlyMark`) for a read-only file. Gives the
// length.
size_t RecentFiles_MenuText(const RecentFiles& files, int32_t index, const char* readOnlyMark, char* text,
                            size_t size);
