// The load and save menus and the template pull-down's commands: file
// dialogs, the file operations behind them, and the folders the dialogs
// open in. A failed operation is shown on the presets page.
#include <cstdio>
#include <string>

#include "editor/lcd_presets.h"
#include "editor/mt_pulldown.h"
#include "editor/qua_gui.h"
#include "gui/cframe.h"
#include "gui/cnew_file_selector.h"
#include "params/program_record.h"
#include "platform/module_path.h"
#include "presets/template_files.h"
#include "presets/tuning_templates.h"

using gui::CFileExtension;
using gui::CNewFileSelector;

namespace {

constexpr size_t kNameFromFileLength = 25;

// What one file dialog asks.
struct DialogRequest {
  CNewFileSelector::Style style;
  const char* folder;
  const char* defaultName;  // save dialogs only
  const char* description;
  const char* extension;
  const char* title;
};

// Runs the dialog; false when no dialog program exists, else true with the
// first chosen path in `chosen` (empty for a cancel).
bool chooseFile(gui::CFrame* frame, const DialogRequest& request, std::string& chosen) {
  chosen.clear();
  CNewFileSelector* selector = CNewFileSelector::create(frame, request.style);
  if (!selector) return false;
  selector->setInitialDirectory(request.folder);
  if (request.style == CNewFileSelector::kSelectSaveFile)
    selector->setDefaultSaveName(request.defaultName);
  selector->setDefaultExtension(CFileExtension(request.description, request.extension));
  selector->addFileExtension(CFileExtension("Other Files", "*"));
  selector->setTitle(request.title);
  if (selector->runModal() && selector->getNumSelectedFiles() > 0)
    chosen = selector->getSelectedFile(0);
  selector->forget();
  return true;
}

// Windows dialogs answer with "\" between folders; the name starts after
// the system's last separator.
std::string fileNameOf(const std::string& path) {
  size_t start = path.size();
  while (start > 0 && !platform::isPathSeparator(path[start - 1])) --start;
  return path.substr(start);
}

// The extension as the path splitter returns it: from the last dot of the
// file name, or empty.
std::string extensionOf(const std::string& path) {
  const std::string name = fileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
}

std::string stemOf(const std::string& path) {
  const std::string name = fileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string withExtension(const std::string& path, const char* extension) {
  return path.find(extension) == std::string::npos ? path + extension : path;
}

void setFolder(char* folder, const std::string& path) {
  std::snprintf(folder, QuaGui::kFolderLength + 1, "%s", presets::dialogFolderOf(path).c_str());
}

const char* const kNoDialog = "No file dialog (zenity or kdialog) found";

}  // namespace

bool QuaGui::pitchBendTemplates() const {
  const gui::CControl* selector = control(editor::kTagNotesSelector);
  return selector && selector->getValue() != 0;
}

void QuaGui::saveMenu(int item) {
  if (item == 1) saveProgramFileFromDialog();
  if (item == 2) saveBankFileFromDialog();
}

void QuaGui::loadMenu(int item) {
  if (item == 1) loadProgramFileFromDialog();
  if (item == 2) loadBankFileFromDialog();
}

void QuaGui::saveProgramFileFromDialog() {
  char name[32] = {};
  plugin->getProgramName(name);
  std::string chosen;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectSaveFile, programFolder_, name, "Velk Program", "vkp",
                   "Save A Program File"},
                  chosen))
    return reportProblem(kNoDialog);
  if (chosen.empty()) return;

  std::string programName = stemOf(chosen).substr(0, kNameFromFileLength);
  plugin->setProgramName(&programName[0]);
  const std::string path = withExtension(chosen, ".vkp");
  if (!plugin->saveProgramFile(plugin->getProgram(), path.c_str()))
    return reportProblem("Could not save " + fileNameOf(path));
  setFolder(programFolder_, path);
  if (presetBrowser_) {
    presetBrowser_->programChanged();
    presetBrowser_->setModified(false);
  }
}

void QuaGui::saveBankFileFromDialog() {
  char name[32] = {};
  plugin->getProgramName(name);
  std::string chosen;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectSaveFile, programFolder_, name, "Velk Banks", "vkb",
                   "Save A Bank File"},
                  chosen))
    return reportProblem(kNoDialog);
  if (chosen.empty()) return;

  const std::string path = withExtension(chosen, ".vkb");
  params::setPathField(plugin->getStoredPrograms()->bankPath, path.c_str());
  if (!plugin->saveBankFile(path.c_str()))
    return reportProblem("Could not save " + fileNameOf(path));
  if (presetBrowser_) presetBrowser_->rescanPending = true;
}

void QuaGui::loadProgramFileFromDialog() {
  std::string path;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectFile, programFolder_, "", "Velk Program", "vkp",
                   "Choose A Program File"},
                  path))
    return reportProblem(kNoDialog);
  if (path.empty()) return;
  if (extensionOf(path) != ".vkp") return reportProblem("Not a program file: " + fileNameOf(path));

  const int current = plugin->getProgram();
  if (!plugin->loadProgramFile(current, path.c_str()))
    return reportProblem("Could not read " + fileNameOf(path));
  selectProgram(current);
  frame->invalid();
  setFolder(programFolder_, path);
  if (!presetBrowser_) return;
  presetBrowser_->setModified(false);
  if (presetBrowser_->isBankOpen()) {
    presetBrowser_->programChanged();
    if (presetBrowser_->isVisible()) presetBrowser_->invalid();
    presetBrowser_->setModified(false);
  } else {
    presetBrowser_->rescanPending = true;
  }
}

void QuaGui::loadBankFileFromDialog() {
  std::string path;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectFile, programFolder_, "", "Velk Banks", "vkb",
                   "Choose A Bank File"},
                  path))
    return reportProblem(kNoDialog);
  if (path.empty()) return;
  if (extensionOf(path) != ".vkb") return reportProblem("Not a bank file: " + fileNameOf(path));

  // The browser's open bank must not receive the loaded programs at the
  // next store: it is closed first.
  if (presetBrowser_) presetBrowser_->closeBank();
  if (!plugin->loadBankFile(path.c_str()))
    return reportProblem("Could not read " + fileNameOf(path));
  selectProgram(0);
  frame->invalid();
}

// --- Templates ----------------------------------------------------------------------

namespace {

presets::TemplateMode modeOf(const mt_Pulldown* pulldown) {
  return pulldown && pulldown->isPitchBendMode() ? presets::TemplateMode::PitchBend
                                                 : presets::TemplateMode::Notes;
}

}  // namespace

void QuaGui::templateCommand(int item) {
  if (item >= presets::kFirstTemplateItem && item <= presets::kLastTemplateItem) {
    presets::applyTemplate(*effect, modeOf(templatesPulldown_), item);
    if (frame) frame->invalid();
  } else if (item == 5) {
    loadTemplateFromDialog();
  } else if (item == 6) {
    saveTemplateFromDialog();
  }
}

void QuaGui::loadTemplateFromDialog() {
  const presets::TemplateMode mode = modeOf(templatesPulldown_);
  const bool pitchBend = mode == presets::TemplateMode::PitchBend;
  std::string path;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectFile, templateFolder_, "", "notes template",
                   pitchBend ? "vkm" : "vkt",
                   pitchBend ? "Choose A Pitchbend Template" : "Choose A Notes Template"},
                  path))
    return reportProblem(kNoDialog);
  if (path.empty()) return;
  presets::TemplateFolder folder;
  folder.reset(templateFolder_);
  const bool whole = folder.load(*effect, mode, path.c_str());
  std::snprintf(templateFolder_, sizeof templateFolder_, "%s", folder.path().c_str());
  if (frame) frame->invalid();
  if (!whole) reportProblem("Could not read a whole template from " + fileNameOf(path));
}

void QuaGui::saveTemplateFromDialog() {
  const presets::TemplateMode mode = modeOf(templatesPulldown_);
  const bool pitchBend = mode == presets::TemplateMode::PitchBend;
  std::string chosen;
  if (!chooseFile(frame,
                  {CNewFileSelector::kSelectSaveFile, templateFolder_, "", "notes template",
                   pitchBend ? "vkm" : "vkt",
                   pitchBend ? "Save A Pitchbend Template" : "Save A Notes Template"},
                  chosen))
    return reportProblem(kNoDialog);
  if (chosen.empty()) return;
  presets::TemplateFolder folder;
  folder.reset(templateFolder_);
  const bool written = folder.save(*effect, mode, chosen.c_str());
  std::snprintf(templateFolder_, sizeof templateFolder_, "%s", folder.path().c_str());
  if (!written)
    reportProblem("Could not save " + fileNameOf(presets::templateSavePath(chosen, mode)));
}
