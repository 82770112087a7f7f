#include "sdcc/compile/a51_stand_ins.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/codepage.h"
#include "sdcc/compile/a51_c_header.h"
#include "sdcc/compile/a51_classic.h"
#include "sdcc/compile/a51_syntax.h"

namespace c51::sdcc {

namespace {

namespace fs = std::filesystem;

// The one file in a stand-in's folder.
fs::path StandInIn(const fs::path& folder) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    return entry.path();
  }
  return fs::path();
}

}  // namespace

bool TranslateStandIns(const std::string& folder, const std::vector<std::string>& set_symbols,
                       StandInTranslation* result, std::string* err) {
  *result = StandInTranslation();
  std::string header_preludes, source_prelude;
  for (size_t index = 0;; ++index) {
    const fs::path dir(folder + "i" + std::to_string(index));
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) break;
    const fs::path stand_in = StandInIn(dir);
    if (stand_in.empty()) continue;
    std::ifstream in(stand_in, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      *err = "CAN'T READ FILE '" + SystemToLocalText(stand_in.string()) + "'";
      return false;
    }
    const AsmSyntax syntax = DetectAsmSyntax(text);
    ClassicTranslation translation;
    const std::string tag = std::to_string(index);
    if (index == 0) {
      result->classic_source = syntax != AsmSyntax::kSdas;
      if (!result->classic_source) continue;
      TranslateClassic(text, ClassicOptions{tag, false, set_symbols, {}}, &translation);
    } else if (syntax == AsmSyntax::kCHeader) {
      TranslateCHeader(text, tag, &translation);
    } else if (syntax == AsmSyntax::kClassic && result->classic_source) {
      TranslateClassic(text, ClassicOptions{tag, true, set_symbols, {}}, &translation);
    } else {
      continue;
    }
    for (const A51Issue& issue : translation.issues) {
      result->issues.push_back(StandInIssue{stand_in.string(), issue.line, issue.text});
    }
    (index == 0 ? source_prelude : header_preludes) += translation.prelude;
    // A link would write into the user's file: it goes first.
    fs::remove(stand_in, ec);
    std::ofstream out(stand_in, std::ios::binary | std::ios::trunc);
    out.write(translation.text.data(), static_cast<std::streamsize>(translation.text.size()));
    out.close();
    if (ec || !out) {
      *err = "CAN'T CREATE FILE '" + SystemToLocalText(stand_in.string()) + "'";
      return false;
    }
  }
  // The source's prelude last: it may open the source's first area.
  result->prelude = header_preludes + source_prelude;
  return true;
}

}  // namespace c51::sdcc
