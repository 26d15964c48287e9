#include "editor/qua_gui.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <string>

#include "editor/lcd_display.h"
#include "editor/lcd_presets.h"
#include "editor/midi_signal.h"
#include "editor/panel_drawing.h"
#include "editor/prog_number.h"
#include "gui/cframe.h"
#include "gui/ctext_edit.h"

namespace {

constexpr int kNoReadout = -1;

}  // namespace

QuaGui::QuaGui(AudioEffect* effect, editor::Instrument* plugin)
    : AEffGUIEditor(effect), plugin(plugin) {
  rect.left = 0;
  rect.top = 0;
  rect.right = kWidth;
  rect.bottom = kInitialHeight;
  for (auto& request : pendingReadouts_) request.store(kNoReadout, std::memory_order_relaxed);
}

QuaGui::~QuaGui() {
  if (frame) close();
}

QuaGui* createEditor(AudioEffect* effect, editor::Instrument* plugin) {
  if (!plugin) return nullptr;
  return new (std::nothrow) QuaGui(effect, plugin);
}

// --- Opening and closing ----------------------------------------------------

bool QuaGui::open(void* ptr) {
  // A host that opens twice without closing gets a fresh editor, not a
  // second frame beside a forgotten one.
  if (frame || isOpen()) close();

  frameRect_ = gui::CRect(0, 0, kWidth, kHeight);
  rect.right = kWidth;
  rect.bottom = kHeight;

  frame = new gui::CFrame(frameRect_, this);
  if (!frame->open(ptr) && ptr) {
    // The host's window cannot take us; say so instead of showing nothing.
    frame->forget();
    frame = nullptr;
    return false;
  }
  editorThread_.store(std::this_thread::get_id(), std::memory_order_relaxed);

  // Every open starts with all pages closed. The panel is rendered once at
  // the end, when the colour parameters have been read.
  presetsOpen_ = microtuningOpen_ = modulationOpen_ = effectsOpen_ = false;
  pagePanel_ = false;
  batching_ = true;
  backgroundStale_ = true;
  frame->setMouseableArea(frameRect_);

  createViews();

  frame->setWantsFocus(false);
  programNameField_->setWantsFocus(false);
  setKnobMode(2);  // linear dragging

  formatReadoutNow(1, 0);
  formatReadoutNow(2, 0);
  formatReadoutNow(3, 1);
  formatReadoutNow(4, 2);

  // Posts from before this open describe views that no longer exist.
  pendingParameters_.clear();
  for (auto& request : pendingReadouts_) request.store(kNoReadout, std::memory_order_relaxed);
  pendingMidi_.store(false, std::memory_order_relaxed);
  pendingProgramSelected_.store(false, std::memory_order_relaxed);
  pendingName_.clear();
  systemWindow = ptr;
  open_.store(true, std::memory_order_release);

  trackEdits_ = false;
  for (int i = 0; i < editor::kParameterCount; ++i) parameterChanged(i, plugin->getParameter(i));
  trackEdits_ = true;
  formatReadoutNow(1, 0);
  formatReadoutNow(2, 0);
  formatReadoutNow(3, 1);
  formatReadoutNow(4, 2);

  const std::string folder = plugin->getDirectory(true);
  std::snprintf(programFolder_, sizeof programFolder_, "%s", folder.c_str());
  std::snprintf(templateFolder_, sizeof templateFolder_, "%s", folder.c_str());

  batching_ = false;
  flushBackground();
  return true;
}

void QuaGui::close() {
  open_.store(false, std::memory_order_release);
  // The frame releases every view; the table only pointed at them.
  forgetViews();
  AEffGUIEditor::close();
  presetsOpen_ = microtuningOpen_ = modulationOpen_ = effectsOpen_ = false;
  pagePanel_ = false;
  backgroundStale_ = false;
  pendingParameters_.clear();
  pendingMidi_.store(false, std::memory_order_relaxed);
  pendingName_.clear();
}

void QuaGui::forgetViews() {
  for (auto& entry : controls_) entry = nullptr;
  for (auto& display : sectionDisplays_) display = nullptr;
  noteOffsetDisplay_ = nullptr;
  microtuningDisplay_ = nullptr;
  keyboard_ = nullptr;
  midiSignal_ = nullptr;
  programNumber_ = nullptr;
  programNameField_ = nullptr;
  presetBrowser_ = nullptr;
  templatesPulldown_ = nullptr;
}

void QuaGui::idle() {
  if (!frame) return;
  editorThread_.store(std::this_thread::get_id(), std::memory_order_relaxed);
  applyPendingChanges();
  AEffGUIEditor::idle();
}

// --- Posts from other threads ----------------------------------------------------

bool QuaGui::onEditorThread() const {
  return editorThread_.load(std::memory_order_relaxed) == std::this_thread::get_id();
}

void QuaGui::parameterChanged(int index, float value) {
  if (!isOpen() || index < 0 || index >= editor::kParameterCount || !std::isfinite(value)) return;
  value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
  if (!onEditorThread()) {
    pendingParameters_.post(index, value);
    return;
  }
  applyParameter(index, value);
}

void QuaGui::showReadout(int section, int index) {
  if (!isOpen() || section < editor::kFirstSection || section > editor::kLastSection) return;
  if (!onEditorThread()) {
    // Indices without a read-out all mean "empty text".
    const int request = index >= 0 && index < editor::kReadoutSlots ? index : editor::kReadoutSlots;
    pendingReadouts_[section - 1].store(request, std::memory_order_release);
    return;
  }
  formatReadoutNow(section, index);
}

void QuaGui::showProgramName(const char* name) {
  if (!isOpen()) return;
  if (!onEditorThread()) {
    pendingName_.post(name);
    return;
  }
  setNameField(name);
}

// The name arrives with every program change, from the host as well as
// from the editor: the number beside it follows.
void QuaGui::setNameField(const char* name) {
  if (programNameField_) programNameField_->setText(name);
  if (programNumber_) {
    programNumber_->number = static_cast<uint8_t>(plugin->getProgram());
    programNumber_->setDirty(true);
  }
}

void QuaGui::showProgramSelected() {
  if (!isOpen()) return;
  if (!onEditorThread()) {
    pendingProgramSelected_.store(true, std::memory_order_release);
    return;
  }
  if (presetBrowser_) presetBrowser_->setModified(false);
}

void QuaGui::showMidiActivity(bool hasEvents) {
  if (hasEvents && isOpen()) pendingMidi_.store(true, std::memory_order_release);
}

void QuaGui::applyPendingChanges() {
  if (!frame || !isOpen()) return;
  batching_ = true;
  pendingParameters_.drain([this](int index, float value) { applyParameter(index, value); });
  for (int section = editor::kFirstSection; section <= editor::kLastSection; ++section) {
    const int index = pendingReadouts_[section - 1].exchange(kNoReadout, std::memory_order_acquire);
    if (index != kNoReadout) formatReadoutNow(section, index);
  }
  char name[32];
  if (pendingName_.take(name)) setNameField(name);
  // After the parameters of the selected program, which are no edits.
  if (pendingProgramSelected_.exchange(false, std::memory_order_acquire) && presetBrowser_)
    presetBrowser_->setModified(false);
  if (pendingMidi_.exchange(false, std::memory_order_acquire) && midiSignal_) midiSignal_->light();
  batching_ = false;
  flushBackground();
}

// --- Panel ------------------------------------------------------------------

void QuaGui::renderBackground(gui::CColor colour) {
  backgroundStale_ = false;
  ::renderBackground(frame, gui::CColor(colour.red, colour.green, colour.blue, 255), pagePanel_);
}

void QuaGui::flushBackground() {
  if (!backgroundStale_ || !frame) return;
  renderBackground(colour_);
  frame->invalid();
}

// --- Snapshot ---------------------------------------------------------------------

bool QuaGui::writeSnapshot(int page, const char* path) {
  if (!path || !*path || page < static_cast<int>(editor::Page::None) ||
      page > static_cast<int>(editor::Page::Effects))
    return false;
  const bool openedHere = !isOpen() || !frame;
  if (openedHere && !open(nullptr)) return false;
  applyPendingChanges();
  const auto wanted = static_cast<editor::Page>(page);
  if (wanted == editor::Page::None) {
    for (editor::Page each : {editor::Page::Presets, editor::Page::Microtuning,
                              editor::Page::Modulation, editor::Page::Effects})
      if (isPageOpen(each)) pageTab(each);
  } else if (!isPageOpen(wanted)) {
    pageTab(wanted);
  }
  const bool written = frame && frame->writePng(path);
  if (openedHere) close();
  return written;
}

// --- Forwarding -----------------------------------------------------------------

int QuaGui::currentProgram() const { return plugin->getProgram(); }

void QuaGui::selectProgram(int program) {
  plugin->setProgram(program);
  if (programNumber_) {
    programNumber_->number = static_cast<uint8_t>(plugin->getProgram());
    programNumber_->setDirty(true);
  }
}

bool QuaGui::programName(int program, char* text) const {
  return plugin->getProgramNameIndexed(0, program, text);
}

void QuaGui::storeProgram(int program) { plugin->storeProgram(program); }

void QuaGui::deleteProgram(int program) { plugin->deleteProgram(program); }

void QuaGui::initBank() { plugin->initBank(); }

bool QuaGui::loadProgramFile(int program, const char* path) {
  return plugin->loadProgramFile(program, path);
}

bool QuaGui::saveProgramFile(int program, const char* path) {
  return plugin->saveProgramFile(program, path);
}

bool QuaGui::loadBankFile(const char* path) { return plugin->loadBankFile(path); }

bool QuaGui::saveBankFile(const char* path) { return plugin->saveBankFile(path); }

std::string QuaGui::presetDirectory() const { return plugin->getDirectory(true); }

std::string QuaGui::sharedPresetDirectory() const { return plugin->getSharedPresetDirectory(); }

void QuaGui::reportProblem(const std::string& text) {
  if (!presetBrowser_) return;
  presetBrowser_->showMessage(text);
  if (!presetsOpen_) pageTab(editor::Page::Presets);
}

gui::CControl* QuaGui::control(int entry) const {
  return entry >= 0 && entry < editor::kControlTableSize ? controls_[entry] : nullptr;
}

LCD_Display* QuaGui::sectionDisplay(int section) const {
  return section >= editor::kFirstSection && section <= editor::kLastSection
             ? sectionDisplays_[section - 1]
             : nullptr;
}
