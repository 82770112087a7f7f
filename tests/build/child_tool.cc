// A stand-in tool for the process tests and the runner benchmark. It works
// through its arguments from left to right:
//   out N | err N          N bytes of 'o' to standard output / 'e' to error
//   interleave N CHUNK     N bytes to each stream, CHUNK at a time, error first
//   say-out TEXT | say-err TEXT
//                          TEXT, with "~" as a line end ("\r\n" on the pipe,
//                          as a Windows program writes it)
//   bytes                  every byte value but the line feed, which the
//                          Windows C runtime's text mode would widen
//   cat FILE               the file's bytes (a relative FILE shows the
//                          working folder)
//   env NAME               the variable's value, or "<unset>"
//   echo ARG...            every further argument as "<ARG>"; stops there
//   exit N                 ends with exit code N
//   crash                  ends by a segmentation fault signal
// Only the standard library: the same source builds for every platform.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Write(std::FILE* stream, const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

// Filled once per byte value: a tool that writes in small pieces should
// cost the reader its wake-ups, not the writer a fresh block per piece.
const std::string& Block(char fill) {
  static std::string blocks[256];
  std::string& block = blocks[static_cast<unsigned char>(fill)];
  if (block.empty()) block.assign(1 << 20, fill);
  return block;
}

void WriteCount(std::FILE* stream, char fill, long long count) {
  const std::string& block = Block(fill);
  for (; count > 0; count -= static_cast<long long>(block.size())) {
    std::fwrite(block.data(), 1,
                count < static_cast<long long>(block.size()) ? count : block.size(), stream);
  }
  std::fflush(stream);
}

std::string LineEnds(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '~') {
      out += *p;
      continue;
    }
#ifdef _WIN32
    out += '\n';  // text mode writes "\r\n"
#else
    out += "\r\n";
#endif
  }
  return out;
}

long long Number(const char* text) {
  return std::strtoll(text, nullptr, 10);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* action = argv[i];
    const char* arg = i + 1 < argc ? argv[i + 1] : "";
    if (std::strcmp(action, "out") == 0) {
      WriteCount(stdout, 'o', Number(arg));
      ++i;
    } else if (std::strcmp(action, "err") == 0) {
      WriteCount(stderr, 'e', Number(arg));
      ++i;
    } else if (std::strcmp(action, "interleave") == 0) {
      long long total = Number(arg);
      long long chunk = i + 2 < argc ? Number(argv[i + 2]) : 1;
      if (chunk < 1) chunk = 1;
      for (long long done = 0; done < total; done += chunk) {
        long long n = total - done < chunk ? total - done : chunk;
        WriteCount(stderr, 'e', n);
        WriteCount(stdout, 'o', n);
      }
      i += 2;
    } else if (std::strcmp(action, "say-out") == 0) {
      Write(stdout, LineEnds(arg));
      ++i;
    } else if (std::strcmp(action, "say-err") == 0) {
      Write(stderr, LineEnds(arg));
      ++i;
    } else if (std::strcmp(action, "bytes") == 0) {
      std::string all;
      for (int c = 0; c < 256; ++c) {
        if (c != '\n') all += static_cast<char>(c);
      }
      Write(stdout, all);
    } else if (std::strcmp(action, "cat") == 0) {
      std::string contents;
      if (std::FILE* file = std::fopen(arg, "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) contents.append(buffer, n);
        std::fclose(file);
      } else {
        contents = "<missing>";
      }
      Write(stdout, contents);
      ++i;
    } else if (std::strcmp(action, "env") == 0) {
      const char* value = std::getenv(arg);
      Write(stdout, value ? value : "<unset>");
      ++i;
    } else if (std::strcmp(action, "echo") == 0) {
      std::string all;
      for (int k = i + 1; k < argc; ++k) all += std::string("<") + argv[k] + ">";
      Write(stdout, all);
      break;
    } else if (std::strcmp(action, "exit") == 0) {
      std::fflush(nullptr);
      return static_cast<int>(Number(arg));
    } else if (std::strcmp(action, "crash") == 0) {
      std::fflush(nullptr);
      std::raise(SIGSEGV);
      return 99;  // not reached where the signal ends the program
    } else {
      Write(stderr, std::string("child_tool: unknown action ") + action);
      return 2;
    }
  }
  return 0;
}
