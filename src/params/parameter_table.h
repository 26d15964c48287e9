// The vocabulary of the 111 parameters: names, unit labels, display texts
// and the values of a new program.
#pragma once

#include "params/parameter_ids.h"
#include "params/program_record.h"

namespace params {

// What the display texts depend on besides the value itself.
struct DisplayContext {
  bool noiseMode = false;  // working value of parameter 22 is 1.0 or more
  float concertA = 440.0f;
  bool tremoloSync = false;
  bool echoSync = false;
};

float defaultValue(int index);

// Fills a record with the default values, version 2, empty path and name.
void fillDefaults(ProgramRecord& record);

// Each writes at most 16 characters and a terminator at position 16.
void parameterName(int index, bool noiseMode, char* text);
void parameterLabel(int index, bool noiseMode, char* text);
// Writes nothing for an index above 110. The shown text is at most 8
// characters long.
void parameterDisplay(int index, float value, const DisplayContext& context, char* text);

// The tempo-synced note division shown for rates: "1/4", "1/8T" and so on.
void noteDivisionText(float value, char* text, int size);

}  // namespace params
