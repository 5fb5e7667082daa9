#include "kernel/error_text.h"

#include <cstdio>

#include "platform/status.h"
#include "platform/text.h"

namespace {

struct ErrorText {
  uint32_t code;
  const char* text;
};

// The explanations of the codes this program can produce.
const ErrorText kErrorTexts[] = {
    {0x80004005u, "\n\nThe reason for the error could not be determined."},
    {0x80070057u, "\n\nAn invalid argument was specifed."},
    {0x8007000Eu,
     "\n\nThe system is low on memory. You may be able to reduce memory usage by closing other applications."},
    {0x8004E006u, "\n\nThe file could not be created."},
    {0x8004E007u,
     "\n\nThe file could not be opened. Make sure the file exists and that you have access to the file/folder."},
    {0x8004E008u,
     "\n\nAn error occurred reading the file. Make sure you have read access to the file/folder and that it is not "
     "corrupted."},
    {0x8004E009u,
     "\n\nAn error occurred writing the file. Make sure you have write access to the file/folder and that there is "
     "enough free space."},
    {0x8004E00Au, "\n\nThe item was not found."},
    {0x8004E00Bu, "\n\nThe file is most likely corrupted or of an unknown format."},
    {0x8004E00Cu, "\n\nThe operation was cancelled by the user."},
    {0x8004E00Du, "\n\nThe file name is not valid."},
    {0x8004E00Eu,
     "\n\nA necessary resource is missing. You should re-install $(AppName) as the application file appears to be "
     "corrupted."},
    {0x8004E00Fu, "\n\nAn error occurred while creating a window."},
    {0x8004E032u, "\n\nThe file could not be created. Another file with that name exists."},
};

}  // namespace

void VtGetErrorExplanation(int32_t status, char* buffer, size_t size) {
  if (size == 0) return;
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == static_cast<uint32_t>(status)) {
      Text_Copy(buffer, size, entry.text);
      return;
    }
  }
  snprintf(buffer, size, "Error 0x%08x (message missing)", static_cast<unsigned>(status));
}
