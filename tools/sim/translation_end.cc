#include "sim/translation_end.h"

#include "sim/files.h"
#include "sim/translation.h"

namespace c51::sim {

int FailInvocation(Console* console, const std::string& banner, std::string_view tool,
                   const std::string& line, const std::string& error) {
  console->Line(banner);
  console->Line("");
  PrintFatalBlock(console, tool, FatalError{"PARSING INVOKE-LINE", line, error, "", 0});
  return kExitFatal;
}

int EndWithFatal(Console* console, std::string_view tool, const FatalError& fatal,
                 const std::string& target) {
  if (!target.empty()) RemoveFile(target);
  PrintFatalBlock(console, tool, fatal);
  return kExitFatal;
}

void ReportDroppedNames(Console* console, int dropped) {
  if (dropped > 0) {
    console->Line("DEPENDENCY RECORD: " + std::to_string(dropped) + " NAME(S) LEFT OUT");
  }
}

std::string FormatTranslationListing(const TranslationListing& in) {
  std::string out =
      FormatListingHead(in.banner, in.source, in.target, in.tool, in.invocation, in.source_text);
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  for (const std::string& message : in.messages) line(message);
  if (!in.assembly_listing.empty()) {
    line("");
    std::string_view rest = in.assembly_listing;
    while (!rest.empty()) {
      size_t end = rest.find('\n');
      std::string_view l = rest.substr(0, end);
      if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
      line(l);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  line("");
  line("MODULE INFORMATION:   CODE SIZE = " + std::to_string(in.sizes.code) + "  DATA SIZE = " +
       std::to_string(in.sizes.data) + "  XDATA SIZE = " + std::to_string(in.sizes.xdata));
  line(in.summary);
  return out;
}

int FinishTranslation(TranslationEnd* end, Console* console) {
  const std::string& tool = end->listing.tool;
  end->listing.summary = FormatSummary(end->dialect, end->warnings, end->errors);
  std::string err;
  if (!end->print_path.empty() &&
      !WriteFile(end->print_path, FormatTranslationListing(end->listing), &err)) {
    PrintFatalBlock(console, tool, FatalError{"WRITING LISTING-FILE", "", err, "", 0});
    return kExitFatal;
  }
  if (!end->preprint_path.empty() && !WriteFile(end->preprint_path, end->preprinted, &err)) {
    PrintFatalBlock(console, tool, FatalError{"WRITING PREPRINT-FILE", "", err, "", 0});
    return kExitFatal;
  }
  console->Line("");
  console->Line(end->listing.summary);
  return ExitStatus(end->warnings, end->errors);
}

}  // namespace c51::sim
