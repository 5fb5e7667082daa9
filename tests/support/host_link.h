// Links made the way a user makes them on the host: a symbolic link by the
// host's own tools (under Wine, on the Linux side, as Wine's own call does
// not make one), a hard link, and the other spellings by which Windows and
// Wine reach one file.
#pragma once

#include <string>

// Whether this build's tests can make symbolic links: natively yes; under
// Wine the host program that makes them is not yet reliably waited for.
bool CanMakeSymbolicLinks();

// Makes `link` a symbolic link to `target` (both full paths in the
// program's form, without blanks). False when it could not be made.
bool MakeSymbolicLink(const std::string& target, const std::string& link);

// Makes `link` a second name of the file `target`.
bool MakeHardLink(const std::string& target, const std::string& link);

// Other spellings of an existing file's full path that the file system
// takes: under Wine its "Z:" spelling, its "\\?\" spelling and its short
// name; natively doubled separators and a "." folder. Never the path
// itself.
std::string OtherSpellings(const std::string& path, int which);
constexpr int kSpellingCount = 3;
