// A modal file dialog. On Linux a desktop helper program (zenity, else
// kdialog) runs it in a child process and the chosen paths come back on its
// standard output; on Windows it is the system's common file dialog. Tests
// script the answer with setTestResponder instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/cbase_object.h"

namespace gui {

class CFrame;

class CFileExtension {
 public:
  // extension without the dot ("vkp"), or "*" for every file.
  CFileExtension(const char* description, const char* extension)
      : description_(description ? description : ""), extension_(extension ? extension : "") {}
  const std::string& getDescription() const { return description_; }
  const std::string& getExtension() const { return extension_; }
  // The glob the dialog filters with: "*" or "*.ext".
  std::string getPattern() const;
  bool operator==(const CFileExtension& o) const {
    return description_ == o.description_ && extension_ == o.extension_;
  }

 private:
  std::string description_;
  std::string extension_;
};

class CNewFileSelector : public CBaseObject {
 public:
  enum Style { kSelectFile = 0, kSelectSaveFile, kSelectDirectory };

  // Everything the dialog is asked to show.
  struct Request {
    Style style = kSelectFile;
    std::string title;
    std::string initialDirectory;
    std::string defaultSaveName;
    // The default extension first (when set), then the added ones.
    std::vector<CFileExtension> extensions;
    bool multiple = false;
  };
  // Fills chosen and returns true, or returns false for a cancel.
  using Responder = std::function<bool(const Request& request, std::vector<std::string>& chosen)>;

  // Null when no dialog (program) is available (and no test responder set).
  static CNewFileSelector* create(CFrame* frame, Style style = kSelectFile);
  // Replaces the dialog program for every selector; an empty function
  // restores it.
  static void setTestResponder(Responder responder);

  void setTitle(const char* title);
  void setInitialDirectory(const char* directory);
  void setDefaultSaveName(const char* name);
  void setDefaultExtension(const CFileExtension& extension);
  void addFileExtension(const CFileExtension& extension);
  void setAllowMultiFileSelection(bool state) { request_.multiple = state; }
  const Request& getRequest() const { return request_; }

  // Shows the dialog and waits for it; true when something was chosen.
  bool runModal();
  int32_t getNumSelectedFiles() const { return static_cast<int32_t>(selected_.size()); }
  // The chosen path, or null outside 0 to getNumSelectedFiles() - 1.
  const char* getSelectedFile(int32_t index) const;

  // The helper's command line for the current request (for tests and logs).
  std::vector<std::string> buildCommandLine(const std::string& program) const;

 private:
  CNewFileSelector(CFrame* frame, Style style, std::string program);
  static Responder& testResponder();
  // Runs the system's dialog for request_: false for a cancel or a failure,
  // else true with the chosen paths (empty ones included).
  bool runDialog(std::vector<std::string>& chosen);

  CFrame* frame_;
  std::string program_;
  Request request_;
  bool hasDefaultExtension_ = false;
  std::vector<std::string> selected_;
};

}  // namespace gui
