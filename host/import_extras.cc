#include "host/import_extras.h"

#include <cstdio>

#include "host/host_platform.h"
#include "host/project_model.h"
#include "host/settings_run.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "settings/resources/control_ids.h"
#include "support/path_text.h"

namespace c51::host {
namespace {

// The project dialog's pages by index: the captions follow the interface
// language, the order does not.
constexpr int kTargetPage = 1;
constexpr int kOutputPage = 2;
constexpr int kListingPage = 3;
constexpr int kC51Page = 5;
constexpr int kA51Page = 6;

const char* const kModelNames[] = {"small", "compact", "large"};

std::string Page(int index) {
  return "page " + std::to_string(index) + "\n";
}

// A model as uVision writes it: "0", "1" or "2".
bool ModelIndex(const std::string& text, int* index) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '2') return false;
  *index = text[0] - '0';
  return true;
}

// An output or listing folder or the output name, as the plug-in's import
// judges the names it takes: nothing absolute, nothing climbing out.
bool Inside(const std::string& value) {
  return !IsAbsolutePath(value) && StaysInside(value);
}

// The first message box's text, or what else kept the value out.
std::string WhyNotTaken(const std::string& report) {
  const size_t message = report.find("message: ");
  if (message != std::string::npos) {
    const size_t end = report.find('\n', message);
    return report.substr(message + 9, end == std::string::npos ? end : end - message - 9);
  }
  if (ReportHasRefusal(report)) return "the settings dialog refused it";
  return "the settings dialog did not close with OK";
}

}  // namespace

const char kStillLeftOut[] =
    "still left out: the device's settings beyond its name and CPU text, RTOS and on-chip "
    "memory switches, the hex file, debug and browse information switches, the debug "
    "driver, group and file options but leaving out of the build, and the files of targets "
    "after the first";

std::vector<ExtraValue> ExtraValues(const UvprojTargetOptions& target,
                                    const std::string& project_folder,
                                    std::vector<std::string>* refused) {
  std::vector<ExtraValue> values;
  if (target.cpu) {
    const std::string crystal = CrystalText(*target.cpu);
    if (!crystal.empty())
      values.push_back(
          {"crystal", crystal + " MHz",
           Page(kTargetPage) + "type " + std::to_string(IDC_TARGET_XTAL) + " " + crystal + "\n"});
  }
  const struct {
    const char* what;
    const std::optional<std::string>& value;
    int id;
  } models[] = {{"memory model", target.memory_model, IDC_TARGET_MEMORY_MODEL},
                {"code model", target.code_model, IDC_TARGET_CODE_ROM_SIZE}};
  for (const auto& model : models) {
    if (!model.value) continue;
    int index = 0;
    if (!ModelIndex(*model.value, &index)) {
      refused->push_back(std::string(model.what) + " \"" + *model.value + "\" is no model");
      continue;
    }
    values.push_back({model.what, kModelNames[index],
                      Page(kTargetPage) + "choose " + std::to_string(model.id) + " " +
                          std::to_string(index) + "\n"});
  }
  const struct {
    const char* what;
    const std::optional<std::string>& value;
    int page;
    int browse;
  } folders[] = {{"output folder", target.output_folder, kOutputPage, IDC_OUTPUT_BROWSE},
                 {"listing folder", target.listing_folder, kListingPage, IDC_LISTING_BROWSE}};
  for (const auto& folder : folders) {
    if (!folder.value) continue;
    // uVision's empty folder is the project's own.
    const std::string value = folder.value->empty() ? ".\\" : *folder.value;
    if (!Inside(value)) {
      refused->push_back(std::string(folder.what) + " \"" + value + "\" leaves the project folder");
      continue;
    }
    const std::string full = LexicalFullPath(value, project_folder, NativePathStyle());
    values.push_back(
        {folder.what, value,
         Page(folder.page) + "folder " + full + "\nclick " + std::to_string(folder.browse) + "\n"});
  }
  const struct {
    const char* what;
    const std::optional<std::string>& value;
    int page;
    int id;
  } texts[] = {{"C51 defines", target.c_defines, kC51Page, IDC_C51_DEFINE},
               {"C51 include folders", target.c_include, kC51Page, IDC_C51_INCLUDE},
               {"A51 include folders", target.a_include, kA51Page, IDC_A51_INCLUDE}};
  for (const auto& text : texts) {
    if (!text.value || text.value->empty()) continue;
    values.push_back(
        {text.what, *text.value,
         Page(text.page) + "type " + std::to_string(text.id) + " " + *text.value + "\n"});
  }
  if (target.output_name && !target.output_name->empty()) {
    const std::string& name = *target.output_name;
    if (!Inside(name)) {
      refused->push_back("output name \"" + name + "\" leaves the project folder");
    } else {
      values.push_back(
          {"output name", name,
           Page(kOutputPage) + "type " + std::to_string(IDC_OUTPUT_NAME) + " " + name + "\n"});
    }
  }
  return values;
}

const char kStillLeftOutUv2[] =
    "still left out: the device's settings beyond its name and CPU text, the compiler's, "
    "assembler's and linker's other controls, group and file options";

bool TakeImportExtras(Session* session, const std::string& project_path,
                      const std::string& current_configuration) {
  std::string data, err;
  std::vector<UvprojTargetOptions> targets;
  const bool uv2 = LowerExtension(project_path) == "uv2";
  if (ReadWholeFile(project_path, &data, &err) != ReadStatus::kOkay ||
      (!uv2 && !ParseUvprojOptions(data, &targets, &err))) {
    session->Error("cannot read " + project_path + " again: " + err);
    return false;
  }
  if (uv2) ParseUv2Options(data, &targets);
  ProjectNode* root = session->tree().root();
  const std::vector<std::string> configurations = ConfigurationNames(root);
  std::vector<std::string> done;  // a name shared by two targets is the first one's
  for (const UvprojTargetOptions& target : targets) {
    bool known = false;
    for (const std::string& name : configurations) known = known || name == target.name;
    for (const std::string& name : done) known = known && name != target.name;
    if (!known) continue;
    done.push_back(target.name);
    std::vector<std::string> refused;
    const std::vector<ExtraValue> values = ExtraValues(target, session->ProjectFolder(), &refused);
    for (const std::string& why : refused)
      session->Warning("\"" + target.name + "\": " + why + "; not taken");
    session->plugin().table()->OpenConfiguration(root, target.name.c_str());
    session->SyncContext();
    for (const ExtraValue& value : values) {
      std::string report;
      if (!RunSettingsScript(session, root, value.actions + "ok\n", &report)) return false;
      const bool taken = report.find("\nresult: OK\n") != std::string::npos &&
                         !ReportHasRefusal(report) &&
                         report.find("\nmessage: ") == std::string::npos;
      if (taken) {
        PrintText(stdout,
                  "taken into \"" + target.name + "\": " + value.what + " " + value.shown + "\n");
      } else {
        session->Warning("\"" + target.name + "\": " + value.what + " " + value.shown +
                         " not taken: " + WhyNotTaken(report));
      }
    }
  }
  session->plugin().table()->OpenConfiguration(root, current_configuration.c_str());
  session->SyncContext();
  return true;
}

}  // namespace c51::host
