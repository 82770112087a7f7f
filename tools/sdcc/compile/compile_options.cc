#include "sdcc/compile/compile_options.h"

#include "platform/path.h"
#include "sim/compiler_controls.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

using sim::Control;
using sim::ControlRule;

std::string BadArgument(const Control& control) {
  return "BAD ARGUMENT FOR CONTROL '" + control.name + "'";
}

}  // namespace

bool ApplyCompilerControls(const std::vector<Control>& controls, CompileRequest* request,
                           std::string* err) {
  const std::string stem(WithoutExtension(request->source, sim::kToolBreaks));
  request->object_path = stem + ".obj";
  std::vector<std::string> incdirs;
  for (const Control& control : controls) {
    const std::string& name = control.name;
    const std::string arg = sim::ToUpper(control.argument);
    const std::string file(sim::Unquote(control.argument));
    uint32_t value = 0;
    if (name == "SMALL" || name == "COMPACT" || name == "LARGE") {
      request->model = name;
    } else if (name == "ROM") {
      if (arg != "SMALL" && arg != "COMPACT" && arg != "LARGE") {
        *err = BadArgument(control);
        return false;
      }
      request->rom_small = arg == "SMALL";
    } else if (name == "OPTIMIZE") {
      const std::vector<std::string> items = sim::SplitArgumentList(arg, ',');
      if (items.empty() || items.size() > 2 || !sim::ParseNumber(items[0], &value) || value > 11 ||
          (items.size() == 2 && items[1] != "SIZE" && items[1] != "SPEED")) {
        *err = BadArgument(control);
        return false;
      }
      request->optimize_level = static_cast<int>(value);
      request->speed = items.size() == 1 || items[1] == "SPEED";
    } else if (name == "WARNINGLEVEL") {
      if (!sim::ParseNumber(arg, &value) || value > 2) {
        *err = BadArgument(control);
        return false;
      }
      request->warnings = value != 0;
    } else if (name == "FLOATFUZZY") {
      if (!sim::ParseNumber(arg, &value) || value > 7) {
        *err = BadArgument(control);
        return false;
      }
    } else if (name == "INTVECTOR" && control.has_argument) {
      if (!sim::ParseNumber(arg, &value) || value > 0xFFFF) {
        *err = BadArgument(control);
        return false;
      }
    } else if (name == "DEFINE") {
      for (std::string& d : sim::SplitArgumentList(control.argument, ',')) {
        if (!d.empty()) request->defines.push_back(std::move(d));
      }
    } else if (name == "INCDIR") {
      for (std::string& dir : sim::SplitArgumentList(control.argument, ';')) {
        if (!dir.empty()) incdirs.push_back(std::move(dir));
      }
    } else if (name == "DEBUG") {
      request->debug = true;
    } else if (name == "CODE") {
      request->code_listing = true;
    } else if (name == "OBJECT") {
      request->object_path = control.has_argument ? file : stem + ".obj";
    } else if (name == "NOOBJECT") {
      request->object_path.clear();
    } else if (name == "SRC") {
      request->src_path = control.has_argument ? file : stem + ".SRC";
    } else if (name == "PRINT" || name == "PR") {
      request->print_path = control.has_argument ? file : stem + ".lst";
    } else if (name == "NOPRINT") {
      request->print_path.clear();
    } else if (name == "PREPRINT") {
      request->preprint_path = control.has_argument ? file : stem + ".i";
    }
  }
  incdirs.insert(incdirs.end(), request->include_dirs.begin(), request->include_dirs.end());
  request->include_dirs = std::move(incdirs);
  return true;
}

std::vector<std::string> SdccOptions(const CompileRequest& request) {
  std::vector<std::string> options = {"-mmcs51", "--fsigned-char"};
  if (request.model == "COMPACT") {
    options.push_back("--model-medium");
  } else if (request.model == "LARGE") {
    options.push_back("--model-large");
  } else {
    options.push_back("--model-small");
  }
  if (request.rom_small) options.push_back("--acall-ajmp");
  options.push_back(request.speed ? "--opt-code-speed" : "--opt-code-size");
  const int level = request.optimize_level;
  if (level < 2) options.push_back("--nooverlay");
  if (level < 3) options.push_back("--no-peep");
  // Programs wait for a flag or a count an interrupt routine changes
  // ("busy = 1; SBUF = c; while (busy);", "count = 0; while (count < t);")
  // without "volatile", and the original compiler reads the variable on
  // every turn. sdcc's redundancy eliminations and loop-invariant motion
  // keep the value it last stored or read: the loop never ends, or never
  // runs. So they are off at every level.
  options.push_back("--nogcse");
  options.push_back("--nolospre");
  options.push_back("--noinvariant");
  // A constant cut to the width of what it is assigned to ("TL0 = 65536 -
  // 1000;", a timer reload) is how these programs are written, and the
  // original compiler takes it without a word.
  options.insert(options.end(), {"--disable-warning", "158"});
  // Chatter the original compiler has no counterpart for: a branch the
  // optimiser folded ("so said EVELYN the modified DOG"), and a __code
  // pointer passed to a __code pointer parameter of a function only
  // declared, which sdcc takes for a lost const.
  options.insert(options.end(), {"--disable-warning", "110", "--disable-warning", "196"});
  // A string that fills its array exactly ("char s[4] = "abcd";") is
  // legal C the original compiler takes silently; sdcc says the array
  // holds no terminator, and says so only of such strings (a longer one
  // draws warning 147).
  options.insert(options.end(), {"--disable-warning", "211"});
  // A file left empty, or emptied by its conditionals, is a placeholder
  // the original compiler takes without a word ("ISO C forbids an empty
  // source file").
  options.insert(options.end(), {"--disable-warning", "190"});
  // A signed char compared with an unsigned one: both compilers promote
  // them to int alike, and the original says nothing of it.
  options.insert(options.end(), {"--disable-warning", "185"});
  // Comment banners drawn with "/****" lines inside a comment are common in
  // these sources, and the original compiler reads them without a word.
  options.push_back("-Wp,-Wno-comment");
  if (level < 6) {
    options.push_back("--noloopreverse");
    options.push_back("--noinduction");
  }
  if (request.debug) options.push_back("--debug");
  // What the original compiler predefines: portable headers choose their
  // dialect by __C51__ (a version number), and the memory model by
  // __MODEL__ (0 small, 1 compact, 2 large).
  options.push_back("-D__C51__=960");
  options.push_back(std::string("-D__MODEL__=") + (request.model == "COMPACT" ? "1"
                                                   : request.model == "LARGE" ? "2"
                                                                              : "0"));
  // A definition's bytes stay in our code page: they become program text,
  // which is in that code page like every source.
  for (const std::string& d : request.defines) options.push_back("-D" + d);
  for (const std::string& dir : request.include_dirs) options.push_back("-I" + NativePath(dir));
  return options;
}

}  // namespace c51::sdcc
