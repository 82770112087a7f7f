#include "options/linker_control_string.h"

#include "options/cpu_text.h"
#include "options/option_inputs.h"
#include "options/option_text.h"
#include "options/tool_scope.h"
#include "project/config_keys.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51 {

namespace {

enum class Variant { kBuild, kDisplay };

void AppendLine(std::string* text, std::string_view line, std::string_view end) {
  text->append(line);
  text->append(end);
}

// "NAME( text )" when the trimmed text is not empty. A blank-only text
// would make "NAME(   )", which the linker rejects.
void AppendSingle(std::string* text, const char* name, const std::string& value,
                  std::string_view end) {
  std::string_view trimmed = TrimBlanks(value);
  if (trimmed.empty()) return;
  *text += name;
  *text += "( ";
  *text += trimmed;
  *text += " )";
  *text += end;
}

void AppendPair(std::string* text, const char* name, const std::string& base,
                const std::string& segments, std::string_view joint, std::string_view end) {
  std::string_view first = TrimBlanks(base);
  std::string_view second = TrimBlanks(segments);
  if (first.empty() && second.empty()) return;
  *text += name;
  *text += "( ";
  *text += first;
  if (!first.empty() && !second.empty()) *text += joint;
  *text += second;
  *text += " )";
  *text += end;
}

std::string Build(const LinkerOptions& options, const LinkerStringInputs& inputs, Variant variant) {
  const std::string_view end = variant == Variant::kBuild ? "\n" : "\r\n";
  std::string text;
  text.reserve(256);
  if (variant == Variant::kDisplay) {
    text += "TO \"" + inputs.output_name + "\"";
    if (inputs.rtos == 1) text += " Rtx51Tiny";
    if (inputs.rtos == 2) text += " Rtx51";
    text += end;
  }
  std::string area_start;
  std::string area_end;
  if (BankArea(inputs.code_bank.c_str(), &area_start, &area_end)) {
    AppendLine(&text, "BankArea(" + area_start + "," + area_end + ")", end);
  } else if (variant == Variant::kBuild) {
    // The build keeps the line so that the directives below stay in place.
    text += end;
  }
  if (variant == Variant::kBuild) {
    if (inputs.rtos == 1) AppendLine(&text, "Rtx51Tiny", end);
    if (inputs.rtos == 2) AppendLine(&text, "Rtx51", end);
  }
  const NumberNotation notation =
      variant == Variant::kBuild ? NumberNotation::kAssembler : NumberNotation::kAutoBase;
  AppendLine(&text, "RAMSIZE(" + std::to_string(OnChipRamSize(inputs.cpu, notation)) + ")", end);
  std::string_view warnings = TrimBlanks(options.disable_warnings);
  if (!warnings.empty()) AppendLine(&text, "DISABLEWARNING (" + std::string(warnings) + ")", end);
  std::string_view misc = TrimBlanks(options.misc);
  if (!misc.empty()) AppendLine(&text, std::string(misc) + " ", end);
  AppendSingle(&text, "OVERLAY", options.overlay, end);
  AppendPair(&text, "CODE", options.code_base, options.code_segments, ",", end);
  AppendPair(&text, "XDATA", options.xdata_base, options.xdata_segments, " , ", end);
  AppendSingle(&text, "PDATA", options.pdata_base, end);
  AppendSingle(&text, "PRECEDE", options.precede, end);
  AppendPair(&text, "BIT", options.bit_base, options.bit_segments, " , ", end);
  AppendPair(&text, "DATA", options.data_base, options.data_segments, " , ", end);
  AppendPair(&text, "IDATA", options.idata_base, options.idata_segments, " , ", end);
  AppendSingle(&text, "STACK", options.stack, end);
  return text;
}

}  // namespace

std::string BuildLinkerControlString(const LinkerOptions& options,
                                     const LinkerStringInputs& inputs) {
  return Build(options, inputs, Variant::kBuild);
}

std::string BuildLinkerControlString(ConfigurationRef* ref, const DeviceRecord* device) {
  const ProjectNode* config = FindCurrentConfiguration(ref);
  if (config == nullptr) return std::string();
  LinkerStringInputs inputs;
  GetAttributeInt(config, keys::kRtos, &inputs.rtos);
  if (const char* code_bank = GetAttributeText(config, keys::kCodeBank))
    inputs.code_bank = code_bank;
  inputs.cpu = DeviceCpuText(device);
  return Build(ReadLinkerOptions(FindToolNode(config, keys::kLx51Tool)), inputs, Variant::kBuild);
}

std::string BuildLinkerDisplayString(const LinkerOptions& options,
                                     const LinkerStringInputs& inputs) {
  return Build(options, inputs, Variant::kDisplay);
}

}  // namespace c51
