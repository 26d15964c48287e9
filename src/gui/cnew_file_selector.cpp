#include "gui/cnew_file_selector.h"

#include <utility>

#include "gui/file_selector_internal.h"

namespace gui {

CNewFileSelector::Responder& CNewFileSelector::testResponder() {
  static CNewFileSelector::Responder responder;
  return responder;
}

namespace {

bool isZenity(const std::string& program) {
  const size_t slash = program.rfind('/');
  return program.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos, "zenity") ==
         0;
}

// A positional argument must not be mistaken for an option.
std::string positional(const std::string& text) {
  return (!text.empty() && text[0] == '-') ? "./" + text : text;
}

std::string withTrailingSlash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace

std::string CFileExtension::getPattern() const {
  if (extension_.empty() || extension_ == "*" || extension_ == "*.*") return "*";
  if (extension_.rfind("*.", 0) == 0) return extension_;
  if (extension_[0] == '.') return "*" + extension_;
  return "*." + extension_;
}

void CNewFileSelector::setTestResponder(Responder responder) {
  testResponder() = std::move(responder);
}

CNewFileSelector::CNewFileSelector(CFrame* frame, Style style, std::string program)
    : frame_(frame), program_(std::move(program)) {
  request_.style = style;
}

void CNewFileSelector::setTitle(const char* title) { request_.title = title ? title : ""; }

void CNewFileSelector::setInitialDirectory(const char* directory) {
  request_.initialDirectory = directory ? directory : "";
}

void CNewFileSelector::setDefaultSaveName(const char* name) {
  request_.defaultSaveName = name ? name : "";
}

void CNewFileSelector::setDefaultExtension(const CFileExtension& extension) {
  auto& list = request_.extensions;
  if (hasDefaultExtension_)
    list.front() = extension;
  else
    list.insert(list.begin(), extension);
  hasDefaultExtension_ = true;
}

void CNewFileSelector::addFileExtension(const CFileExtension& extension) {
  request_.extensions.push_back(extension);
}

const char* CNewFileSelector::getSelectedFile(int32_t index) const {
  if (index < 0 || index >= getNumSelectedFiles()) return nullptr;
  return selected_[static_cast<size_t>(index)].c_str();
}

std::vector<std::string> CNewFileSelector::buildCommandLine(const std::string& program) const {
  const Request& r = request_;
  std::vector<std::string> argv{program};
  std::string start =
      r.initialDirectory.empty() ? std::string() : withTrailingSlash(r.initialDirectory);
  if (r.style == kSelectSaveFile) start += r.defaultSaveName;

  if (isZenity(program)) {
    argv.push_back("--file-selection");
    if (r.style == kSelectSaveFile) {
      argv.push_back("--save");
      argv.push_back("--confirm-overwrite");
    }
    if (r.style == kSelectDirectory) argv.push_back("--directory");
    if (r.multiple && r.style == kSelectFile) {
      argv.push_back("--multiple");
      argv.push_back(std::string("--separator=") + kFileSelectorSeparator);
    }
    if (!r.title.empty()) argv.push_back("--title=" + r.title);
    if (!start.empty()) argv.push_back("--filename=" + start);
    if (r.style != kSelectDirectory)
      for (const CFileExtension& e : r.extensions)
        argv.push_back("--file-filter=" + e.getDescription() + " | " + e.getPattern());
    return argv;
  }

  // kdialog: filters are "pattern|description" lines.
  std::string filter;
  for (const CFileExtension& e : r.extensions) {
    if (!filter.empty()) filter += '\n';
    filter += e.getPattern() + "|" + e.getDescription();
  }
  if (!r.title.empty()) {
    argv.push_back("--title");
    argv.push_back(r.title);
  }
  switch (r.style) {
    case kSelectFile:
      if (r.multiple) {
        argv.push_back("--multiple");
        argv.push_back("--separate-output");
      }
      argv.push_back("--getopenfilename");
      break;
    case kSelectSaveFile:
      argv.push_back("--getsavefilename");
      break;
    case kSelectDirectory:
      argv.push_back("--getexistingdirectory");
      break;
  }
  argv.push_back(positional(start.empty() ? "." : start));
  if (r.style != kSelectDirectory && !filter.empty()) argv.push_back(filter);
  return argv;
}

bool CNewFileSelector::runModal() {
  selected_.clear();
  std::vector<std::string> chosen;
  if (const Responder& responder = testResponder()) {
    if (!responder(request_, chosen)) return false;
  } else if (!runDialog(chosen)) {
    return false;
  }
  for (std::string& path : chosen)
    if (!path.empty()) selected_.push_back(std::move(path));
  if (!request_.multiple && selected_.size() > 1) selected_.resize(1);
  return !selected_.empty();
}

}  // namespace gui
