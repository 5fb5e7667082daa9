// Window placement: stored as a binary metric, restored onto a monitor that
// is still there, and the activation of a running instance.
#pragma once

#include <windows.h>

#include "kernel/metrics.h"
#include "kernel/placement_geometry.h"

constexpr uint32_t kVtPlacementSize = 44;  // WINDOWPLACEMENT, the same on 32 and 64 bits

// What VtWindowPlacement does, and how VtLoadWindowPlacement reads.
enum class VtPlacementMode {
  Save = 0,            // store the window's placement
  Apply = 1,           // apply a stored placement, if there is one
  ApplyOrDefault = 2,  // apply the stored placement, or the default one
};

// Reads the placement stored as binary metric `id`. ApplyOrDefault uses it
// only when all 44 bytes were there and both coordinates of its maximised
// position are negative; otherwise it resets `placement` to the default
// (restored, the primary work area shrunk by a sixteenth on each side) and
// gives 1. The other modes give 1 when fewer than 44 bytes were read. 0: the
// stored placement is in `placement`.
int32_t VtLoadWindowPlacement(const VtMetric* handle, int32_t id, VtPlacementMode mode, WINDOWPLACEMENT* placement);

// A minimised show state becomes normal, and a normal rectangle whose
// caption shows on no monitor is moved onto the desktop.
void VtFixWindowPlacement(WINDOWPLACEMENT* placement);

// Saves the window's placement as metric `id`, or applies the stored (or
// default) one after fixing it. Gives 0, or E_FAIL when it could not be saved
// or applied.
int32_t VtWindowPlacement(HWND window, const VtMetric* handle, int32_t id, VtPlacementMode mode);

bool VtIsWindowCaptionVisible(const RECT* rect);

// Moves `rect` inside the work area of the monitor it overlaps most (the
// primary when none), keeping the margins.
void VtForceRectOntoDesktop(RECT* rect, int32_t horizontalMargin, int32_t verticalMargin);

// The work area of the monitor `rect` overlaps most.
VtRect VtWorkAreaFor(const VtRect& rect);

// Brings a running instance to the front: the last active pop-up of the top
// level window of `frameClass`, restored when minimised. True when one was
// found.
bool VtActivatePrevAppInstance(const char* frameClass);
// Brings `frame` (its last active pop-up, which is restored when minimised)
// to the front.
void VtBringToFront(HWND frame);
