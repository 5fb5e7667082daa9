// The application kernel's own start and end, and its built-in texts.
#pragma once

#include <cstdint>

#include "kernel/string_resource.h"

// Identifiers of the kernel's texts (4000 to 4430).
constexpr uint32_t kVtTextFirst = 4000;
constexpr uint32_t kVtTextCount = 431;
constexpr uint32_t kVtTextOk = 4306;  // the button texts run from here to 4315
constexpr uint32_t kVtTextCancel = 4307;
constexpr uint32_t kVtTextAbort = 4308;
constexpr uint32_t kVtTextRetry = 4309;
constexpr uint32_t kVtTextIgnore = 4310;
constexpr uint32_t kVtTextYes = 4311;
constexpr uint32_t kVtTextNo = 4312;
constexpr uint32_t kVtTextYesToAll = 4313;
constexpr uint32_t kVtTextNoToAll = 4314;
constexpr uint32_t kVtTextDelete = 4315;
constexpr uint32_t kVtTextDetailsShow = 4316;
constexpr uint32_t kVtTextDetailsHide = 4317;
constexpr uint32_t kVtTextDontShowAgain = 4318;
constexpr uint32_t kVtTextWarning = 4319;
constexpr uint32_t kVtTextOperationFailed = 4320;
constexpr uint32_t kVtTextTryAgain = 4321;
constexpr uint32_t kVtTextContinue = 4322;

// Starts the kernel for the program's module: opens the kernel's own strings
// with its table of texts, and reads the user's number settings. Gives 0 or
// E_OUTOFMEMORY; the kernel's texts stay usable either way.
int32_t VtKernel_Start(VtModule instance);

// Destroys the string tables, closes the kernel's strings, frees the tokens.
void VtKernel_Shutdown();

// A kernel text: through the kernel's strings once started (so a string
// resource of the same number overrides it), else the built-in text. Empty
// for a number the kernel has no text for.
const char* VtKernel_Text(uint32_t id);
