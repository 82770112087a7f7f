#include "host/settings_json.h"

#include "host/compdb.h"
#include "host/text_encoding.h"

namespace c51::host {
namespace {

std::string Text(const std::string& tree_text) {
  return JsonString(TreeTextToUtf8(tree_text));
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string ControlJson(const ReportControl& c) {
  std::string out = "{\"id\": " + std::to_string(c.id) + ", \"kind\": " + Text(c.kind) +
                    ", \"label\": " + Text(c.label);
  if (c.kind == "check" || c.kind == "radio") {
    out += ", \"value\": " + std::to_string(c.check);
  } else if (c.kind == "list" || c.kind == "listbox") {
    out += ", \"value\": " + Text(c.text) + ", \"selection\": " + std::to_string(c.selection) +
           ", \"count\": " + std::to_string(c.count);
    if (c.kind == "listbox") {
      out += ", \"items\": [";
      for (size_t i = 0; i < c.items.size(); ++i) out += (i ? ", " : "") + Text(c.items[i]);
      out += "]";
    }
  } else if (!NamedByCaption(c.kind)) {
    out += ", \"value\": " + Text(c.text);
  }
  return out + ", \"enabled\": " + Bool(c.enabled) + ", \"visible\": " + Bool(c.visible) + "}";
}

}  // namespace

std::string SettingsJson(const std::vector<ReportPage>& pages) {
  std::string out = "{\n  \"pages\": [";
  for (size_t p = 0; p < pages.size(); ++p) {
    const ReportPage& page = pages[p];
    out += p ? ",\n" : "\n";
    out += "    {\n      \"index\": " + std::to_string(page.index) +
           ",\n      \"caption\": " + Text(page.caption) + ",\n      \"controls\": [";
    for (size_t i = 0; i < page.controls.size(); ++i)
      out += (i ? ",\n        " : "\n        ") + ControlJson(page.controls[i]);
    out += page.controls.empty() ? "]\n    }" : "\n      ]\n    }";
  }
  out += pages.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace c51::host
