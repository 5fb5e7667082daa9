// Status codes shared by every layer: 0 is success, negative is failure.
// Registry calls pass the platform's positive error codes through; callers
// treat only negative statuses as failures.
#pragma once

#include <cstdint>

#ifndef E_FAIL
#define E_FAIL ((int32_t)0x80004005)
#endif
#ifndef E_OUTOFMEMORY
#define E_OUTOFMEMORY ((int32_t)0x8007000E)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((int32_t)0x80070057)
#endif

constexpr int32_t E_FILE_CREATE = (int32_t)0x8004E006;
constexpr int32_t E_FILE_OPEN = (int32_t)0x8004E007;
constexpr int32_t E_RIFF_READ = (int32_t)0x8004E008;
constexpr int32_t E_RIFF_WRITE = (int32_t)0x8004E009;
constexpr int32_t E_RIFF_END_OF_REGION = (int32_t)0x8004E00A;
constexpr int32_t E_PACKAGE_FORMAT = (int32_t)0x8004E00B;
constexpr int32_t E_CANCELLED = (int32_t)0x8004E00C;
constexpr int32_t E_FILE_NOT_FOUND = (int32_t)0x8004E032;
constexpr int32_t E_RIFF_NOT_RIFF = (int32_t)0x8004E080;

// The platform's own error codes, as registry calls give them back and as
// the file layer wraps them.
constexpr int32_t kErrorFileNotFound = 2;
constexpr int32_t kErrorPathNotFound = 3;
constexpr int32_t kErrorAccessDenied = 5;
constexpr int32_t kErrorInvalidHandle = 6;
constexpr int32_t kErrorInvalidData = 13;
constexpr int32_t kErrorSharingViolation = 32;
constexpr int32_t kErrorHandleEof = 38;
constexpr int32_t kErrorFileExists = 80;
constexpr int32_t kErrorInvalidParameter = 87;
constexpr int32_t kErrorDiskFull = 112;
constexpr int32_t kErrorInvalidName = 123;
constexpr int32_t kErrorDirNotEmpty = 145;
constexpr int32_t kErrorAlreadyExists = 183;
constexpr int32_t kErrorFilenameTooLong = 206;
constexpr int32_t kErrorMoreData = 234;
constexpr int32_t kErrorNegativeSeek = 131;
constexpr int32_t kErrorNoMoreItems = 259;
constexpr int32_t kErrorDirectory = 267;  // the directory name is invalid
constexpr int32_t kErrorKeyDeleted = 1018;
constexpr int32_t kErrorChildMustBeVolatile = 1021;

inline bool StatusFailed(int32_t status) { return status < 0; }

// The failure status that stands for a platform error code (HRESULT_FROM_WIN32).
inline int32_t StatusFromError(uint32_t error) {
  if (error == 0) return 0;
  if ((int32_t)error < 0) return (int32_t)error;
  return (int32_t)(0x80070000u | (error & 0xFFFFu));
}
