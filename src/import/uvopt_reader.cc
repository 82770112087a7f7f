#include "import/uvopt_reader.h"

#include "import/import_check.h"
#include "import/uvproj_importer.h"
#include "markup/markup_doc.h"
#include "platform/ascii_case.h"
#include "support/path_text.h"

namespace c51 {
namespace {

// The options file of `project_path`: the path without its last four
// characters, then "opt", so that the extension keeps its letter case.
//   "C:\p\Blinky.uvproj" => "C:\p\Blinky.uvopt";  "x.UVPROJ" => "x.UVopt"
std::string UvoptPathOf(const std::string& project_path) {
  if (project_path.size() < 4) return "opt";
  return project_path.substr(0, project_path.size() - 4) + "opt";
}

}  // namespace

bool ReadUvoptCurrentTarget(const std::string& project_path, std::string* name) {
  if (!EqualsIgnoringCase(ExtensionOf(project_path), "uvproj")) return false;
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
