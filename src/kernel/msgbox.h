// Message boxes: the system's box, the custom box with extended button sets,
// and the error-report box that explains a status in words.
//
// This front end is portable. Every box first asks the hook, when one is set,
// and takes its answer; otherwise the Windows build shows the box, and the
// native build (which has no screen) answers as the user would by dismissing
// it: the Escape answer, or the default button where Escape is disabled.
//
// The owner argument of every box: a window; kVtOwnerDefault for the last
// active pop-up of the default owner (no owner when there is none);
// VtOwnerNone() for no owner.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/string_resource.h"

struct VtLang;

using VtWindow = void*;  // a window handle
constexpr VtWindow kVtOwnerDefault = nullptr;
inline VtWindow VtOwnerNone() { return reinterpret_cast<VtWindow>(static_cast<intptr_t>(-1)); }

// Flags: the system's MB_ values. Button sets are the low four bits.
constexpr uint32_t kVtMbOk = 0;
constexpr uint32_t kVtMbOkCancel = 1;
constexpr uint32_t kVtMbAbortRetryIgnore = 2;
constexpr uint32_t kVtMbYesNoCancel = 3;
constexpr uint32_t kVtMbYesNo = 4;
constexpr uint32_t kVtMbRetryCancel = 5;
constexpr uint32_t kVtMbCancelTryContinue = 6;   // system box only
constexpr uint32_t kVtMbYesAllNoCancel = 10;     // custom box only, like the three below
constexpr uint32_t kVtMbYesNoDelete = 11;
constexpr uint32_t kVtMbYesNoNoAllCancel = 12;
constexpr uint32_t kVtMbYesAllNoNoAllCancel = 13;
constexpr uint32_t kVtMbButtonMask = 0xF;
constexpr uint32_t kVtMbIconHand = 0x10;
constexpr uint32_t kVtMbIconQuestion = 0x20;
constexpr uint32_t kVtMbIconExclamation = 0x30;
constexpr uint32_t kVtMbIconAsterisk = 0x40;
constexpr uint32_t kVtMbIconMask = 0xF0;
constexpr uint32_t kVtMbDefButtonShift = 8;      // bits 8 to 11: position of the default button
constexpr uint32_t kVtMbDetails = 0xC000;        // custom box: both bits add the details button

// Answers: the system's ID values and the custom box's own.
constexpr int32_t kVtIdOk = 1;
constexpr int32_t kVtIdCancel = 2;
constexpr int32_t kVtIdAbort = 3;
constexpr int32_t kVtIdRetry = 4;
constexpr int32_t kVtIdIgnore = 5;
constexpr int32_t kVtIdYes = 6;
constexpr int32_t kVtIdNo = 7;
constexpr int32_t kVtIdTryAgain = 10;
constexpr int32_t kVtIdContinue = 11;
constexpr int32_t kVtIdYesToAll = 100;
constexpr int32_t kVtIdDelete = 101;
constexpr int32_t kVtIdNoToAll = 102;
constexpr int32_t kVtIdDetails = 200;
constexpr int32_t kVtIdDetailsText = 201;
constexpr int32_t kVtIdMessageText = 80;  // the custom box's text and icon controls
constexpr int32_t kVtIdMessageIcon = 81;

// The buttons of a box, left to right, with their kernel texts.
struct VtMsgBoxButtons {
  int32_t count;
  int32_t ids[5];
  uint32_t textIds[5];
  int32_t escapeAnswer;   // what Escape and the close box give; 0 when they are disabled
  int32_t defaultAnswer;  // the default button's identifier
};

VtMsgBoxButtons VtMsgBox_SystemButtons(uint32_t flags);
VtMsgBoxButtons VtMsgBox_CustomButtons(uint32_t flags);

enum class VtMsgBoxKind { System, Custom, ErrorReport };

// What a box would show, as the hook sees it. The texts are final: tokens
// and conversions are already expanded.
struct VtMsgBoxQuestion {
  VtMsgBoxKind kind;
  VtWindow owner;           // as the caller gave it
  const char* text;
  const char* caption;
  uint32_t flags;
  VtMsgBoxButtons buttons;
  const char* details;      // custom box with the details bits; else null
  int32_t status;           // error report: the status explained; else 0
};

// Answers a box instead of the user; the answer is the box's result.
using VtMsgBoxHook = int32_t (*)(void* context, const VtMsgBoxQuestion& question);

// Stores the settings every box uses: the module, the default owner and the
// caption (cut to 135 characters). The first call makes the calling thread
// the one that may change them; calls from other threads give E_FAIL.
int32_t VtMsgBoxSetAppData(VtModule instance, VtWindow defaultOwner, const char* caption);
// Sets (or with null removes) the hook; the same thread rule applies.
int32_t VtMsgBoxSetHook(VtMsgBoxHook hook, void* context);

// The system box with `caption`, or the stored caption when it is null.
int32_t VtMessageBox(VtWindow owner, const char* text, const char* caption, uint32_t flags);

// The system box with the stored caption; `format` is expanded (tokens,
// conversions with the arguments) when it holds a "%" or a "$".
int32_t VtMsgBox(VtWindow owner, uint32_t flags, const char* format, ...);

// As VtMsgBox with the text of string `id` (VtLoadString), or VtGetString2
// when the module has none.
int32_t VtMsgBoxId(VtLang* strings, VtWindow owner, uint32_t flags, uint32_t id, ...);

// The custom box. With both details bits a details button shows `details`;
// 0 is returned at once when those bits come without details text.
int32_t VtMsgBox_Custom(VtWindow owner, uint32_t flags, const char* details, const char* format, ...);

// Operation identifiers above this are the operation text itself.
constexpr uintptr_t kVtOperationIdMax = 65535;
inline uintptr_t VtOperationText(const char* text) { return reinterpret_cast<uintptr_t>(text); }

// The error-report box: the operation text (which may hold one "%s" for
// `argument`), the explanation of `status`, "Warning: " in front when
// `warning`. Shows nothing and gives 1 for E_CANCELLED.
int32_t VtErrorHandler_MsgBox(VtWindow owner, uint32_t flags, uintptr_t operation, int32_t status,
                              const char* argument, bool warning);

// Composes the error report's text into `buffer` (cut to `size`).
void VtErrorHandler_Compose(uintptr_t operation, int32_t status, const char* argument, bool warning, char* buffer,
                            size_t size);
