// The current time, to compare with the last-write times of files and
// registry keys.
#pragma once

#include <cstdint>

// 100-ns ticks on the scale of FileInfo::lastWriteTime: a FILETIME on
// Windows (whose registry times share that scale), ticks since 1970 natively.
uint64_t Clock_Now();

// Whole seconds since 1970-01-01 UTC, for times that are shown or stored.
uint64_t Clock_UnixSeconds();
