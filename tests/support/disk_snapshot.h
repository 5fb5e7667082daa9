// Everything the system store holds on this computer, for checking that an
// undo puts the registry and the preset files back byte for byte.
#pragma once

#include <string>

// Every key below the store's registry keys with every value (type, size and
// a hash of the bytes), and every file below `folder` with its size and hash.
std::string DescribeStoreOnDisk(const std::string& folder);
