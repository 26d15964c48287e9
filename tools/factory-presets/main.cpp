// Writes the factory library: one program file per factory program and one
// bank file holding them all, through the plug-in's own file code. The files
// store their paths as bare file names, so the output does not depend on
// where it was made.
//
// Usage: vellmark-factory-presets OUTPUT-FOLDER
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "factory_programs.h"
#include "params/parameter_table.h"
#include "params/program_record.h"
#include "presets/program_files.h"
#include "presets/safe_file_name.h"
#include "presets/tuning_templates.h"

namespace {

params::ProgramRecord recordOf(const factory::FactoryProgram& program) {
  params::ProgramRecord record;
  params::fillDefaults(record);
  params::setRecordName(record, program.name);
  for (const factory::Setting& setting : program.settings)
    record.values[setting.parameter] = setting.value;
  if (program.notesTemplate != 0) {
    float tuning[presets::kPitchClasses];
    if (presets::builtInTemplateValues(presets::TemplateMode::Notes, program.notesTemplate, tuning))
      for (int i = 0; i < presets::kPitchClasses; ++i)
        record.values[params::kMicrotuneFirst + i] = tuning[i];
  }
  return record;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  if (::chdir(argv[1]) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  auto bank = std::make_unique<params::BankImage>();
  params::ProgramRecord empty;
  params::fillDefaults(empty);
  params::setRecordName(empty, "-");
  for (params::ProgramRecord& record : bank->programs) record = empty;

  const auto& programs = factory::factoryPrograms();
  if (programs.size() > static_cast<size_t>(params::kNumPrograms)) return 1;
  for (size_t i = 0; i < programs.size(); ++i) {
    params::ProgramRecord record = recordOf(programs[i]);
    const std::string file = presets::safeFileName(programs[i].name) + ".vkp";
    if (!presets::saveProgramFile(record, file.c_str())) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
    bank->programs[i] = record;
  }
  const std::string bankFile = std::string(factory::kBankName) + ".vkb";
  if (!presets::saveBankFile(*bank, bankFile.c_str())) {
    std::fprintf(stderr, "cannot write %s\n", bankFile.c_str());
    return 1;
  }
  return 0;
}
