// The up-to-date benchmark's stand-in for every tool, run once per file by
// the build that records the commands its tree was made with. It runs in
// the tree's folder and makes what the real tool would, from the copies the
// benchmark kept:
//   a compiler run ("OBJECT(<folder>\<name>.obj)" among its arguments)
//       copies stash/<name in lower case> to Debug/;
//   a link ("@<command file>") writes the program Debug/bench;
//   anything else (the hex converter) writes Debug/bench.hex.
#include <cstdio>
#include <string>

namespace {

bool Copy(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (out == nullptr) {
    std::fclose(in);
    return false;
  }
  char buffer[8192];
  size_t n;
  bool ok = true;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    ok = ok && std::fwrite(buffer, 1, n, out) == n;
  }
  std::fclose(in);
  return std::fclose(out) == 0 && ok;
}

bool Write(const std::string& path, const char* text) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fputs(text, out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.compare(0, 7, "OBJECT(") == 0) {
      std::string name = arg.substr(7, arg.size() - 8);
      name = name.substr(name.find_last_of("\\/") + 1);  // npos + 1 == 0
      for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      }
      return Copy("stash/" + name, "Debug/" + name) ? 0 : 1;
    }
    if (arg[0] == '@') return Write("Debug/bench", "SIMABS 1\nEND\n") ? 0 : 1;
  }
  return Write("Debug/bench.hex", ":00000001FF\n") ? 0 : 1;
}
