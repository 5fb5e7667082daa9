// The main frame window.
#pragma once

#include <windows.h>

constexpr const char* kFrameClassName = "Ordalis.Class.Frame";

// Registers the frame's window class; false when it cannot be registered.
bool RegisterFrameClass(HINSTANCE instance);
void UnregisterFrameClass(HINSTANCE instance);

// Creates the frame with its menu, titled from the document; null on failure.
HWND CreateFrameWindow(HINSTANCE instance);
