// The file dialog on Windows: the common dialogs (GetOpenFileNameA,
// GetSaveFileNameA), owned by the window that holds the editor.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: commdlg.h relies on its types.
#include <commdlg.h>

#include <string>
#include <utility>
#include <vector>

#include "gui/cframe.h"
#include "gui/cnew_file_selector.h"
#include "gui/file_selector_internal.h"

namespace gui {

namespace {

// Room for several chosen names (multiple selection lists them all).
constexpr size_t kFileBufferLength = 32768;

std::string withBackslashes(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The default extension without the dot, or empty for "every file".
std::string defaultExtensionOf(const std::vector<CFileExtension>& extensions) {
  if (extensions.empty()) return std::string();
  const std::string pattern = extensions.front().getPattern();
  return pattern.rfind("*.", 0) == 0 ? pattern.substr(2) : std::string();
}

}  // namespace

std::string commonDialogFilter(const std::vector<CFileExtension>& extensions) {
  std::string filter;
  for (const CFileExtension& e : extensions) {
    filter += e.getDescription().empty() ? e.getPattern() : e.getDescription();
    filter.push_back('\0');
    filter += e.getPattern() == "*" ? "*.*" : e.getPattern();
    filter.push_back('\0');
  }
  filter.push_back('\0');
  return filter;
}

std::vector<std::string> commonDialogPaths(const char* buffer) {
  std::vector<std::string> parts;
  for (const char* p = buffer; *p; p += parts.back().size() + 1) parts.emplace_back(p);
  if (parts.size() <= 1) return parts;
  std::vector<std::string> paths;
  std::string folder = parts.front();
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

CNewFileSelector* CNewFileSelector::create(CFrame* frame, Style style) {
  if (testResponder()) return new CNewFileSelector(frame, style, "test responder");
  // Folder choice has no common dialog here; the editor does not ask for it.
  if (style == kSelectDirectory) return nullptr;
  return new CNewFileSelector(frame, style, "common dialog");
}

bool CNewFileSelector::runDialog(std::vector<std::string>& chosen) {
  const Request& r = request_;
  if (r.style == kSelectDirectory) return false;
  std::vector<char> file(kFileBufferLength, '\0');
  if (r.style == kSelectSaveFile && !r.defaultSaveName.empty())
    r.defaultSaveName.copy(file.data(), file.size() - 1);
  const std::string filter = commonDialogFilter(r.extensions);
  const std::string folder = withBackslashes(r.initialDirectory);
  const std::string extension = defaultExtensionOf(r.extensions);

  OPENFILENAMEA dialog;
  ZeroMemory(&dialog, sizeof dialog);
  dialog.lStructSize = sizeof dialog;
  // Owned by the host's top-level window, so the dialog is modal to it.
  HWND window = frame_ ? reinterpret_cast<HWND>(frame_->getPlatformWindowHandle()) : nullptr;
  dialog.hwndOwner = window ? GetAncestor(window, GA_ROOT) : nullptr;
  dialog.lpstrFilter = r.extensions.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = r.title.empty() ? nullptr : r.title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  BOOL ok;
  if (r.style == kSelectSaveFile) {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    ok = GetSaveFileNameA(&dialog);
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST;
    if (r.multiple) dialog.Flags |= OFN_ALLOWMULTISELECT;
    ok = GetOpenFileNameA(&dialog);
  }
  // A cancel and a failure (a name longer than the buffer, say) look the
  // same to the editor: nothing was chosen.
  if (!ok) return false;
  file.back() = '\0';
  chosen = r.multiple ? commonDialogPaths(file.data())
                      : std::vector<std::string>{std::string(file.data())};
  return true;
}

}  // namespace gui
