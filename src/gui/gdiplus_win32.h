// GDI+ for the toolkit's Windows backend: the flat API, and one session for
// the module, started on first use.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the GDI+ headers rely on its types.
#include <gdiplus.h>

#include <string>

namespace gui {

namespace gdip = Gdiplus::DllExports;

// True once GDI+ runs. The session starts on the first call and is never
// shut down: GdiplusShutdown must not run under the loader lock (DllMain),
// and nothing else tells the module it is used for the last time.
bool gdiplusReady();

// UTF-8 or ANSI text to the wide strings GDI+ takes.
std::wstring wideFromUtf8(const std::string& text);
std::wstring wideFromAnsi(const char* text);

}  // namespace gui
