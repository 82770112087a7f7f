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
//   out-lines N W | err-lines N W
//                          N lines of W bytes each, the line end included
//   ignore-int             from now on an interrupt (SIGINT) does not end it
//   touch FILE             makes FILE, so a test knows the tool got this far
//   hang                   waits until it is killed
//   spawn-hang             (POSIX) starts a copy of itself in its process group
//                          that holds both streams open and waits until killed
//   spawn-escape           (POSIX) the same, but the copy leaves the group, writes
//                          its process id and a line end, and ends by itself after
//                          a minute
// Only the standard library, but for the POSIX-only actions: the same
// source builds for every platform.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

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

// `count` lines of `width` bytes, "\r\n" included (text mode on Windows
// widens the "\n" it is given).
void WriteLines(std::FILE* stream, long long count, long long width) {
  std::string line(width > 2 ? static_cast<size_t>(width - 2) : 0, 'l');
#ifdef _WIN32
  line += '\n';
#else
  line += "\r\n";
#endif
  for (long long i = 0; i < count; ++i) std::fwrite(line.data(), 1, line.size(), stream);
  std::fflush(stream);
}

[[noreturn]] void Hang() {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

#ifndef _WIN32
// A copy of this program holding the standard streams open, in this
// process group or, `escape`, outside it.
void Spawn(bool escape) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!escape) Hang();
    // A test that failed before killing it does not leave it for ever.
    std::this_thread::sleep_for(std::chrono::minutes(1));
    _exit(0);
  }
  if (pid < 0 || !escape) return;
  // Out of the group before anyone hears of it.
  setpgid(pid, pid);
  Write(stdout, std::to_string(pid) + "\r\n");
}
#endif

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
    } else if (std::strcmp(action, "out-lines") == 0 || std::strcmp(action, "err-lines") == 0) {
      WriteLines(action[0] == 'o' ? stdout : stderr, Number(arg),
                 i + 2 < argc ? Number(argv[i + 2]) : 2);
      i += 2;
    } else if (std::strcmp(action, "ignore-int") == 0) {
      std::signal(SIGINT, SIG_IGN);
    } else if (std::strcmp(action, "touch") == 0) {
      if (std::FILE* file = std::fopen(arg, "wb")) std::fclose(file);
      ++i;
    } else if (std::strcmp(action, "hang") == 0) {
      std::fflush(nullptr);
      Hang();
#ifndef _WIN32
    } else if (std::strcmp(action, "spawn-hang") == 0 || std::strcmp(action, "spawn-escape") == 0) {
      Spawn(action[6] == 'e');
#endif
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
