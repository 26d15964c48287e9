// The preset browser's lists and actions. Rows are rebuilt from the folders
// and the program store at the next redraw after anything changed them; an
// open bank is tracked by its file, so a listing that changes order cannot
// make a store write into another bank.
#include "editor/lcd_presets.h"

#include <cstdio>
#include <cstring>

#include "editor/control_support.h"
#include "editor/qua_gui.h"
#include "gui/cframe.h"
#include "gui/ctext_edit.h"
#include "platform/file_system.h"
#include "params/parameter_ids.h"
#include "presets/safe_file_name.h"

namespace {

constexpr int kProgramCount = params::kNumPrograms;
constexpr const char* kProgramExtension = ".vkp";
constexpr const char* kBankExtension = ".vkb";
constexpr const char* kEmptySlot = "-";
const gui::CRect kNameFieldHome(650, 11, 850, 30);

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

LCD_presets::LCD_presets(const gui::CRect& size, gui::IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag) {
  bankRows_.push_back(Row{"...", "", false});
  fetchCurrentName();
}

QuaGui* LCD_presets::editor() const { return editor::editorOf(this); }

std::string LCD_presets::writableFolder() const {
  QuaGui* gui = editor();
  return gui ? gui->presetDirectory() : std::string();
}

std::vector<presets::PresetFolder> LCD_presets::folders() const {
  std::vector<presets::PresetFolder> list;
  if (QuaGui* gui = editor()) {
    list.push_back({gui->presetDirectory(), false});
    const std::string shared = gui->sharedPresetDirectory();
    if (!shared.empty()) list.push_back({shared, true});
  }
  return list;
}

void LCD_presets::fetchCurrentName() {
  QuaGui* gui = editor();
  char name[64] = {};
  if (gui && gui->programName(gui->currentProgram(), name)) currentName_ = name;
}

int LCD_presets::rowNamed(const std::vector<Row>& rows, const std::string& name) const {
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name == name) return static_cast<int>(i);
  return -1;
}

int LCD_presets::openBankRow() const {
  if (openBankPath_.empty()) return 0;
  for (size_t i = 1; i < bankRows_.size(); ++i)
    if (bankRows_[i].path == openBankPath_) return static_cast<int>(i);
  return -1;
}

bool LCD_presets::offersNewPreset() const {
  return isBankOpen() && presetRows_.size() < static_cast<size_t>(kProgramCount);
}

void LCD_presets::showMessage(const std::string& text) {
  message_ = text;
  invalid();
}

// --- Lists ---------------------------------------------------------------------

void LCD_presets::refreshIfPending() {
  if (!rescanPending) return;
  rescanPending = false;
  rescan();
}

void LCD_presets::listBanks() {
  bankRows_.resize(1);
  for (presets::PresetFile& file :
       presets::listPresetFiles(folders(), kBankExtension, kMaxBankFiles))
    bankRows_.push_back(Row{std::move(file.name), std::move(file.path), file.readOnly});
  // A bank still being named keeps its row at the end of the list.
  newBankRow_ = -1;
  if (newBankPending) {
    newBankRow_ = static_cast<int>(bankRows_.size());
    bankRows_.push_back(Row{pendingBankName_.empty() ? "BANK" : pendingBankName_, "", false});
  }
  // A bank whose file went away is closed rather than written again.
  if (openBankRow() < 0) closeBank();
}

void LCD_presets::listPresets() {
  presetRows_.clear();
  QuaGui* gui = editor();
  if (!isBankOpen()) {
    for (presets::PresetFile& file :
         presets::listPresetFiles(folders(), kProgramExtension, kMaxPresetRows))
      presetRows_.push_back(Row{std::move(file.name), std::move(file.path), file.readOnly});
    return;
  }
  // The bank's programs up to the first empty slot, never past the last.
  for (int program = 0; gui && program < kProgramCount; ++program) {
    char name[64] = {};
    if (!gui->programName(program, name) || std::strcmp(name, kEmptySlot) == 0) break;
    presetRows_.push_back(Row{name, "", false});
  }
}

void LCD_presets::updateRowCounts() {
  bankScroll_.setRows(static_cast<int>(bankRows_.size()) + 1);
  presetScroll_.setRows(static_cast<int>(presetRows_.size()) + (offersNewPreset() ? 1 : 0));
}

void LCD_presets::rescan() {
  fetchCurrentName();
  listBanks();
  listPresets();
  updateRowCounts();
  if (isBankOpen()) {
    QuaGui* gui = editor();
    const int current = gui ? gui->currentProgram() : -1;
    if (current >= 0 && current < static_cast<int>(presetRows_.size())) {
      selectedPresetRow_ = current;
    } else {
      presetScroll_.setOffset(0);
      hoveredPresetRow_ = 0;
      selectedPresetRow_ = -1;
    }
  } else if (rowNamed(presetRows_, currentName_) < 0 && !edited) {
    // The current sound has no file of its name yet.
    edited = true;
  }
  invalid();
}

void LCD_presets::setModified(bool state) {
  if (edited == state) return;
  edited = state;
  if (gui::CFrame* frame = getFrame()) frame->invalid();
  invalid();
}

void LCD_presets::programChanged() {
  fetchCurrentName();
  rescanPending = true;
  if (QuaGui* gui = editor()) selectedPresetRow_ = gui->currentProgram();
  if (isBankOpen()) storeBank();
  invalid();
}

void LCD_presets::closeBank() {
  openBankPath_.clear();
  bankName_ = "...";
  rescanPending = true;
  invalid();
}

// --- Banks -----------------------------------------------------------------------

void LCD_presets::storeBank() { writeOpenBank(); }

bool LCD_presets::writeOpenBank() {
  QuaGui* gui = editor();
  if (!gui || !isBankOpen()) return false;
  rescanPending = true;
  // A shared bank is never overwritten: the user's folder gets its own copy,
  // which from now on is the open bank.
  const int row = openBankRow();
  if (row > 0 && bankRows_[static_cast<size_t>(row)].readOnly)
    openBankPath_ = writableFolder() + "/" + fileNameOf(openBankPath_);
  if (newBankPending) {
    // Initialising replaces every program: only when the file can be made.
    if (!platform::isWritable(writableFolder())) {
      showMessage("Could not write " + fileNameOf(openBankPath_));
      return false;
    }
    gui->initBank();
    newBankPending = false;
    gui->selectProgram(0);
    fetchCurrentName();
    selectedPresetRow_ = 0;
  }
  if (!gui->saveBankFile(openBankPath_.c_str())) {
    showMessage("Could not write " + fileNameOf(openBankPath_));
    return false;
  }
  setModified(false);
  listBanks();
  updateRowCounts();
  const int stored = openBankRow();
  if (stored > 0) bankScroll_.showAsThirdRow(stored);
  invalid();
  return true;
}

void LCD_presets::openBankRowAt(int row) {
  QuaGui* gui = editor();
  if (!gui || row < 0 || row >= static_cast<int>(bankRows_.size())) return;
  if (row == 0) {
    closeBank();
    return;
  }
  const Row& bank = bankRows_[static_cast<size_t>(row)];
  if (!gui->loadBankFile(bank.path.c_str())) {
    showMessage("Could not read " + fileNameOf(bank.path));
    return;
  }
  openBankPath_ = bank.path;
  bankName_ = bank.name;
  rescanPending = true;
  invalid();
}

void LCD_presets::startNewBank() {
  QuaGui* gui = editor();
  if (!gui || !gui->programNameField()) return;
  nameEditActive = true;
  newBankRow_ = static_cast<int>(bankRows_.size());
  bankRows_.push_back(Row{"BANK", "", false});
  updateRowCounts();
  newBankPending = true;
  placeNameField(newBankRow_);
}

void LCD_presets::placeNameField(int bankRow) {
  QuaGui* gui = editor();
  gui::CTextEdit* field = gui ? gui->programNameField() : nullptr;
  if (!field || bankRow < 0 || bankRow >= static_cast<int>(bankRows_.size())) return;
  const double x = kBankList.left + 3 - 1;
  const double top = bankScroll_.baseline(bankRow) - 12.5;
  nameEditActive = true;
  field->setText(bankRows_[static_cast<size_t>(bankRow)].name.c_str());
  field->setViewSize(gui::CRect(x, top, x + 132, top + 17));
  if (gui::CFrame* frame = getFrame())
    frame->setFocusView(field);
  else
    field->takeFocus();
}

void LCD_presets::cancelNewBank() {
  if (newBankRow_ >= 0 && newBankRow_ < static_cast<int>(bankRows_.size()))
    bankRows_.erase(bankRows_.begin() + newBankRow_);
  newBankRow_ = -1;
  newBankPending = false;
  pendingBankName_.clear();
  updateRowCounts();
  invalid();
}

void LCD_presets::commitBankName(const char* text) {
  if (!newBankPending || newBankRow_ < 0) return;
  const std::string typed = text ? text : "";
  typedBankName_ = typed;
  pendingBankName_ = presets::safeFileName(typed);
  bankRows_[static_cast<size_t>(newBankRow_)].name = pendingBankName_;
  createNewBank(true);
}

void LCD_presets::createNewBank(bool askFirst) {
  const std::string fileName = pendingBankName_ + kBankExtension;
  const std::string path = writableFolder() + "/" + fileName;
  // A new bank would replace an existing file with initialised programs.
  if (askFirst && platform::pathExists(path)) {
    question_ = Question::OverwriteBank;
    invalid();
    return;
  }
  const std::string previousPath = openBankPath_, previousName = bankName_;
  openBankPath_ = path;
  bankName_ = pendingBankName_;
  if (!writeOpenBank()) {
    // Nothing was created: the bank open before stays open.
    cancelNewBank();
    openBankPath_ = previousPath;
    bankName_ = previousName;
    rescanPending = true;
    return;
  }
  showMessage(pendingBankName_ == typedBankName_ ? std::string() : "Saved as " + fileName);
  newBankRow_ = -1;
  pendingBankName_.clear();
}

// --- Programs --------------------------------------------------------------------

void LCD_presets::saveProgram(bool askFirst) {
  QuaGui* gui = editor();
  if (!gui) return;
  fetchCurrentName();
  const std::string stem = presets::safeFileName(currentName_);
  const std::string fileName = stem + kProgramExtension;
  const std::string path = writableFolder() + "/" + fileName;
  if (askFirst && platform::pathExists(path)) {
    question_ = Question::OverwriteProgram;
    invalid();
    return;
  }
  if (!gui->saveProgramFile(gui->currentProgram(), path.c_str())) {
    showMessage("Could not save " + fileName);
    return;
  }
  showMessage(stem == currentName_ ? std::string() : "Saved as " + fileName);
  setModified(false);
  listPresets();
  updateRowCounts();
  const int row = rowNamed(presetRows_, stem);
  if (row >= 0) presetScroll_.showAsThirdRow(row);
}

void LCD_presets::loadProgramRow(int row) {
  QuaGui* gui = editor();
  if (!gui || row < 0 || row >= static_cast<int>(presetRows_.size())) return;
  const int current = gui->currentProgram();
  const Row& file = presetRows_[static_cast<size_t>(row)];
  if (!gui->loadProgramFile(current, file.path.c_str())) {
    showMessage("Could not read " + fileNameOf(file.path));
    return;
  }
  gui->selectProgram(current);
  fetchCurrentName();
  setModified(false);
  showMessage(std::string());
}

void LCD_presets::selectBankProgram(int row) {
  QuaGui* gui = editor();
  if (!gui) return;
  gui->selectProgram(row);
  fetchCurrentName();
  selectedPresetRow_ = row;
  setModified(false);
}

void LCD_presets::storeNewPreset() {
  QuaGui* gui = editor();
  const int program = static_cast<int>(presetRows_.size());
  if (!gui || program >= kProgramCount) return;
  gui->storeProgram(program);
  gui->selectProgram(program);
  selectedPresetRow_ = program;
  rescanPending = true;
  storeBank();
}

// --- Deleting ----------------------------------------------------------------------

void LCD_presets::askDelete(bool presetRow, int row) {
  const std::vector<Row>& rows = presetRow ? presetRows_ : bankRows_;
  const Row& target = rows[static_cast<size_t>(row)];
  if (target.readOnly && (!presetRow || !isBankOpen())) {
    showMessage(fileNameOf(target.path) + " is read-only");
    return;
  }
  pendingDeletePreset_ = presetRow ? row : -1;
  pendingDeleteBank_ = presetRow ? -1 : row;
  question_ = Question::Delete;
  invalid();
}

void LCD_presets::deletePending() {
  QuaGui* gui = editor();
  if (!gui) return;
  if (pendingDeletePreset_ >= 0 && pendingDeletePreset_ < static_cast<int>(presetRows_.size())) {
    const int row = pendingDeletePreset_;
    if (!isBankOpen()) {
      const Row& file = presetRows_[static_cast<size_t>(row)];
      if (!platform::removeFile(file.path))
        showMessage("Could not delete " + fileNameOf(file.path));
    } else {
      const int count = static_cast<int>(presetRows_.size());
      gui->deleteProgram(row);
      edited = false;
      storeBank();
      const int target = row < count - 1 ? row : (row > 0 ? row - 1 : 0);
      selectBankProgram(target);
    }
  } else if (pendingDeleteBank_ > 0 && pendingDeleteBank_ < static_cast<int>(bankRows_.size())) {
    const Row& bank = bankRows_[static_cast<size_t>(pendingDeleteBank_)];
    if (!platform::removeFile(bank.path)) {
      showMessage("Could not delete " + fileNameOf(bank.path));
    } else if (bank.path == openBankPath_) {
      closeBank();
    }
  }
  pendingDeletePreset_ = pendingDeleteBank_ = -1;
  rescanPending = true;
  invalid();
}

// --- Questions -----------------------------------------------------------------------

void LCD_presets::closeQuestion() {
  question_ = Question::None;
  invalid();
}

void LCD_presets::answerQuestion(const gui::CPoint& where) {
  const bool ok = kOkButton.pointInside(where);
  const bool no = kNoButton.pointInside(where);
  const bool cancel = kCancelButton.pointInside(where);
  const Question asked = question_;
  if (asked == Question::Delete) {
    if (ok) {
      closeQuestion();
      deletePending();
    } else if (cancel) {
      pendingDeletePreset_ = pendingDeleteBank_ = -1;
      closeQuestion();
    }
    return;
  }
  closeQuestion();
  if (asked == Question::OverwriteProgram) {
    if (ok) {
      saveProgram(false);
    } else if (no) {
      // Let the user rename the program before saving again.
      QuaGui* gui = editor();
      gui::CTextEdit* field = gui ? gui->programNameField() : nullptr;
      if (field) {
        field->setText(currentName_.c_str());
        field->setViewSize(kNameFieldHome);
        if (gui::CFrame* frame = getFrame()) frame->setFocusView(field);
      }
    }
  } else if (asked == Question::OverwriteBank) {
    if (ok)
      createNewBank(false);
    else if (no)
      placeNameField(newBankRow_);
    else
      cancelNewBank();
  }
}
