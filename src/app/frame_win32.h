// The main frame window.
#pragma once

#include <windows.h>

constexpr const char* kFrameClassName = "Ordalis.Class.Frame";

// Registers the frame's window class; false when it cannot be registered.
bool RegisterFrameClass(HINSTANCE instance);
void UnregisterFrameClass(HINSTANCE instance);

// Creates the frame, hidden, with its menu and `caption`; null on failure.
HWND CreateFrameWindow(HINSTANCE instance, const char* caption);
