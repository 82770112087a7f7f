#include "import/import_names.h"

#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/import_diagnostics.h"
#include "support/path_text.h"

namespace c51 {

bool ImportableOutputValue(const char* key, const std::string& value) {
  if (!IsAbsolutePath(value) && StaysInside(value)) return true;
  ImportDiagnostics("\"%s\" \"%s\" leaves the project folder and is not imported", key,
                    value.c_str());
  return false;
}

bool ImportableSourceName(const std::string& path) {
  if (path.find('"') == std::string::npos) return true;
  ImportDiagnostics("\"%s\": a source name cannot hold a double quote; not imported", path.c_str());
  return false;
}

bool ImportableTarget(int number) {
  if (number <= kMaxImportedTargets) return true;
  if (number == kMaxImportedTargets + 1) {
    ImportDiagnostics("more than %d targets: target %d and the ones after it are not imported",
                      kMaxImportedTargets, number);
  }
  return false;
}

void KeepDefaultFoldersInside(HostServices* host, ProjectNode* config) {
  for (const char* key : {keys::kOutputDirectory, keys::kListingDirectory}) {
    const char* value = GetAttributeText(config, key);
    if (value == nullptr || ImportableOutputValue(key, value)) continue;
    SetOneAttribute(host, config, key, ".\\");
  }
}

}  // namespace c51
