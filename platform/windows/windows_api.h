// The Windows API as the backend includes it: without the rarely used parts and without the
// min and max macros that would clash with the standard library.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
