#pragma once

// The one include of the Windows headers for the Win32 layer and the apps.
// Wide (W) functions are named explicitly everywhere; the generic macros that
// would rename the platform interfaces' own members (MessageBox, CopyFile,
// ShellExecute, FindExecutable) are removed.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#undef MessageBox
#undef CopyFile
#undef ShellExecute
#undef FindExecutable
