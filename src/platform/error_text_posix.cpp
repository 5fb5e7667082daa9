#include "platform/error_text.h"

#include "platform/status.h"
#include "platform/text.h"

namespace {

struct PlatformText {
  uint32_t code;
  const char* text;
};

// The codes the file and registry layers give, in the words Windows uses.
const PlatformText kTexts[] = {
    {kErrorFileNotFound, "The system cannot find the file specified."},
    {kErrorPathNotFound, "The system cannot find the path specified."},
    {kErrorAccessDenied, "Access is denied."},
    {31, "A device attached to the system is not functioning."},
    {kErrorSharingViolation, "The process cannot access the file because it is being used by another process."},
    {kErrorFileExists, "The file exists."},
    {kErrorInvalidParameter, "The parameter is incorrect."},
    {kErrorDiskFull, "There is not enough space on the disk."},
    {kErrorInvalidName, "The filename, directory name, or volume label syntax is incorrect."},
    {kErrorDirNotEmpty, "The directory is not empty."},
    {kErrorFilenameTooLong, "The filename or extension is too long."},
    {kErrorKeyDeleted, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {kErrorChildMustBeVolatile, "Cannot create a stable subkey under a volatile parent key."},
};

}  // namespace

bool Platform_ErrorText(uint32_t code, char* buffer, size_t size) {
  for (const PlatformText& entry : kTexts) {
    if (entry.code == code) {
      Text_Copy(buffer, size, entry.text);
      return true;
    }
  }
  return false;
}
