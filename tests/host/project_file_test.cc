// The project file: the tree as XML through both readers and writers, the
// byte-exact text encoding, documents that are not projects, and the
// atomic write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

#include "host/host_platform.h"
#include "host/host_tree.h"
#include "host/project_file.h"
#include "host/text_encoding.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "project/node.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

// Every node and attribute with its exact bytes, for comparing trees.
std::string Dump(const ProjectNode* node, int depth = 0) {
  std::string out(static_cast<size_t>(depth) * 2, ' ');
  out += "<" + std::string(TextView(node->name)) + ">";
  for (const NodeAttribute* a = node->attributes.next; a != &node->attributes; a = a->next)
    out += " [" + std::string(TextView(a->name)) + "]=[" + std::string(TextView(a->value)) + "]";
  out += "\n";
  for (const ProjectNode* c = node->first_child; c; c = c->next_sibling) out += Dump(c, depth + 1);
  return out;
}

std::vector<XmlBackend> Backends() {
  std::vector<XmlBackend> backends = {XmlBackend::kBuiltin};
  if (HasPugixml()) backends.push_back(XmlBackend::kPugixml);
  return backends;
}

const char* BackendName(XmlBackend backend) {
  return backend == XmlBackend::kPugixml ? "pugixml" : "built-in";
}

// A tree with the shapes and bytes a project holds: nesting, repeated
// element names, attributes out of alphabetical order, markup characters,
// control bytes, GBK text, bytes GBK does not map, empty values.
void FillSample(HostTree* tree) {
  ProjectNode* root = tree->NewRoot("CorvaneProject");
  tree->SetAttribute(root, "Name", "demo");
  ProjectNode* configs = tree->AppendChild(root, "Configurations");
  ProjectNode* config = tree->AddChild(configs, "Configuration", "Target 1");
  tree->SetAttribute(config, "ZLast", "1");
  tree->SetAttribute(config, "ALater", "2");
  tree->SetAttribute(config, "Markup", "<a href=\"x\">&amp;</a> 'q'");
  tree->SetAttribute(config, "Blanks", "\ttab\nnewline\r\ncrlf  two  ");
  tree->SetAttribute(config, "Control", std::string("\x01\x1f", 2));
  tree->SetAttribute(config, "Empty", "");
  tree->AddChild(config, "Tool", "C51Tool");
  tree->AddChild(config, "Tool", "A51Tool");
  ProjectNode* files = tree->AppendChild(root, "Files");
  // GBK for "source files"; then bytes GBK does not map: a lone trail
  // byte, 0x80, 0xFF and a lead byte at the end.
  ProjectNode* group = tree->AddChild(files, "Filter", "\xD4\xB4\xCE\xC4\xBC\xFE");
  ProjectNode* file = tree->AppendChild(group, "File");
  tree->SetAttribute(file, "RelativePath", ".\\src\\\xD6\xF7.c");
  tree->SetAttribute(file, "Odd", std::string("a\x80z\xFF\x7F\xD6", 6));
  tree->SetAttribute(file, "Nul", std::string("a\0b", 3));
  tree->AppendChild(files, "File");
}

TEST(ProjectFileTest, EveryWriterAndReaderKeepTheTreeByteForByte) {
  HostTree sample;
  FillSample(&sample);
  const std::string expected = Dump(sample.root());
  for (XmlBackend writer : Backends()) {
    std::string xml, err;
    ASSERT_TRUE(SerializeProject(sample.root(), writer, &xml, &err)) << err;
    for (XmlBackend reader : Backends()) {
      SCOPED_TRACE(std::string(BackendName(writer)) + " => " + BackendName(reader));
      HostTree loaded;
      ASSERT_EQ(ParseProject(xml, reader, &loaded, &err), LoadStatus::kOkay) << err << "\n" << xml;
      EXPECT_EQ(Dump(loaded.root()), expected);
      EXPECT_FALSE(loaded.modified());
    }
  }
}

TEST(ProjectFileTest, WritersEmitTheSameDocument) {
  if (!HasPugixml()) GTEST_SKIP() << "only the built-in writer in this build";
  HostTree sample;
  FillSample(&sample);
  std::string builtin, pugixml, err;
  ASSERT_TRUE(SerializeProject(sample.root(), XmlBackend::kBuiltin, &builtin, &err));
  ASSERT_TRUE(SerializeProject(sample.root(), XmlBackend::kPugixml, &pugixml, &err));
  EXPECT_EQ(builtin, pugixml);
}

TEST(ProjectFileTest, NamesThatCannotBeXmlNamesAreRefused) {
  for (const char* name : {"", "1st", "a b", "a<b", "-x", "a\"b"}) {
    SCOPED_TRACE(name);
    HostTree tree;
    ProjectNode* root = tree.NewRoot("CorvaneProject");
    tree.SetAttribute(root, name, "v");
    std::string xml, err;
    EXPECT_FALSE(SerializeProject(root, DefaultXmlBackend(), &xml, &err));
    EXPECT_NE(err.find("XML name"), std::string::npos) << err;
  }
}

TEST(ProjectFileTest, TextEncodingExamples) {
  // The tree's texts are in the local code page: GBK on POSIX, the
  // system's on Windows.
  if (LocalCodePage() != kCodePageGbk) {
    GTEST_SKIP() << "GBK examples; the local code page is " << LocalCodePage();
  }
  struct Case {
    std::string bytes;
    std::string utf8;
  } cases[] = {
      {"abc", "abc"},
      {"\xD6\xD0", "\xE4\xB8\xAD"},                      // GBK => U+4E2D
      {"\xFF", "\xEF\x9F\xBF"},                          // => U+F7FF
      {"\xD6", "\xEF\x9F\x96"},                          // lone lead byte => U+F7D6
      {std::string("\0", 1), "\xEF\x9C\x80"},            // NUL => U+F700
      {"x\xD6\xD0y\x80", "x\xE4\xB8\xADy\xE2\x82\xAC"},  // 0x80 is the euro sign
      {"\xD6\xD0\xA1", "\xE4\xB8\xAD\xEF\x9E\xA1"},      // a lead byte at the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(TreeTextToUtf8(c.bytes), c.utf8);
    std::string back, err;
    ASSERT_TRUE(Utf8ToTreeText(c.utf8, &back, &err)) << err;
    EXPECT_EQ(back, c.bytes);
  }
}

TEST(ProjectFileTest, Utf8ThatHasNoTreeFormIsAnError) {
  struct Case {
    const char* utf8;
    const char* message;
  } cases[] = {
      {"\xF0\x9F\x98\x80", "\" has no "},                                 // an emoji
      {"\xC3\x28", "invalid UTF-8"},      {"\xE4\xB8", "invalid UTF-8"},  // cut short
      {"\xC0\xAF", "invalid UTF-8"},                                      // overlong
      {"\xED\xA0\x80", "invalid UTF-8"},                                  // a surrogate
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    std::string bytes, err;
    EXPECT_FALSE(Utf8ToTreeText(c.utf8, &bytes, &err));
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
  }
}

TEST(ProjectFileTest, DocumentsThatAreNotProjects) {
  std::string deep = "<CorvaneProject>";
  for (int i = 0; i < kMaxTreeDepth + 5; ++i) deep += "<a>";
  for (int i = 0; i < kMaxTreeDepth + 5; ++i) deep += "</a>";
  deep += "</CorvaneProject>";
  struct Case {
    std::string document;
    const char* message;  // a part of the error; "" when either reader words it its own way
  } cases[] = {
      {"", ""},
      {"just text", ""},
      {"<?xml version=\"1.0\"?>", ""},
      {"<Other Name=\"x\"/>", "root element is \"Other\""},
      {"<CorvaneProject><Files>", ""},
      {"<CorvaneProject>text</CorvaneProject>", "holds text"},
      {"<CorvaneProject/><CorvaneProject/>", ""},
      {"<!DOCTYPE x><CorvaneProject/>", "document type"},
      {"<CorvaneProject a=\"\xC3\x28\"/>", "invalid UTF-8"},
      {"<CorvaneProject a=\"\xF0\x9F\x98\x80\"/>", "\" has no "},
      {"<CorvaneProject><a></b></CorvaneProject>", ""},
      {deep, "deeper"},
      // Text of any kind outside the root element.
      {"<![CDATA[x]]><CorvaneProject/>", "outside the root"},
      {"<CorvaneProject/><![CDATA[x]]>", "outside the root"},
      {"x<CorvaneProject/>", ""},
      {"<CorvaneProject/>x", ""},
  };
  for (XmlBackend backend : Backends()) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(BackendName(backend)) + ": " + c.document.substr(0, 60));
      HostTree tree;
      std::string err;
      EXPECT_EQ(ParseProject(c.document, backend, &tree, &err), LoadStatus::kNotProject);
      EXPECT_FALSE(err.empty());
      EXPECT_NE(err.find(c.message), std::string::npos) << err;
      EXPECT_EQ(tree.root(), nullptr);
    }
  }
}

// Documents that once split the two readers: each takes them alike, either
// both loading the same tree or both refusing.
TEST(ProjectFileTest, BothReadersTakeTheSameDocuments) {
  const std::string cases[] = {
      "<?xml vers\"UTF-8\"?>\n<CorvaneProject/>",
      "<CorvaneProject Name=\"<?x\"/>",
      std::string("<CorvaneProject Name=\"a\0b\"/>", 27),
      std::string("<CorvaneProject/><!--\0-->", 25),
      "<CorvaneProject><!-->\n<Files/></CorvaneProject>",
      "<CorvaneProject><!--> a --></CorvaneProject>",
      std::string("<CorvaneProject/>\n\0\0 ", 21),
      "<CorvaneProject C51[A=\"0\"/>",
      "<?>?xml version=\"1.0\"?><CorvaneProject/>",
      "<? x?><CorvaneProject/>",
      "<CorvaneProject><1a/></CorvaneProject>",
      "<CorvaneProject><-a/></CorvaneProject>",
      "<CorvaneProject><a-1.b:c_\xC3\xA4/></CorvaneProject>",
  };
  for (const std::string& document : cases) {
    SCOPED_TRACE(document);
    std::string texts[2];
    int okay = 0;
    int i = 0;
    for (XmlBackend backend : {XmlBackend::kBuiltin, XmlBackend::kPugixml}) {
      HostTree tree;
      std::string err;
      if (ParseProject(document, backend, &tree, &err) == LoadStatus::kOkay) {
        ++okay;
        ASSERT_TRUE(SerializeProject(tree.root(), XmlBackend::kBuiltin, &texts[i], &err)) << err;
      } else {
        texts[i] = BackendName(backend) + std::string(" refused: ") + err;
      }
      ++i;
    }
    if (okay != 1) continue;
    ADD_FAILURE() << texts[0] << "\n" << texts[1];
  }
}

TEST(ProjectFileTest, AnAmpersandThatStartsNoReferenceIsKept) {
  for (XmlBackend backend : Backends()) {
    SCOPED_TRACE(BackendName(backend));
    HostTree tree;
    std::string err;
    ASSERT_EQ(ParseProject("<CorvaneProject a=\"&bogus; &#x41;&#66;&amp;&lt; & x\"/>", backend,
                           &tree, &err),
              LoadStatus::kOkay)
        << err;
    EXPECT_STREQ(GetAttributeText(tree.root(), "a"), "&bogus; AB&< & x");
  }
}

TEST(ProjectFileTest, AFileCutAnywhereIsRefused) {
  HostTree sample;
  FillSample(&sample);
  std::string xml, err;
  ASSERT_TRUE(SerializeProject(sample.root(), DefaultXmlBackend(), &xml, &err));
  // Only the closing tag's line end may go; any shorter cut loses markup.
  const size_t complete = xml.rfind('>') + 1;
  for (XmlBackend backend : Backends()) {
    SCOPED_TRACE(BackendName(backend));
    for (size_t cut = 0; cut < complete; ++cut) {
      HostTree tree;
      ASSERT_EQ(ParseProject(xml.substr(0, cut), backend, &tree, &err), LoadStatus::kNotProject)
          << "cut at " << cut;
    }
  }
}

TEST(ProjectFileTest, ErrorsNameTheLineAndColumn) {
  std::string err;
  HostTree tree;
  ParseProject("<CorvaneProject>\n  <Files>\n  </Filez>\n</CorvaneProject>\n", XmlBackend::kBuiltin,
               &tree, &err);
  EXPECT_NE(err.find("line 3"), std::string::npos) << err;
}

TEST(ProjectFileTest, LoadingAMissingFileSaysSo) {
  test::ScopedTempDir dir;
  HostTree tree;
  std::string err;
  EXPECT_EQ(LoadProjectFile(dir.path() + "none.cvproj", &tree, &err), LoadStatus::kNotFound);
  EXPECT_NE(err.find("none.cvproj"), std::string::npos);
}

TEST(ProjectFileTest, SaveAndLoadThroughTheDisk) {
  test::ScopedTempDir dir;
  HostTree sample;
  FillSample(&sample);
  const std::string path = dir.path() + "p.cvproj";
  std::string err;
  ASSERT_TRUE(SaveProjectFile(path, sample, &err)) << err;
  ASSERT_TRUE(SaveProjectFile(path, sample, &err)) << err;  // replacing works too
  HostTree loaded;
  ASSERT_EQ(LoadProjectFile(path, &loaded, &err), LoadStatus::kOkay) << err;
  EXPECT_EQ(Dump(loaded.root()), Dump(sample.root()));
  EXPECT_EQ(FilesWithSuffix(dir.path(), ".cvproj"), std::vector<std::string>{"p.cvproj"});
}

// Makes the next write of the project file fail for real: past a file
// size limit on POSIX; on Windows the old file is held open without
// delete sharing, so it cannot be replaced.
class FailingWrite {
 public:
  explicit FailingWrite(const std::string& path) {
#if defined(_WIN32)
    held_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
#else
    (void)path;  // the limit holds for every file
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &limited);
#endif
  }
  ~FailingWrite() {
#if defined(_WIN32)
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
#else
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_);
#endif
  }

 private:
#if defined(_WIN32)
  HANDLE held_ = INVALID_HANDLE_VALUE;
#else
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
#endif
};

TEST(ProjectFileTest, AFailedWriteLeavesTheOldFile) {
  test::ScopedTempDir dir;
  const std::string path = dir.path() + "p.cvproj";
  const std::string old_text = "<CorvaneProject Name=\"old\" />\n";
  std::string err;
  ASSERT_TRUE(WriteWholeFile(path, old_text, &err));
  HostTree sample;
  FillSample(&sample);
  {
    FailingWrite failing(path);
    EXPECT_FALSE(SaveProjectFile(path, sample, &err));
  }
  EXPECT_FALSE(err.empty());
  std::string now;
  ASSERT_EQ(ReadWholeFile(path, &now, &err), ReadStatus::kOkay);
  EXPECT_EQ(now, old_text);
  // No temporary file is left behind.
  EXPECT_EQ(FilesWithSuffix(dir.path(), ""), std::vector<std::string>{"p.cvproj"});
}

#if !defined(_WIN32)
TEST(ProjectFileTest, SavingThroughASymbolicLinkReplacesWhatItPointsAt) {
  test::ScopedTempDir dir;
  ASSERT_TRUE(CreateDirectories(dir.path() + "shared/real"));
  const std::string real = dir.path() + "shared/real/p.cvproj";
  std::string err;
  ASSERT_TRUE(WriteWholeFile(real, "<CorvaneProject Name=\"old\" />\n", &err));
  // A link to a link, the first relative to its own folder.
  ASSERT_EQ(symlink("real/p.cvproj", (dir.path() + "shared/hop.cvproj").c_str()), 0);
  ASSERT_EQ(symlink((dir.path() + "shared/hop.cvproj").c_str(), (dir.path() + "p.cvproj").c_str()),
            0);
  HostTree sample;
  FillSample(&sample);
  ASSERT_TRUE(SaveProjectFile(dir.path() + "p.cvproj", sample, &err)) << err;

  struct stat st;
  ASSERT_EQ(lstat((dir.path() + "p.cvproj").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(lstat((dir.path() + "shared/hop.cvproj").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  HostTree loaded;
  ASSERT_EQ(LoadProjectFile(real, &loaded, &err), LoadStatus::kOkay) << err;
  EXPECT_STRNE(GetAttributeText(loaded.root(), "Name"), "old");
  // Nothing left beside the link or the target.
  EXPECT_EQ(FilesWithSuffix(dir.path() + "shared/real", ""), std::vector<std::string>{"p.cvproj"});
}
#endif

}  // namespace
}  // namespace c51::host
