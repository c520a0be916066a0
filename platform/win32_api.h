// <windows.h> for the Win32 implementation. Its A/W macros for CopyFile,
// MoveFile, DeleteFile and ReplaceFile would rename the FileSystem methods
// of those names in every file that sees them, so they are undone here and
// the W functions are called by their own names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef ReplaceFile
