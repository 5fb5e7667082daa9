#include "app/recent_files.h"

#include <cstdio>
#include <cstring>

#include "kernel/metrics.h"
#include "platform/text.h"

namespace {

void PutWord(unsigned char* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t GetWord(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

int32_t IndexOf(const RecentFiles& files, const char* path) {
  for (int32_t i = 0; i < files.count; ++i) {
    if (Text_EqualNoCase(files.entries[i].path, path)) return i;
  }
  return -1;
}

}  // namespace

void RecentFiles_Load(RecentFiles* files, const VtMetric* settings) {
  *files = {};
  for (int32_t i = 0; i < kRecentFileMax; ++i) {
    RecentFile& entry = files->entries[i];
    unsigned char flags[8] = {};
    VtGetMetricBinary(settings, kRecentFlagsMetric + i, flags, sizeof(flags));
    VtGetMetricStringEx(settings, kRecentPathMetric + i, entry.path, sizeof(entry.path), nullptr, true);
    entry.marker = GetWord(flags);
    entry.readOnly = GetWord(flags + 4);
    if (entry.marker != kRecentMarker || entry.path[0] == '\0') {
      entry = {};
      return;
    }
    files->count = i + 1;
  }
}

void RecentFiles_Save(const RecentFiles& files, const VtMetric* settings) {
  for (int32_t i = 0; i < kRecentFileMax; ++i) VtSetMetricString(settings, kRecentPathMetric + i, "");
  for (int32_t i = 0; i < files.count; ++i) {
    const RecentFile& entry = files.entries[i];
    unsigned char flags[8];
    PutWord(flags, entry.marker);
    PutWord(flags + 4, entry.readOnly);
    VtSetMetricString(settings, kRecentPathMetric + i, entry.path);
    VtSetMetricBinary(settings, kRecentFlagsMetric + i, flags, sizeof(flags));
  }
}

void RecentFiles_Add(RecentFiles* files, const char* path, bool readOnly) {
  RecentFile entry = {kRecentMarker, readOnly ? 0xFFFFFFFFu : 0u, {}};
  Text_Copy(entry.path, sizeof(entry.path), path);
  int32_t found = IndexOf(*files, path);
  if (found < 0) {
    if (files->count < kRecentFileMax) ++files->count;
    found = files->count - 1;
  }
  memmove(&files->entries[1], &files->entries[0], sizeof(RecentFile) * found);
  files->entries[0] = entry;
}

bool RecentFiles_Remove(RecentFiles* files, const char* path) {
  int32_t found = IndexOf(*files, path);
  if (found < 0) return false;
  memmove(&files->entries[found], &files->entries[found + 1], sizeof(RecentFile) * (files->count - found - 1));
  --files->count;
  files->entries[files->count] = {};
  return true;
}

size_t RecentFiles_MenuText(const RecentFiles& files, int32_t index, const char* readOnlyMark, char* text,
                            size_t size) {
  if (size == 0) return 0;
  text[0] = '\0';
  if (index < 0 || index >= files.count) return 0;
  const RecentFile& entry = files.entries[index];
  char number[16];
  snprintf(number, sizeof(number), "&%d ", static_cast<int>(index + 1));
  // A path has at most kNameChars bytes, so doubled it always fits.
  char doubled[2 * kFilePathSize];
  size_t used = 0;
  for (const char* p = entry.path; *p != '\0' && used + 2 < sizeof(doubled); ++p) {
    if (*p == '&') doubled[used++] = '&';
    doubled[used++] = *p;
  }
  doubled[used] = '\0';
  Text_Copy(text, size, number);
  size_t length = Text_Append(text, size, doubled);
  if (entry.readOnly & 1) length = Text_Append(text, size, readOnlyMark);
  return length;
}
