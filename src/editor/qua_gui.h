// The plug-in's editor: a 1024 x 480 frame holding every control and view,
// a control table indexed by tag, four fold-out pages under the tab row,
// the section read-outs, and the rendered panel as the frame's background.
//
// Threads. The frame and its views belong to the editor's thread (the one
// that opens the editor and calls idle). Hosts also call setParameter, and
// so parameterChanged, from their automation or audio threads, and report
// MIDI from the audio thread. Called on any other thread, the operations
// below only post to lock-free mailboxes (no allocation, no lock, no X or
// cairo call); idle() applies the posts on the editor's thread before the
// frame redraws, so the views are only ever touched there.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "editor/editor_mailbox.h"
#include "editor/editor_tags.h"
#include "gui/aeffguieditor.h"
#include "gui/ccolor.h"
#include "gui/crect.h"
#include "gui/icontrol_listener.h"
#include "editor/instrument.h"

class Display;
class LCD_Display;
class LCD_presets;
class MidiSignal;
class ProgNumber;
class Pianoroll;
class mt_Display;
class mt_Pulldown;

namespace gui {
class CControl;
class CTextEdit;
}  // namespace gui

class QuaGui : public gui::AEffGUIEditor, public gui::IControlListener {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 480;
  // Reported by getRect until the first open.
  static constexpr int kInitialHeight = 640;
  static constexpr int kFolderLength = 512;
  static constexpr gui::CColor kDefaultColour{230, 247, 249, 255};

  // `effect` is the plug-in as the VST base classes see it, `plugin` the
  // same object as the instrument the editor works with.
  QuaGui(AudioEffect* effect, editor::Instrument* plugin);
  ~QuaGui() override;

  // --- The VST editor -----------------------------------------------------
  // Builds the frame and every view in the host's window (null: windowless,
  // for offscreen rendering). An editor that is open is closed first.
  // False when the host's window cannot take the frame.
  bool open(void* ptr) override;
  void close() override;
  bool isOpen() override { return open_.load(std::memory_order_acquire); }
  // Applies what other threads posted, then the toolkit's idle redraws.
  void idle() override;

  // --- Read-outs (any thread) ---------------------------------------------
  // A parameter changed: move its control and refresh its read-out.
  virtual void parameterChanged(int index, float value);
  // Rebuild one read-out text of a section display (sections 1 to 4).
  virtual void showReadout(int section, int index);
  // Show a program name in the program-name field (and the current
  // program's number beside it).
  virtual void showProgramName(const char* name);
  // A program was selected: its values are no edit of the user's.
  virtual void showProgramSelected();
  // MIDI events arrived (or a block without events passed).
  virtual void showMidiActivity(bool hasEvents);
  // Applies everything posted from other threads now (editor's thread).
  void applyPendingChanges();

  // --- Pages (editor's thread) --------------------------------------------
  void setPresetsPage(bool open);
  void setMicrotuningPage(bool open);
  void setModulationPage(bool open);
  void setEffectsPage(bool open);
  // What a click on a page's tab does: closes the page when it is open,
  // else opens it and closes the others.
  void pageTab(editor::Page page);
  bool isPageOpen(editor::Page page) const;
  bool hasPagePanel() const { return pagePanel_; }

  // Renders the panel in the colour (alpha 255) with the current page
  // state and makes it the frame's background.
  void renderBackground(gui::CColor colour);
  gui::CColor getGuiColour() const { return colour_; }

  // --- Offscreen snapshot (editor's thread) -------------------------------
  // Opens the editor windowless if it is not open, shows the page (as its
  // tab would; None closes an open page), renders the whole frame and
  // writes it as a PNG. Closes the editor again if it opened it. False for
  // a missing path or page, or when the file cannot be written.
  bool writeSnapshot(int page, const char* path);

  // --- For the controls ---------------------------------------------------
  void valueChanged(gui::CControl* control) override;
  // Lights a section's needle in the note-offset display (0: none).
  void highlightNeedle(int section);
  // Shows the microtuning display for a microtuning slider's value.
  void showMicrotuning(int tag, float value);
  void hideMicrotuning();
  editor::Instrument* getPlugin() const { return plugin; }

  // --- Forwarding to the plug-in (editor's thread) ------------------------
  int currentProgram() const;
  // Selects the program and shows its number.
  void selectProgram(int program);
  bool programName(int program, char* text) const;
  void storeProgram(int program);
  void deleteProgram(int program);
  void initBank();
  bool loadProgramFile(int program, const char* path);
  bool saveProgramFile(int program, const char* path);
  bool loadBankFile(const char* path);
  bool saveBankFile(const char* path);
  std::string presetDirectory() const;
  std::string sharedPresetDirectory() const;
  // Shows what went wrong with a file on the presets page (opening it).
  void reportProblem(const std::string& text);
  const char* programFolder() const { return programFolder_; }
  const char* templateFolder() const { return templateFolder_; }

  // --- Views, for tests and tools -----------------------------------------
  gui::CControl* control(int entry) const;
  LCD_Display* sectionDisplay(int section) const;
  Display* noteOffsetDisplay() const { return noteOffsetDisplay_; }
  mt_Display* microtuningDisplay() const { return microtuningDisplay_; }
  MidiSignal* midiSignal() const { return midiSignal_; }
  ProgNumber* programNumber() const { return programNumber_; }
  gui::CTextEdit* programNameField() const { return programNameField_; }
  LCD_presets* presetBrowser() const { return presetBrowser_; }
  mt_Pulldown* templatesPulldown() const { return templatesPulldown_; }
  Pianoroll* keyboard() const { return keyboard_; }

 protected:
  editor::Instrument* plugin;

 private:
  void createViews();
  void createPageViews();
  void createMainViews();
  template <typename View>
  View* add(View* view, int entry = -1, bool hidden = false);
  void forgetViews();
  void finishPageShow(bool opened);
  void showGroup(const int* tags, int count, bool visible);

  bool onEditorThread() const;
  void applyParameter(int index, float value);
  void updateSection(int section, int readout, float value);
  void updatePageDial(int index, float value);
  void applyColour(int index, float value);
  void updateMicrotuning(int tag, float value);
  void formatReadoutNow(int section, int index);
  void flushBackground();
  void nameCommit();
  void setNameField(const char* name);
  void stepProgram(int step);
  void saveMenu(int item);
  void loadMenu(int item);
  void saveProgramFileFromDialog();
  void saveBankFileFromDialog();
  void loadProgramFileFromDialog();
  void loadBankFileFromDialog();
  void templateCommand(int item);
  void loadTemplateFromDialog();
  void saveTemplateFromDialog();
  bool pitchBendTemplates() const;

  gui::CRect frameRect_;
  gui::CControl* controls_[editor::kControlTableSize] = {};
  LCD_Display* sectionDisplays_[4] = {};
  Display* noteOffsetDisplay_ = nullptr;
  mt_Display* microtuningDisplay_ = nullptr;
  Pianoroll* keyboard_ = nullptr;
  MidiSignal* midiSignal_ = nullptr;
  ProgNumber* programNumber_ = nullptr;
  gui::CTextEdit* programNameField_ = nullptr;
  LCD_presets* presetBrowser_ = nullptr;
  mt_Pulldown* templatesPulldown_ = nullptr;

  gui::CColor colour_ = kDefaultColour;
  float concertA_ = 440.0f;
  bool presetsOpen_ = false;
  bool microtuningOpen_ = false;
  bool modulationOpen_ = false;
  bool effectsOpen_ = false;
  bool pagePanel_ = false;
  // Colour changes while a batch of changes is applied render the panel
  // once, at the end of the batch.
  bool batching_ = false;
  // Off while open() shows the current values: only later changes are the
  // user's edits.
  bool trackEdits_ = false;
  bool backgroundStale_ = false;

  char programFolder_[kFolderLength + 1] = {};
  char templateFolder_[kFolderLength + 1] = {};

  std::atomic<bool> open_{false};
  std::atomic<std::thread::id> editorThread_{};
  editor::ParameterMailbox<editor::kParameterCount> pendingParameters_;
  std::atomic<int> pendingReadouts_[4];
  std::atomic<bool> pendingMidi_{false};
  std::atomic<bool> pendingProgramSelected_{false};
  editor::TextMailbox<32> pendingName_;
};

// The plug-in's editor, or null when it cannot be created.
QuaGui* createEditor(AudioEffect* effect, editor::Instrument* plugin);
