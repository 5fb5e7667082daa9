// Folders the program keeps its own files in, and the files a folder holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The user's local application-data folder, from the shell's known folder
// (natively $LOCALAPPDATA, which tests set). No trailing backslash.
int32_t Folder_GetLocalAppData(char* path, uint32_t size);

// The names of the plain files directly in `folder`, in no particular
// order; at most `limit` of them (the rest are left out).
int32_t Folder_ListFiles(const char* folder, size_t limit, std::vector<std::string>* names);
