#include "kernel/msgbox.h"

#include <cstdarg>
#include <cstring>
#include <mutex>
#include <thread>

#include "kernel/error_text.h"
#include "kernel/format.h"
#include "kernel/kernel.h"
#include "kernel/msgbox_backend.h"
#include "kernel/strings.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

constexpr size_t kTextSize = 2048;

// The process's settings. They may change only on the thread that first set
// them; the lock keeps a box on another thread from reading a torn copy.
struct Settings {
  std::mutex lock;
  bool registered = false;
  std::thread::id thread;
  VtMsgBoxSettings data = {};
  VtMsgBoxHook hook = nullptr;
  void* hookContext = nullptr;
};

Settings& TheSettings() {
  static Settings settings;
  return settings;
}

// Claims the settings for the calling thread; false for another thread.
bool MayChange(Settings& s) {
  if (!s.registered) {
    s.registered = true;
    s.thread = std::this_thread::get_id();
  }
  return s.thread == std::this_thread::get_id();
}

struct ButtonSet {
  int32_t count;
  int32_t ids[5];
  int32_t escapeAnswer;
};

VtMsgBoxButtons MakeButtons(const ButtonSet& set, uint32_t flags) {
  VtMsgBoxButtons buttons = {};
  buttons.count = set.count;
  buttons.escapeAnswer = set.escapeAnswer;
  for (int32_t i = 0; i < set.count; ++i) {
    buttons.ids[i] = set.ids[i];
    switch (set.ids[i]) {
      case kVtIdOk: buttons.textIds[i] = kVtTextOk; break;
      case kVtIdCancel: buttons.textIds[i] = kVtTextCancel; break;
      case kVtIdAbort: buttons.textIds[i] = kVtTextAbort; break;
      case kVtIdRetry: buttons.textIds[i] = kVtTextRetry; break;
      case kVtIdIgnore: buttons.textIds[i] = kVtTextIgnore; break;
      case kVtIdYes: buttons.textIds[i] = kVtTextYes; break;
      case kVtIdNo: buttons.textIds[i] = kVtTextNo; break;
      case kVtIdTryAgain: buttons.textIds[i] = kVtTextTryAgain; break;
      case kVtIdContinue: buttons.textIds[i] = kVtTextContinue; break;
      case kVtIdYesToAll: buttons.textIds[i] = kVtTextYesToAll; break;
      case kVtIdDelete: buttons.textIds[i] = kVtTextDelete; break;
      default: buttons.textIds[i] = kVtTextNoToAll; break;
    }
  }
  uint32_t position = (flags >> kVtMbDefButtonShift) & 0xF;
  buttons.defaultAnswer = buttons.ids[position < static_cast<uint32_t>(set.count) ? position : 0];
  return buttons;
}

const ButtonSet kOk = {1, {kVtIdOk}, kVtIdOk};

int32_t Ask(VtMsgBoxQuestion& question) {
  Settings& s = TheSettings();
  VtMsgBoxSettings settings;
  VtMsgBoxHook hook;
  void* context;
  {
    std::lock_guard<std::mutex> hold(s.lock);
    settings = s.data;
    hook = s.hook;
    context = s.hookContext;
  }
  if (question.caption == nullptr) question.caption = settings.caption;
  if (hook != nullptr) return hook(context, question);
  return question.kind == VtMsgBoxKind::System ? VtMsgBoxShowSystem(settings, question)
                                               : VtMsgBoxShowCustom(settings, question);
}

// The text of a box: the format expanded when it could change, else as is.
const char* Expand(const char* format, va_list args, char* buffer, size_t size) {
  if (format == nullptr) return "";
  if (!VtFormat_NeedsExpansion(format)) return format;
  VtVSnPrintF(buffer, size, format, args);
  return buffer;
}

int32_t ShowCustom(VtMsgBoxKind kind, VtWindow owner, uint32_t flags, const char* details, const char* text,
                   int32_t status) {
  bool withDetails = (flags & kVtMbDetails) == kVtMbDetails;
  VtMsgBoxQuestion question = {kind,  owner, text, nullptr, flags, VtMsgBox_CustomButtons(flags),
                               withDetails ? details : nullptr, status};
  return Ask(question);
}

int32_t MsgBoxV(VtWindow owner, uint32_t flags, const char* format, va_list args) {
  char buffer[kTextSize];
  return VtMessageBox(owner, Expand(format, args, buffer, sizeof(buffer)), nullptr, flags);
}

// Button sets 0 to 5 are the same in both boxes.
const ButtonSet kCommonSets[] = {
    kOk,
    {2, {kVtIdOk, kVtIdCancel}, kVtIdCancel},
    {3, {kVtIdAbort, kVtIdRetry, kVtIdIgnore}, 0},
    {3, {kVtIdYes, kVtIdNo, kVtIdCancel}, kVtIdCancel},
    {2, {kVtIdYes, kVtIdNo}, 0},
    {2, {kVtIdRetry, kVtIdCancel}, kVtIdCancel},
};
constexpr uint32_t kCommonSetCount = sizeof(kCommonSets) / sizeof(kCommonSets[0]);

}  // namespace

VtMsgBoxButtons VtMsgBox_SystemButtons(uint32_t flags) {
  static const ButtonSet kCancelTryContinue = {3, {kVtIdCancel, kVtIdTryAgain, kVtIdContinue}, kVtIdCancel};
  uint32_t set = flags & kVtMbButtonMask;
  if (set < kCommonSetCount) return MakeButtons(kCommonSets[set], flags);
  return MakeButtons(set == kVtMbCancelTryContinue ? kCancelTryContinue : kOk, flags);
}

VtMsgBoxButtons VtMsgBox_CustomButtons(uint32_t flags) {
  static const ButtonSet kExtendedSets[] = {
      {4, {kVtIdYes, kVtIdYesToAll, kVtIdNo, kVtIdCancel}, kVtIdCancel},
      {3, {kVtIdYes, kVtIdNo, kVtIdDelete}, 0},
      {4, {kVtIdYes, kVtIdNo, kVtIdNoToAll, kVtIdCancel}, kVtIdCancel},
      {5, {kVtIdYes, kVtIdYesToAll, kVtIdNo, kVtIdNoToAll, kVtIdCancel}, kVtIdCancel},
  };
  uint32_t set = flags & kVtMbButtonMask;
  if (set < kCommonSetCount) return MakeButtons(kCommonSets[set], flags);
  if (set >= kVtMbYesAllNoCancel && set <= kVtMbYesAllNoNoAllCancel) {
    return MakeButtons(kExtendedSets[set - kVtMbYesAllNoCancel], flags);
  }
  return MakeButtons(kOk, flags);
}

int32_t VtMsgBoxSetAppData(VtModule instance, VtWindow defaultOwner, const char* caption) {
  Settings& s = TheSettings();
  std::lock_guard<std::mutex> hold(s.lock);
  if (!MayChange(s)) return E_FAIL;
  s.data.instance = instance;
  s.data.defaultOwner = defaultOwner;
  Text_Copy(s.data.caption, sizeof(s.data.caption), caption != nullptr ? caption : "");
  return 0;
}

int32_t VtMsgBoxSetHook(VtMsgBoxHook hook, void* context) {
  Settings& s = TheSettings();
  std::lock_guard<std::mutex> hold(s.lock);
  if (!MayChange(s)) return E_FAIL;
  s.hook = hook;
  s.hookContext = context;
  return 0;
}

int32_t VtMessageBox(VtWindow owner, const char* text, const char* caption, uint32_t flags) {
  VtMsgBoxQuestion question = {VtMsgBoxKind::System, owner, text != nullptr ? text : "", caption, flags,
                               VtMsgBox_SystemButtons(flags), nullptr, 0};
  return Ask(question);
}

int32_t VtMsgBox(VtWindow owner, uint32_t flags, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int32_t answer = MsgBoxV(owner, flags, format, args);
  va_end(args);
  return answer;
}

int32_t VtMsgBoxId(VtLang* strings, VtWindow owner, uint32_t flags, uint32_t id, ...) {
  char format[kTextSize];
  VtLoadString(strings, id, format, sizeof(format));
  if (format[0] == '\0') Text_Copy(format, sizeof(format), VtGetString2(strings, id));
  va_list args;
  va_start(args, id);
  int32_t answer = MsgBoxV(owner, flags, format, args);
  va_end(args);
  return answer;
}

int32_t VtMsgBox_Custom(VtWindow owner, uint32_t flags, const char* details, const char* format, ...) {
  if ((flags & kVtMbDetails) == kVtMbDetails && (details == nullptr || details[0] == '\0')) return 0;
  char buffer[kTextSize];
  va_list args;
  va_start(args, format);
  const char* text = Expand(format, args, buffer, sizeof(buffer));
  va_end(args);
  return ShowCustom(VtMsgBoxKind::Custom, owner, flags, details, text, 0);
}

void VtErrorHandler_Compose(uintptr_t operation, int32_t status, const char* argument, bool warning, char* buffer,
                            size_t size) {
  if (size == 0) return;
  buffer[0] = '\0';
  if (warning) Text_Copy(buffer, size, VtKernel_Text(kVtTextWarning));
  // No kernel operation has a text of its own, so every identifier reads as
  // the general one.
  const char* operationText = operation > kVtOperationIdMax ? reinterpret_cast<const char*>(operation)
                                                            : VtKernel_Text(kVtTextOperationFailed);
  size_t used = strlen(buffer);
  VtSnPrintF(buffer + used, size - used, operationText, argument != nullptr ? argument : "");
  // The explanation may name tokens; it is expanded on its own so that
  // nothing the argument brought in is read as a conversion.
  char explanation[kTextSize];
  VtGetErrorExplanation(status, explanation, sizeof(explanation));
  char expanded[kTextSize];
  VtSnPrintF(expanded, sizeof(expanded), explanation);
  Text_Append(buffer, size, expanded);
}

int32_t VtErrorHandler_MsgBox(VtWindow owner, uint32_t flags, uintptr_t operation, int32_t status,
                              const char* argument, bool warning) {
  if (status == E_CANCELLED) return 1;
  char text[kTextSize];
  VtErrorHandler_Compose(operation, status, argument, warning, text, sizeof(text));
  return ShowCustom(VtMsgBoxKind::ErrorReport, owner, flags, nullptr, text, status);
}
