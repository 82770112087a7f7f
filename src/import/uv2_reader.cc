#include "import/uv2_reader.h"

#include <vector>

#include "import/import_names.h"
#include "import/uv2_parser.h"
#include "platform/fs.h"
#include "plugin/default_configuration.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {
namespace {

// File lines name their group by number; only this many are remembered.
constexpr size_t kMaxGroups = 255;

// FindCurrentConfiguration for each option line of the current target's
// block, without walking every configuration each time: during the import
// configurations are only appended, so the first one carrying a name stays
// the first, and a lookup that found none can only succeed after a new
// target or under another name.
class CurrentConfigurationLookup {
 public:
  explicit CurrentConfigurationLookup(ConfigurationRef* current) : current_(current) {}

  // `targets`: how many configurations have been made so far.
  ProjectNode* Find(int targets) {
    if (!valid_ || current_->name != name_ || (!found_ && targets != targets_)) {
      found_ = FindCurrentConfiguration(current_);
      name_ = current_->name;  // the lookup may have chosen the name
      targets_ = targets;
      valid_ = true;
    }
    return found_;
  }

 private:
  ConfigurationRef* current_;
  bool valid_ = false;
  std::string name_;  // current_->name after the last lookup
  int targets_ = 0;   // configurations made at the last lookup
  ProjectNode* found_ = nullptr;
};

}  // namespace

bool ImportUv2Project(PluginState* state, ProjectNode* root, const std::string& path) {
  HostServices* host = state->host;
  ConfigurationRef& current = state->configuration;
  current.name.clear();
  ProjectNode* files = host->AddChild(root, keys::kFiles, nullptr);
  if (!files) return false;

  // Without an options file no target is current (index 0).
  int current_index = 0;
  std::string text, err;
  if (ReadWholeFile(WithExtension(path, "opt"), &text, &err) == ReadStatus::kOkay)
    current_index = CurrentTargetIndex(text);
  if (ReadWholeFile(path, &text, &err) != ReadStatus::kOkay) return false;

  ProjectNode* configurations = nullptr;
  std::vector<ProjectNode*> groups;  // group number - 1 => its "Filter"
  int targets = 0;
  CurrentConfigurationLookup lookup(&current);
  Uv2ProjectReader reader(text, current_index);
  for (Uv2Entry entry; reader.Next(&entry);) {
    switch (entry.kind) {
      case Uv2Entry::Kind::kTarget: {
        if (!ImportableTarget(++targets)) break;
        if (!configurations) configurations = host->AddChild(root, keys::kConfigurations, nullptr);
        if (!configurations) return false;
        ProjectNode* config = host->AddChild(configurations, keys::kConfiguration, nullptr);
        if (!config) return false;
        SetOneAttribute(host, config, keys::kName, entry.text.c_str());
        CreateDefaultConfiguration(state, config);
        KeepDefaultFoldersInside(host, config);
        if (targets == current_index) current.name = entry.text;
        break;
      }
      case Uv2Entry::Kind::kGroup: {
        ProjectNode* group = host->AddChild(files, keys::kFilter, nullptr);
        if (!group) return false;
        SetOneAttribute(host, group, keys::kName, entry.text.c_str());
        if (groups.size() < kMaxGroups) groups.push_back(group);
        break;
      }
      case Uv2Entry::Kind::kFile: {
        bool known = entry.number >= 1 && static_cast<size_t>(entry.number) <= groups.size();
        if (!ImportableSourceName(entry.text)) break;
        ProjectNode* parent = known ? groups[static_cast<size_t>(entry.number) - 1] : files;
        ProjectNode* file = host->AddChild(parent, keys::kFile, nullptr);
        if (file) SetOneAttribute(host, file, keys::kRelativePath, entry.text.c_str());
        break;
      }
      case Uv2Entry::Kind::kOption: {
        // The configuration named current by the lines read so far; none
        // when the current target was left out.
        if (current_index > kMaxImportedTargets) break;
        ProjectNode* config = lookup.Find(targets);
        if (config && ImportableOutputValue(entry.key, entry.text)) {
          SetOneAttribute(host, config, entry.key, entry.text.c_str());
        }
        break;
      }
    }
  }
  return true;
}

}  // namespace c51
