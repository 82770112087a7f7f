#include "import/uvopt_reader.h"

#include "import/import_check.h"
#include "import/uvproj_importer.h"
#include "markup/markup_doc.h"
#include "platform/ascii_case.h"

namespace c51 {
namespace {

// ".uvproj" in any letter case, from the last ".".
bool HasUvprojExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  return EqualsIgnoringCase(std::string_view(path).substr(dot), ".uvproj");
}

}  // namespace

std::string UvoptPathOf(const std::string& project_path) {
  if (project_path.size() < 4) return "opt";
  return project_path.substr(0, project_path.size() - 4) + "opt";
}

bool ReadUvoptCurrentTarget(const std::string& project_path, std::string* name) {
  if (!HasUvprojExtension(project_path)) return false;
  MarkupDoc xml;
  C51_IMPORT_CHECK(xml.Load(UvoptPathOf(project_path)), "xml.Load(uvopt)");
  C51_IMPORT_CHECK(xml.FindElem("ProjectOpt"), "xml.FindElem(\"ProjectOpt\")");
  while (xml.FindChildElem("Target")) {
    ElemScope target(&xml);
    C51_IMPORT_CHECK(xml.FindChildElem("TargetName"), "xml.FindChildElem(\"TargetName\")");
    std::string target_name = xml.GetChildData();
    C51_IMPORT_CHECK(xml.FindChildElem("TargetOption"), "xml.FindChildElem(\"TargetOption\")");
    ElemScope option(&xml);
    C51_IMPORT_CHECK(xml.FindChildElem("OPTFL"), "xml.FindChildElem(\"OPTFL\")");
    ElemScope optfl(&xml);
    C51_IMPORT_CHECK(xml.FindChildElem("IsCurrentTarget"),
                     "xml.FindChildElem(\"IsCurrentTarget\")");
    if (xml.GetChildData() == "1") {
      *name = target_name;
      return true;
    }
  }
  return false;
}

}  // namespace c51
