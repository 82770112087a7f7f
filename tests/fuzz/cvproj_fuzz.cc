// libFuzzer entry for the project-file reader, both XML back ends: any
// bytes either load as a project or are refused with a message, never read
// outside what they are given. A document one reader loads, the other
// loads too, and what is written from it reads back as the same tree.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/project_file.h"

namespace {

std::string Written(const c51::host::HostTree& tree, c51::host::XmlBackend backend) {
  std::string out, err;
  if (!c51::host::SerializeProject(tree.root(), backend, &out, &err)) return "refused: " + err;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using c51::host::LoadStatus;
  using c51::host::XmlBackend;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  c51::host::HostTree builtin, pugixml;
  std::string err;
  const LoadStatus by_builtin = ParseProject(bytes, XmlBackend::kBuiltin, &builtin, &err);
  if (by_builtin != LoadStatus::kOkay && err.empty()) __builtin_trap();
  err.clear();
  const LoadStatus by_pugixml = ParseProject(bytes, XmlBackend::kPugixml, &pugixml, &err);
  if (by_pugixml != LoadStatus::kOkay && err.empty()) __builtin_trap();
  // The two readers take the same documents.
  if ((by_builtin == LoadStatus::kOkay) != (by_pugixml == LoadStatus::kOkay)) __builtin_trap();
  if (by_builtin != LoadStatus::kOkay) return 0;
  if (Written(builtin, XmlBackend::kBuiltin) != Written(pugixml, XmlBackend::kBuiltin))
    __builtin_trap();
  const std::string document = Written(builtin, XmlBackend::kBuiltin);
  if (document.compare(0, 8, "refused:") == 0) return 0;
  // What one back end writes, both read back to the same document.
  for (XmlBackend backend : {XmlBackend::kBuiltin, XmlBackend::kPugixml}) {
    c51::host::HostTree again;
    if (ParseProject(document, backend, &again, &err) != LoadStatus::kOkay) __builtin_trap();
    if (Written(again, XmlBackend::kBuiltin) != document) __builtin_trap();
  }
  return 0;
}
