// Registration of the program as a COM local server.
#pragma once

constexpr const char* kLocalServerClass = "{61C55EE1-8812-4f99-BA80-599621BFB260}";

// Writes HKEY_CLASSES_ROOT\CLSID\{...} = "$(AppName.Full)" and its
// LocalServer32 = the program's full long path. Failures are not reported.
void RegisterLocalServer();
