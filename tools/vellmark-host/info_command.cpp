// "info": everything a host learns about a module without playing it.
#include <cstdio>
#include <iterator>

#include "commands.h"
#include "plugin_instance.h"

namespace vhost {

namespace {

// The plug-in capability texts hosts ask about.
constexpr const char* kPluginCanDoTexts[] = {
    "sendVstEvents",      "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent",
    "receiveVstTimeInfo", "offline",          "midiProgramNames", "bypass"};

constexpr const char* kCategoryNames[] = {"Unknown",     "Effect",         "Synth",  "Analysis",
                                          "Mastering",   "Spacializer",    "RoomFx", "SurroundFx",
                                          "Restoration", "OfflineProcess", "Shell",  "Generator"};

// Program names are 24 characters, parameter texts up to 16 (hosts tolerate
// more than the nominal 8), effect names 32, vendor and product 64.
constexpr size_t kProgramNameChars = 24;
constexpr size_t kParameterTextChars = 24;
constexpr size_t kEffectNameChars = 32;
constexpr size_t kVendorChars = 64;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string decodeFlags(VstInt32 flags) {
  static const struct {
    VstInt32 bit;
    const char* name;
  } kFlags[] = {{effFlagsHasEditor, "HasEditor"},
                {effFlagsHasClip, "HasClip"},
                {effFlagsHasVu, "HasVu"},
                {effFlagsCanMono, "CanMono"},
                {effFlagsCanReplacing, "CanReplacing"},
                {effFlagsProgramChunks, "ProgramChunks"},
                {effFlagsIsSynth, "IsSynth"},
                {effFlagsNoSoundInStop, "NoSoundInStop"},
                {effFlagsExtIsAsync, "ExtIsAsync"},
                {effFlagsExtHasBuffer, "ExtHasBuffer"},
                {effFlagsCanDoubleReplacing, "CanDoubleReplacing"}};
  std::string text = hex(static_cast<uint32_t>(flags), 8);
  VstInt32 known = 0;
  for (const auto& flag : kFlags) {
    known |= flag.bit;
    if (flags & flag.bit) text += std::string(" ") + flag.name;
  }
  if (flags & ~known) text += " unknown:" + hex(static_cast<uint32_t>(flags & ~known), 0);
  return text;
}

std::string decodePinFlags(VstInt32 flags) {
  std::string text = hex(static_cast<uint32_t>(flags), 0);
  if (flags & kVstPinIsActive) text += " Active";
  if (flags & kVstPinIsStereo) text += " Stereo";
  if (flags & kVstPinUseSpeaker) text += " UseSpeaker";
  return text;
}

const char* canDoMeaning(VstIntPtr answer) {
  return answer == 1 ? "yes" : answer == -1 ? "no" : answer == 0 ? "don't know" : "invalid";
}

void printRecord(const std::string& modulePath, const std::string& entryName, const AEffect& effect,
                 std::ostream& out) {
  out << "module          " << modulePath << " (entry " << entryName << ")\n"
      << "magic           '" << fourCharCode(effect.magic) << "' "
      << hex(static_cast<uint32_t>(effect.magic), 8) << "\n"
      << "unique ID       '" << fourCharCode(effect.uniqueID) << "' "
      << hex(static_cast<uint32_t>(effect.uniqueID), 8) << "\n"
      << "version         " << effect.version << "\n"
      << "programs        " << effect.numPrograms << "\n"
      << "parameters      " << effect.numParams << "\n"
      << "inputs          " << effect.numInputs << "\n"
      << "outputs         " << effect.numOutputs << "\n"
      << "flags           " << decodeFlags(effect.flags) << "\n"
      << "initial delay   " << effect.initialDelay << "\n";
}

void printIdentity(PluginInstance& plugin, std::ostream& out) {
  out << "effect name     " << quoted(plugin.text(effGetEffectName, 0, kEffectNameChars)) << "\n"
      << "vendor          " << quoted(plugin.text(effGetVendorString, 0, kVendorChars)) << "\n"
      << "product         " << quoted(plugin.text(effGetProductString, 0, kVendorChars)) << "\n"
      << "vendor version  " << plugin.dispatch(effGetVendorVersion) << "\n"
      << "VST version     " << plugin.dispatch(effGetVstVersion) << "\n";
  const VstIntPtr category = plugin.dispatch(effGetPlugCategory);
  const bool named = category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategoryNames));
  out << "category        " << category << " (" << (named ? kCategoryNames[category] : "unknown")
      << ")\n"
      << "MIDI inputs     " << plugin.dispatch(effGetNumMidiInputChannels) << "\n";
}

void printCapabilities(PluginInstance& plugin, std::ostream& out) {
  out << "canDo\n";
  for (const char* text : kPluginCanDoTexts) {
    const VstIntPtr answer = plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(text));
    char line[96];
    std::snprintf(line, sizeof line, "  %-22s %2lld (%s)\n", text, static_cast<long long>(answer),
                  canDoMeaning(answer));
    out << line;
  }
}

void printOutputPins(PluginInstance& plugin, std::ostream& out) {
  out << "output pins\n";
  for (VstInt32 pin = 0; pin < plugin.effect().numOutputs; ++pin) {
    VstPinProperties properties{};
    if (plugin.dispatch(effGetOutputProperties, pin, 0, &properties) != 1) {
      out << "  pin " << pin << "  (no properties)\n";
      continue;
    }
    out << "  pin " << pin << "  label "
        << quoted(printableText(properties.label, sizeof properties.label, kVstMaxLabelLen))
        << "  short "
        << quoted(printableText(properties.shortLabel, sizeof properties.shortLabel,
                                kVstMaxShortLabelLen))
        << "  flags " << decodePinFlags(properties.flags) << "  arrangement "
        << properties.arrangementType << "\n";
  }
}

void printChunks(PluginInstance& plugin, std::ostream& out) {
  if (!(plugin.effect().flags & effFlagsProgramChunks)) return;
  std::vector<uint8_t> bytes;
  std::string error;
  out << "chunks          program ";
  if (plugin.readChunk(false, bytes, error))
    out << bytes.size() << " bytes";
  else
    out << "(" << error << ")";
  out << ", bank ";
  if (plugin.readChunk(true, bytes, error))
    out << bytes.size() << " bytes";
  else
    out << "(" << error << ")";
  out << "\n";
}

void printPrograms(PluginInstance& plugin, std::ostream& out) {
  const VstInt32 count = plugin.effect().numPrograms;
  out << "programs (" << count << ")\n";
  for (VstInt32 program = 0; program < count; ++program) {
    VstIntPtr answer = 0;
    const std::string name =
        plugin.text(effGetProgramNameIndexed, program, kProgramNameChars, -1, &answer);
    char line[32];
    std::snprintf(line, sizeof line, "  program %3d  ", program);
    out << line << (answer == 1 ? quoted(name) : "(no name)") << "\n";
  }
}

void printParameters(PluginInstance& plugin, std::ostream& out) {
  const VstInt32 count = plugin.effect().numParams;
  out << "parameters (" << count << ")\n";
  for (VstInt32 index = 0; index < count; ++index) {
    const std::string name = quoted(plugin.text(effGetParamName, index, kParameterTextChars));
    const std::string label = quoted(plugin.text(effGetParamLabel, index, kParameterTextChars));
    const std::string display = quoted(plugin.text(effGetParamDisplay, index, kParameterTextChars));
    char line[160];
    std::snprintf(line, sizeof line, "  param %3d  %-18s label %-8s display %-12s", index,
                  name.c_str(), label.c_str(), display.c_str());
    out << line;
    if (plugin.canSetParameters()) {
      char value[32];
      std::snprintf(value, sizeof value, " value %.6f", plugin.getParameter(index));
      out << value;
    }
    out << "\n";
  }
}

}  // namespace

int runInfo(const std::string& modulePath, std::ostream& out, std::ostream& err) {
  LoadedModule module;
  std::string error;
  HostContext host;
  std::unique_ptr<PluginInstance> plugin = PluginInstance::load(modulePath, module, host, error);
  if (!plugin) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }
  printRecord(modulePath, module.entryName, plugin->effect(), out);
  printIdentity(*plugin, out);
  printCapabilities(*plugin, out);
  printOutputPins(*plugin, out);
  printChunks(*plugin, out);
  printPrograms(*plugin, out);
  printParameters(*plugin, out);
  return kExitOk;
}

}  // namespace vhost
