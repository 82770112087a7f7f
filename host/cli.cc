#include "host/cli.h"

#include "host/commands.h"

namespace c51::host {
namespace {

const OptionSpec kProject = {"project", 'p', "FILE",
                             "the project file (default: the one .cvproj in the current folder)"};
const OptionSpec kConfig = {"config", 0, "NAME",
                            "the configuration to use (default: the active one)"};
const OptionSpec kMessageFormat = {
    "message-format", 0, "FORMAT",
    "how diagnostics are shown: plain (default), gnu (file:line: error: ..., for editors) or "
    "github (plain plus GitHub Actions annotations)"};

// Accepted by every command.
const std::vector<OptionSpec>& GlobalOptions() {
  static const std::vector<OptionSpec> options = {
      {"plugin", 0, "PATH", "the plug-in library (default: the one beside this program)"},
      {"toolchain", 0, "DIR",
       "the C51 toolchain: its root (holding C51/BIN or BIN) or its BIN folder"},
      {"no-color", 0, nullptr, "never colour the output"},
      {"help", 'h', nullptr, "show this help"},
  };
  return options;
}

const OptionSpec* FindOption(const CommandSpec* command_info, const std::string& name,
                             char short_name) {
  auto matches = [&](const OptionSpec& o) {
    return short_name ? o.short_name == short_name : name == o.name;
  };
  if (command_info) {
    for (const OptionSpec& o : command_info->options)
      if (matches(o)) return &o;
  }
  for (const OptionSpec& o : GlobalOptions())
    if (matches(o)) return &o;
  return nullptr;
}

std::string OptionSynopsis(const OptionSpec& o) {
  std::string text = o.short_name ? std::string("-") + o.short_name + ", " : "    ";
  text += std::string("--") + o.name;
  if (o.value_name) text += std::string(" ") + o.value_name;
  return text;
}

void AppendOptions(const std::vector<OptionSpec>& options, std::string* out) {
  for (const OptionSpec& o : options) {
    std::string synopsis = "  " + OptionSynopsis(o);
    if (synopsis.size() < 26) synopsis.resize(26, ' ');
    *out += synopsis + " " + o.help + "\n";
  }
}

}  // namespace

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = {
      {"new",
       CommandNew,
       "<project.cvproj>",
       "create a project with one configuration and no files",
       1,
       1,
       {{"config", 0, "NAME", "name of the configuration (default: \"Target 1\")"},
        {"device", 0, "NAME",
         "the device's name; alone, vendor and CPU text come from the device database"},
        {"vendor", 0, "NAME", "the device's vendor"},
        {"cpu", 0, "TEXT", "the device's CPU text, e.g. \"IRAM(0-0xFF) CLOCK(24000000)\""},
        {"force", 0, nullptr, "replace an existing file"}}},
      {"add",
       CommandAdd,
       "<file>...",
       "add source files to the project",
       1,
       -1,
       {kProject, {"group", 0, "PATH", "the group to add to; \"/\" separates nested groups"}}},
      {"import",
       CommandImport,
       "<project.uvproj|project.uvprojx|project.uv2>",
       "create a project from a uVision project",
       1,
       1,
       {{"output", 'o', "FILE", "the project file to write (default: beside the uVision file)"},
        {"force", 0, nullptr, "replace an existing file"},
        {"plugin-only", 0, nullptr,
         "take only what the plug-in's import takes (no models, folders, crystal or device "
         "from the host)"}}},
      {"build",
       CommandBuild,
       "",
       "build the target: translate what is out of date, link, make the hex file",
       0,
       0,
       {kProject,
        kConfig,
        {"rebuild", 0, nullptr, "translate every file"},
        {"jobs", 'j', "N",
         "translate up to N files at once (default: $C51_BUILD_JOBS, else one per "
         "processor); -j 1 translates one after another"},
        kMessageFormat}},
      {"translate",
       CommandTranslate,
       "<file>",
       "compile or assemble one file of the project",
       1,
       1,
       {kProject, kConfig, kMessageFormat}},
      {"clean", CommandClean, "", "delete the target's generated files", 0, 0, {kProject, kConfig}},
      {"deps",
       CommandDeps,
       "<source>",
       "list the headers a compiled source file depends on",
       1,
       1,
       {kProject, kConfig}},
      {"includes",
       CommandIncludes,
       "",
       "list the folders the compiler searches for headers",
       0,
       0,
       {kProject, kConfig}},
      {"show",
       CommandShow,
       "",
       "show the project tree, each file's switches and the control strings",
       0,
       0,
       {kProject, kConfig}},
      {"compdb",
       CommandCompdb,
       "",
       "write compile_commands.json for clangd",
       0,
       0,
       {kProject,
        kConfig,
        {"output", 'o', "FILE", "where to write it (default: beside the project file)"}}},
      {"settings",
       CommandSettings,
       "[action]...",
       "run the settings dialog without windows: apply actions, show what a user would see",
       0,
       -1,
       {kProject,
        kConfig,
        {"group", 0, "PATH", "the dialog of this group; \"/\" separates nested groups"},
        {"file", 0, "FILE", "the dialog of this file of the project"},
        {"actions", 0, "FILE", "actions to run first, one per line"},
        {"list", 0, nullptr, "print every page, control, label and value as JSON"}}},
      {"devices",
       CommandDevices,
       "[pattern]",
       "list the device database, or the devices a pattern (\"stc8*\", \"atmel\") selects",
       0,
       1,
       {}},
      {"toolchain",
       CommandToolchain,
       "",
       "show the toolchain in use, the rule that chose it and whether its programs are there",
       0,
       0,
       {}},
      {"help", nullptr, "[command]", "show help", 0, 1, {}},
  };
  return commands;
}

const CommandSpec* FindCommand(const std::string& name) {
  for (const CommandSpec& command_info : Commands())
    if (name == command_info.name) return &command_info;
  return nullptr;
}

std::string ParsedCommand::Value(const std::string& name, const std::string& fallback) const {
  auto found = values.find(name);
  return found == values.end() ? fallback : found->second;
}

bool ParseCommandLine(const std::vector<std::string>& args, ParsedCommand* out, std::string* err) {
  *out = ParsedCommand{};
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      if (!out->command_info) {
        out->command_info = FindCommand(arg);
        if (!out->command_info) {
          *err = "unknown command \"" + arg + "\"";
          return false;
        }
      } else {
        out->arguments.push_back(arg);
      }
      continue;
    }
    std::string name, value;
    bool has_inline_value = false;
    const OptionSpec* option;
    if (arg[1] == '-') {
      name = arg.substr(2);
      size_t equals = name.find('=');
      if (equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
        has_inline_value = true;
      }
      option = FindOption(out->command_info, name, 0);
    } else {
      if (arg.size() != 2) {
        *err = "unknown option \"" + arg + "\"";
        return false;
      }
      option = FindOption(out->command_info, "", arg[1]);
    }
    if (!option) {
      *err = "unknown option \"" + arg + "\"" +
             (out->command_info ? std::string(" for \"") + out->command_info->name + "\"" : "");
      return false;
    }
    if (!option->value_name) {
      if (has_inline_value) {
        *err = "option --" + std::string(option->name) + " takes no value";
        return false;
      }
      if (std::string(option->name) == "help")
        out->help = true;
      else
        out->switches.insert(option->name);
      continue;
    }
    if (!has_inline_value) {
      if (i + 1 >= args.size()) {
        *err =
            "option --" + std::string(option->name) + " needs a value (" + option->value_name + ")";
        return false;
      }
      value = args[++i];
    }
    out->values[option->name] = value;
  }
  if (out->help || !out->command_info) return true;
  int count = static_cast<int>(out->arguments.size());
  if (count < out->command_info->min_arguments) {
    *err = std::string("\"") + out->command_info->name + "\" needs " + out->command_info->arguments;
    return false;
  }
  if (out->command_info->max_arguments >= 0 && count > out->command_info->max_arguments) {
    *err = "unexpected argument \"" +
           out->arguments[static_cast<size_t>(out->command_info->max_arguments)] + "\"";
    return false;
  }
  return true;
}

std::string GeneralHelp() {
  std::string text =
      "usage: corvane-c51 [options] <command> [options] [arguments]\n\n"
      "Builds 8051 projects with the C51 toolchain through the C51 plug-in.\n\ncommands:\n";
  for (const CommandSpec& command_info : Commands()) {
    std::string name = std::string("  ") + command_info.name;
    name.resize(13, ' ');
    text += name + command_info.summary + "\n";
  }
  text += "\noptions of every command:\n";
  AppendOptions(GlobalOptions(), &text);
  text +=
      "\nThe toolchain is the first of: --toolchain DIR; the environment variable\n"
      "CORVANE_C51_TOOLCHAIN; the first line of the file corvane-c51/toolchain in the\n"
      "user's configuration folder ($XDG_CONFIG_HOME or ~/.config; %APPDATA% on\n"
      "Windows); on Linux, the installation the uVision file association of the wine\n"
      "prefix names ($WINEPREFIX or ~/.wine); the simulated toolchain bundled in\n"
      "simtool/ beside this program.\n"
      "Each may name the toolchain's root (holding C51/BIN or BIN) or its BIN folder;\n"
      "\"corvane-c51 toolchain\" shows the one in use and why.\n"
      "\nRun \"corvane-c51 <command> --help\" for a command's options.\n"
      "Exit status: 0 success, 1 build failed, 2 usage or input error.\n";
  return text;
}

std::string CommandHelp(const CommandSpec& command_info) {
  std::string text = std::string("usage: corvane-c51 ") + command_info.name;
  if (!command_info.options.empty()) text += " [options]";
  if (*command_info.arguments) text += std::string(" ") + command_info.arguments;
  text += std::string("\n\n") + command_info.summary + ".\n";
  if (!command_info.options.empty()) {
    text += "\noptions:\n";
    AppendOptions(command_info.options, &text);
  }
  text += "\noptions of every command:\n";
  AppendOptions(GlobalOptions(), &text);
  return text;
}

}  // namespace c51::host
