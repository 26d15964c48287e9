#include "gui/gdiplus_win32.h"

#include <cstring>

namespace gui {

bool gdiplusReady() {
  static const bool ready = [] {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = TRUE;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return ready;
}

namespace {

std::wstring widen(UINT codePage, const char* text, int length) {
  if (!text || length <= 0) return std::wstring();
  const int count = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
  if (count <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(codePage, 0, text, length, &wide[0], count);
  return wide;
}

}  // namespace

std::wstring wideFromUtf8(const std::string& text) {
  return widen(CP_UTF8, text.data(), static_cast<int>(text.size()));
}

std::wstring wideFromAnsi(const char* text) {
  return text ? widen(CP_ACP, text, static_cast<int>(strlen(text))) : std::wstring();
}

}  // namespace gui
