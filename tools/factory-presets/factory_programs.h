// The factory library: every program as a name and the parameter values
// that differ from a new program's, plus an optional built-in notes
// template for the tuned programs.
#pragma once

#include <vector>

namespace factory {

struct Setting {
  int parameter;
  float value;
};

struct FactoryProgram {
  const char* name;
  std::vector<Setting> settings;
  int notesTemplate = 0;  // 0: equal tuning; else a built-in item (2 MEAN, 3 JUST, 4 OCTATONIC)
};

const std::vector<FactoryProgram>& factoryPrograms();

// The bank that holds all of them, in table order.
constexpr const char* kBankName = "Vellmark Factory";

}  // namespace factory
