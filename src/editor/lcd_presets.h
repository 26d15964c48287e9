// The preset browser of the presets page: the bank files of the preset
// folders on the left, and on the right either the program files (files
// mode) or, with a bank open, that bank's programs (bank mode). It loads,
// saves, creates, deletes and selects through the editor, keeps an open
// bank's file in step with the program store, and shows what went wrong
// when a file operation fails.
#pragma once

#include <string>
#include <vector>

#include "editor/browser_scroll.h"
#include "gui/ccontrol.h"
#include "presets/preset_listing.h"

class QuaGui;

class LCD_presets : public gui::CControl {
 public:
  static constexpr gui::CRect kBankList{483, 93, 618, 193};
  static constexpr gui::CRect kBankScrollBar{622, 94, 632, 193};
  static constexpr gui::CRect kPresetList{636, 93, 928, 193};
  static constexpr gui::CRect kPresetScrollBar{932, 94, 942, 193};
  static constexpr gui::CRect kFilesSaveButton{870, 77, 928, 90.5};
  static constexpr gui::CRect kBankSaveButton{560, 77, 618, 90.5};
  static constexpr gui::CRect kQuestionBox{620, 109, 880, 179};
  static constexpr gui::CRect kOkButton{630, 147, 700, 172};
  static constexpr gui::CRect kNoButton{710, 147, 780, 172};
  static constexpr gui::CRect kCancelButton{790, 147, 860, 172};
  // Wheel areas of the two lists (with their scroll bars).
  static constexpr double kBankWheelLeft = 483, kPresetWheelLeft = 636, kWheelRight = 945;
  static constexpr int kMaxPresetRows = 1024;
  static constexpr int kMaxBankFiles = 1022;

  enum class Question { None, OverwriteProgram, OverwriteBank, Delete };

  struct Row {
    std::string name;
    std::string path;
    bool readOnly = false;
  };

  LCD_presets(const gui::CRect& size, gui::IControlListener* listener, int32_t tag);
  LCD_presets(const LCD_presets& other) = default;
  gui::CView* newCopy() const override { return new LCD_presets(*this); }

  // Rebuilds both lists from the preset folders and the program store.
  virtual void rescan();
  // Writes the program store to the open bank's file (creating the bank,
  // with initialised programs, when a new bank is pending).
  virtual void storeBank();

  // The current program has changes not yet in a file (shows "SAVE");
  // false after the program was saved, stored, loaded or selected.
  void setModified(bool state);
  bool isModified() const { return edited; }
  // The current program was renamed, stepped to or loaded: an open bank's
  // file is written again.
  void programChanged();
  // The text typed into the program-name field over the new bank's row.
  void commitBankName(const char* text);
  // Back to files mode (the bank's file is left as it is).
  void closeBank();
  bool isBankOpen() const { return !openBankPath_.empty(); }
  const std::string& openBankPath() const { return openBankPath_; }
  const std::string& bankName() const { return bankName_; }
  const std::string& currentName() const { return currentName_; }

  // A line on the page telling the user what went wrong (or, for a file
  // saved under a changed name, what was done). Empty clears it.
  void showMessage(const std::string& text);
  const std::string& message() const { return message_; }

  // --- State, for the editor and for tests ---------------------------------
  const std::vector<Row>& bankRows() const { return bankRows_; }
  const std::vector<Row>& presetRows() const { return presetRows_; }
  int hoveredPresetRow() const { return hoveredPresetRow_; }
  int hoveredBankRow() const { return hoveredBankRow_; }
  int selectedPresetRow() const { return selectedPresetRow_; }
  Question question() const { return question_; }
  const BrowserScroll& presetScroll() const { return presetScroll_; }
  const BrowserScroll& bankScroll() const { return bankScroll_; }
  // "   NEW PRESET" is offered in bank mode while the bank has room.
  bool offersNewPreset() const;

  bool edited = false;
  bool rescanPending = true;
  bool nameEditActive = false;
  bool newBankPending = false;

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;
  bool onWheel(const gui::CPoint& where, const float& distance,
               const gui::CButtonState& buttons) override;

 private:
  QuaGui* editor() const;
  std::vector<presets::PresetFolder> folders() const;
  std::string writableFolder() const;
  bool writeOpenBank();
  void refreshIfPending();
  void listBanks();
  void listPresets();
  void updateRowCounts();
  void fetchCurrentName();
  int openBankRow() const;
  int rowNamed(const std::vector<Row>& rows, const std::string& name) const;

  // Actions.
  void saveProgram(bool askFirst);
  void loadProgramRow(int row);
  void selectBankProgram(int row);
  void storeNewPreset();
  void openBankRowAt(int row);
  void startNewBank();
  void cancelNewBank();
  void createNewBank(bool askFirst);
  void placeNameField(int bankRow);
  void askDelete(bool presetRow, int row);
  void deletePending();
  void answerQuestion(const gui::CPoint& where);
  void closeQuestion();

  // Mouse helpers.
  bool inPresetList(const gui::CPoint& p) const { return kPresetList.pointInside(p); }
  bool inBankList(const gui::CPoint& p) const { return kBankList.pointInside(p); }
  const gui::CRect& saveButton() const { return isBankOpen() ? kBankSaveButton : kFilesSaveButton; }
  void leftClick(const gui::CPoint& where, bool doubleClick);
  void rightClick(const gui::CPoint& where);
  void updateHover();

  // Drawing.
  void drawList(gui::CDrawContext* context, bool bankList);
  void drawRow(gui::CDrawContext* context, const gui::CRect& list, double baseline,
               const char* text, bool hovered, bool current, bool marker, bool readOnly);
  void drawQuestion(gui::CDrawContext* context);

  std::vector<Row> bankRows_;    // row 0 is "..."
  std::vector<Row> presetRows_;  // files, or the open bank's programs
  std::string openBankPath_;     // empty: files mode
  std::string bankName_ = "...";
  std::string currentName_;
  std::string message_;
  std::string typedBankName_;    // the text typed for a new bank
  std::string pendingBankName_;  // its file name stem, waiting for the overwrite answer
  int newBankRow_ = -1;          // the provisional row of a bank being named
  int hoveredPresetRow_ = -1;
  int hoveredBankRow_ = -1;
  int selectedPresetRow_ = 0;
  int pendingDeletePreset_ = -1;
  int pendingDeleteBank_ = -1;
  Question question_ = Question::None;
  BrowserScroll bankScroll_{kBankList.top, kBankScrollBar};
  BrowserScroll presetScroll_{kPresetList.top, kPresetScrollBar};
  enum class Drag { None, BankList, PresetList, BankBar, PresetBar } drag_ = Drag::None;
  double dragLastY_ = 0;
  gui::CPoint pointer_{-1, -1};
  bool hoverSave_ = false;
};
