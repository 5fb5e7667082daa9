#include "app/command_line.h"

#include <cstring>
#include <new>

#include "platform/file.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

// The delimiters are ASCII and no lead or trail byte of a multi-byte
// character is, so scanning byte by byte keeps characters whole.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct ListOwner {
  VtList* list = nullptr;
  ~ListOwner() { VtList_Destroy(list); }
};

int32_t HandleArguments(const VtList* args, int32_t first, DocumentRecord* document, int32_t depth,
                        CommandLineContext& context);

// Reads a response file whole and handles its arguments as a command line of
// their own.
int32_t HandleResponseFile(const char* path, DocumentRecord* document, int32_t depth, CommandLineContext& context) {
  if (depth >= kMaxResponseDepth) return E_INVALIDARG;
  ScopedFile file;
  if (File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()) != 0) {
    return E_FILE_OPEN;
  }
  uint64_t size = 0;
  if (File_GetSize(file.Get(), &size) != 0 || size == 0) return 1;
  if (size >= UINT32_MAX) return E_OUTOFMEMORY;
  char* text = new (std::nothrow) char[size + 1];
  if (text == nullptr) return E_OUTOFMEMORY;
  uint32_t done = 0;
  int32_t result = 1;
  if (File_Read(file.Get(), text, static_cast<uint32_t>(size), &done) == 0 && done == size) {
    text[size] = '\0';
    ListOwner args;
    result = CommandLine_Split(text, &args.list);
    if (result == 0) result = HandleArguments(args.list, 0, document, depth + 1, context);
  }
  delete[] text;
  return result;
}

// The error box names the argument the result is about; an argument
// handled well after it makes the result good again.
void NoteResult(CommandLineContext& context, int32_t result, const char* argument) {
  if (!StatusFailed(result)) {
    context.refused[0] = '\0';
  } else if (context.refused[0] == '\0') {
    Text_Copy(context.refused, sizeof(context.refused), argument);
  }
}

int32_t HandleArguments(const VtList* args, int32_t first, DocumentRecord* document, int32_t depth,
                        CommandLineContext& context) {
  int32_t count = VtList_Count(args);
  for (int32_t i = first; i < count;) {
    Argument a = CommandLine_Classify(args, i, context.mapUnixPath);
    if (a.kind == ArgumentKind::Invalid) {
      context.refused[0] = '\0';
      NoteResult(context, E_INVALIDARG, VtList_At<const char>(args, i));
      return E_INVALIDARG;
    }
    i += a.used;
  }
  int32_t result = 0;
  for (int32_t i = first; i < count;) {
    Argument a = CommandLine_Classify(args, i, context.mapUnixPath);
    if (a.kind == ArgumentKind::ResponseFile) {
      context.refused[0] = '\0';
      result = HandleResponseFile(a.value, document, depth, context);
      NoteResult(context, result, a.value);
    } else if (a.kind == ArgumentKind::File) {
      Document_SetPath(document, a.value);
      result = 0;
      NoteResult(context, result, a.value);
    } else if (a.kind == ArgumentKind::UnixFile) {
      char mapped[kNameSize];
      // Classified as mappable a moment ago; mapped again to keep the
      // argument list the only store of texts.
      result = context.mapUnixPath(a.value, mapped, sizeof(mapped)) ? 0 : E_INVALIDARG;
      if (result == 0) Document_SetPath(document, mapped);
      NoteResult(context, result, a.value);
    }
    i += a.used;
  }
  return result;
}

// A Unix path rather than a mistyped option: the mapping knows it, and it
// has a folder part or names a file that is there ("/" alone, the root
// folder, stays a bad option).
bool IsUnixPath(const char* text, UnixPathMapper mapUnixPath) {
  if (mapUnixPath == nullptr) return false;
  char mapped[kNameSize];
  if (!mapUnixPath(text, mapped, sizeof(mapped))) return false;
  if (strchr(text + 1, '/') != nullptr) return true;
  FileInfo info;
  return File_GetInfo(mapped, &info) == 0 && !info.isFolder;
}

bool IsKnownOption(const char* name) {
  static const char* const kOptions[] = {"HELP", "?"};
  for (const char* option : kOptions) {
    if (Text_EqualNoCase(name, option)) return true;
  }
  return false;
}

}  // namespace

int32_t CommandLine_Split(const char* text, VtList** args) {
  *args = nullptr;
  ListOwner list;
  int32_t status = VtList_CreateExZ(0, 8, 8, VTLIST_HEAP, &list.list);
  if (status != 0) return status;
  char* argument = new (std::nothrow) char[strlen(text) + 1];
  if (argument == nullptr) return E_OUTOFMEMORY;

  const char* p = text;
  while (status == 0) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') break;
    size_t length = 0;
    bool quoted = false;
    for (; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
      if (*p != '"') {
        argument[length++] = *p;
      } else if (quoted && p[1] == '"') {
        argument[length++] = '"';
        ++p;
      } else {
        quoted = !quoted;
      }
    }
    argument[length] = '\0';
    status = VtList_AllocInsert(list.list, -1, static_cast<uint32_t>(length + 1), argument, nullptr);
  }
  delete[] argument;
  if (status != 0) return status;
  *args = list.list;
  list.list = nullptr;
  return 0;
}

Argument CommandLine_Classify(const VtList* args, int32_t index, UnixPathMapper mapUnixPath) {
  const char* text = VtList_At<const char>(args, index);
  if (text[0] == '@') {
    if (text[1] != '\0') return {ArgumentKind::ResponseFile, text + 1, 1};
    const char* next = index + 1 < VtList_Count(args) ? VtList_At<const char>(args, index + 1) : nullptr;
    if (next == nullptr || next[0] == '-' || next[0] == '/') return {ArgumentKind::Invalid, nullptr, 1};
    return {ArgumentKind::ResponseFile, next, 2};
  }
  if (text[0] == '-' || text[0] == '/') {
    char name[kOptionNameMax + 1];
    const char* colon = strchr(text + 1, ':');
    size_t length = colon != nullptr ? static_cast<size_t>(colon - (text + 1)) : strlen(text + 1);
    size_t counted = length < kOptionNameMax ? length : kOptionNameMax;
    memcpy(name, text + 1, counted);
    name[counted] = '\0';
    name[Text_CutLength(name, counted)] = '\0';
    bool known = length > 0 && IsKnownOption(name);
    if (!known && text[0] == '/' && IsUnixPath(text, mapUnixPath)) return {ArgumentKind::UnixFile, text, 1};
    // Neither option takes a value.
    if (!known || colon != nullptr) return {ArgumentKind::Invalid, nullptr, 1};
    return {ArgumentKind::Option, nullptr, 1};
  }
  return {ArgumentKind::File, text, 1};
}

int32_t CommandLine_Handle(const char* commandLine, DocumentRecord* document, CommandLineContext* context) {
  CommandLineContext unused;
  CommandLineContext& reading = context != nullptr ? *context : unused;
  reading.refused[0] = '\0';
  ListOwner args;
  int32_t status = CommandLine_Split(commandLine, &args.list);
  if (status != 0) return status;
  return HandleArguments(args.list, 1, document, 0, reading);
}
