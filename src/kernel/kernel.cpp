#include "kernel/kernel.h"

#include <array>

#include "kernel/number_locale.h"
#include "kernel/strings.h"
#include "kernel/tokens.h"

namespace {

struct KernelText {
  uint32_t id;
  const char* text;
};

// The texts the program uses; the other numbers of the range stay empty.
constexpr KernelText kTexts[] = {
    {4000, "\n\nThe reason for the error could not be determined."},
    {4001, "\n\nAn invalid argument was specifed."},
    {4002, "\n\nThe system is low on memory. You may be able to reduce memory usage by closing other applications."},
    {4003, "\n\nThe file could not be created."},
    {4004, "\n\nThe file could not be opened. Make sure the file exists and that you have access to the file/folder."},
    {4005,
     "\n\nAn error occurred reading the file. Make sure you have read access to the file/folder and that it is not "
     "corrupted."},
    {4006,
     "\n\nAn error occurred writing the file. Make sure you have write access to the file/folder and that there is "
     "enough free space."},
    {4007, "\n\nThe item was not found."},
    {4008, "\n\nThe file is most likely corrupted or of an unknown format."},
    {4009, "\n\nThe operation was cancelled by the user."},
    {4010, "\n\nThe file name is not valid."},
    {4011,
     "\n\nA necessary resource is missing. You should re-install $(AppName) as the application file appears to be "
     "corrupted."},
    {4012, "\n\nAn error occurred while creating a window."},
    {4013, "\n\nThe file could not be created. Another file with that name exists."},
    {kVtTextOk, "OK"},
    {kVtTextCancel, "Cancel"},
    {kVtTextAbort, "&Abort"},
    {kVtTextRetry, "&Retry"},
    {kVtTextIgnore, "&Ignore"},
    {kVtTextYes, "&Yes"},
    {kVtTextNo, "&No"},
    {kVtTextYesToAll, "Yes to &All"},
    {kVtTextNoToAll, "N&o to All"},
    {kVtTextDelete, "D&elete"},
    {kVtTextDetailsShow, "&Details >>"},
    {kVtTextDetailsHide, "No &Details"},
    {kVtTextDontShowAgain, "Do no&t show this message again."},
    {kVtTextWarning, "Warning: "},
    {kVtTextOperationFailed, "An error occurred during the current operation."},
    {kVtTextTryAgain, "&Try Again"},
    {kVtTextContinue, "&Continue"},
};

constexpr std::array<const char*, kVtTextCount> kTable = [] {
  std::array<const char*, kVtTextCount> table{};
  for (const KernelText& t : kTexts) table[t.id - kVtTextFirst] = t.text;
  return table;
}();

// The kernel's string handle, open between start and shutdown.
VtLang* g_strings = nullptr;

}  // namespace

int32_t VtKernel_Start(VtModule instance) {
  VtFormat_SetNumberLocale(VtNumberLocale_FromUser());
  if (g_strings != nullptr) return 0;
  int32_t status = VtLang_Open(&g_strings, instance, 0, 0);
  if (status != 0) return status;
  status = VtLang_AddStringTable(g_strings, kTable.data(), kVtTextCount, kVtTextFirst);
  if (status != 0) {
    VtLang_Close(g_strings);
    g_strings = nullptr;
  }
  return status;
}

void VtKernel_Shutdown() {
  VtLang_Close(g_strings);
  g_strings = nullptr;
  VtPrintF_DeleteAllTokens();
}

const char* VtKernel_Text(uint32_t id) {
  if (g_strings != nullptr) return VtGetString2(g_strings, id);
  if (id < kVtTextFirst || id - kVtTextFirst >= kVtTextCount) return "";
  const char* text = kTable[id - kVtTextFirst];
  return text != nullptr ? text : "";
}
