// The common open and save dialogs behind the file-dialog seam.
#pragma once

#include "app/file_dialogs.h"

// The program's dialogs, one for the process.
FileDialogs& CommonFileDialogs();
