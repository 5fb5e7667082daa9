// libFuzzer target for the journal reader. Each input is handed to
// ReadJournal as a file; a journal the reader accepts must be written and
// read back unchanged, and the check of what it names must hold up too.
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "journal/journal_file.h"
#include "journal/journal_recovery.h"

namespace {

int g_input = -1;
char g_inputPath[64];
std::string g_folder;
std::string g_roundTripPath;

void Expect(bool holds, const char* what) {
  if (holds) return;
  fprintf(stderr, "round trip changed the journal: %s\n", what);
  abort();
}

bool SameValues(const Journal& a, const Journal& b) {
  if (a.values.size() != b.values.size()) return false;
  for (size_t i = 0; i < a.values.size(); ++i) {
    const JournalValue& x = a.values[i];
    const JournalValue& y = b.values[i];
    if (x.item != y.item || x.key != y.key || x.name != y.name || x.present != y.present || x.type != y.type ||
        x.bytes != y.bytes) {
      return false;
    }
  }
  return true;
}

bool SameFiles(const Journal& a, const Journal& b) {
  if (a.files.size() != b.files.size()) return false;
  for (size_t i = 0; i < a.files.size(); ++i) {
    const JournalFile& x = a.files[i];
    const JournalFile& y = b.files[i];
    if (x.item != y.item || x.path != y.path || x.present != y.present || x.bytes != y.bytes) return false;
  }
  return true;
}

void RemoveFolder() {
  unlink(g_roundTripPath.c_str());
  rmdir(g_folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_input = memfd_create("journal", 0);
  if (g_input < 0) abort();
  snprintf(g_inputPath, sizeof(g_inputPath), "/proc/self/fd/%d", g_input);
  char folder[] = "/dev/shm/ordalis-journal-fuzz-XXXXXX";
  char fallback[] = "/tmp/ordalis-journal-fuzz-XXXXXX";
  const char* made = mkdtemp(folder);
  if (made == nullptr) made = mkdtemp(fallback);
  if (made == nullptr) abort();
  g_folder = made;
  g_roundTripPath = g_folder + "/round-trip.journal";
  atexit(RemoveFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ftruncate(g_input, 0) != 0 || pwrite(g_input, data, size, 0) != static_cast<ssize_t>(size)) abort();
  Journal first;
  if (ReadJournal(g_inputPath, &first) != 0) return 0;
  std::string problem;
  CheckJournal(first, &problem);

  Expect(WriteJournal(g_roundTripPath.c_str(), first) == 0, "the write failed");
  Journal second;
  Expect(ReadJournal(g_roundTripPath.c_str(), &second) == 0, "the written file is refused");
  Expect(first.operation == second.operation && first.time == second.time, "the header");
  Expect(first.items == second.items, "the items");
  Expect(SameValues(first, second), "the values");
  Expect(SameFiles(first, second), "the files");
  Expect(first.createdKeys == second.createdKeys && first.createdFolders == second.createdFolders,
         "the created keys and folders");
  return 0;
}
