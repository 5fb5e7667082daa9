// Which names may name a key or a folder of the system store, and the one
// rule that turns a name into a file or folder name. The registry keeps the
// real names; only the file system sees the safe ones.
#pragma once

#include <cstddef>

#include "model/names.h"

// A file name made from a preset's or chain's name may grow by the "_" put
// before a device name.
constexpr size_t kSafeNameSize = kNameSize + 1;

// True for a name that a device would take: CON, PRN, AUX, NUL, CONIN$,
// CONOUT$, COM1-COM9, LPT1-LPT9 and COM and LPT with a superscript 1, 2 or
// 3, before the first dot, trailing blanks ignored.
bool IsDeviceName(const char* name);

// The name with  " * / : < > ? \ |  and control characters replaced by "_",
// and "_" put before a name that a device would take. Cut to `size` bytes
// at a character boundary.
void MakeSafeFileName(const char* name, char* out, size_t size);

// As MakeSafeFileName, and a last dot or blank, which the file system would
// drop, becomes "_".
void MakeSafeFolderName(const char* name, char* out, size_t size);

// A plug-in's class key may name its key below the DirectShow presets key
// and its preset folder: a safe key name that is not the chains' key.
bool IsWritableClassKey(const char* classKey);

// An editor effect's name may name its key below the editor's presets key:
// not empty, one key deep, and not one of the keys the loader passes over.
bool IsWritableEditorName(const char* name);
