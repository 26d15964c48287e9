// What the editor asks of the instrument it belongs to: programs and their
// names, parameter values and edits, the file operations, the on-screen
// keyboard and a few read-outs. The plug-in object implements it, so the
// editor never depends on the plug-in's own header.
#pragma once

#include <string>

#include "params/program_record.h"
#include "vst/aeffect.h"

namespace editor {

class Instrument {
 public:
  virtual ~Instrument() = default;

  // --- Programs -------------------------------------------------------------
  virtual VstInt32 getProgram() = 0;
  virtual void setProgram(VstInt32 program) = 0;
  virtual void getProgramName(char* name) = 0;
  virtual void setProgramName(char* name) = 0;
  virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) = 0;
  virtual void storeProgram(int program) = 0;
  virtual void deleteProgram(int program) = 0;
  virtual void initBank() = 0;
  virtual params::BankImage* getStoredPrograms() = 0;

  // --- Parameters -----------------------------------------------------------
  virtual float getParameter(VstInt32 index) = 0;
  // A change the user made: reaches the engine and the host's automation.
  virtual void setParameterAutomated(VstInt32 index, float value) = 0;
  virtual float getConcertA() = 0;
  virtual float getPitchRange() = 0;
  virtual int getSpringBLink() = 0;
  virtual int getEchoSync() = 0;
  virtual int getLfoSync() = 0;

  // --- Files ----------------------------------------------------------------
  virtual std::string getDirectory(bool preset) = 0;
  virtual std::string getSharedPresetDirectory() = 0;
  virtual bool saveProgramFile(int index, const char* path) = 0;
  virtual bool loadProgramFile(int index, const char* path) = 0;
  virtual bool saveBankFile(const char* path) = 0;
  virtual bool loadBankFile(const char* path) = 0;

  // --- The keyboard ---------------------------------------------------------
  virtual void noteOn(int key, float velocity) = 0;
  virtual void noteOff(int key) = 0;
  virtual void clearVoices() = 0;
};

}  // namespace editor
