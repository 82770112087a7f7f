// The Windows command-line rules, the bookkeeping of ProcessControl and
// the handling of kept output: only truly operating system independent
// code. Starting and stopping processes lives in posix/process.cc and
// win32/process.cc.
#include "platform/process.h"

#include <algorithm>
#include <thread>

#include "platform/process_output.h"

namespace c51 {

// Stop runs inside signal handlers.
static_assert(std::atomic<intptr_t>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<size_t>::is_always_lock_free);
static_assert(std::atomic<ProcessControl* const*>::is_always_lock_free);

void ProcessControl::Stop() {
  const int number = stops_.fetch_add(1) + 1;
  users_.fetch_add(1);
  Act(number);
  const size_t count = follower_count_.load();
  if (count > 0) {
    ProcessControl* const* followers = followers_.load();
    for (size_t i = 0; i < count; ++i) followers[i]->Stop();
  }
  users_.fetch_sub(1);
}

void ProcessControl::SetFollowers(ProcessControl* const* followers, size_t count) {
  ClearFollowers();
  followers_.store(followers);
  follower_count_.store(count);
}

void ProcessControl::ClearFollowers() {
  follower_count_.store(0);
  // A Stop that read the count before it was cleared may still walk the
  // list, which the caller is about to free.
  while (users_.load() != 0) std::this_thread::yield();
  followers_.store(nullptr);
}

void ProcessControl::Attach(intptr_t target, intptr_t wake) {
  wake_.store(wake);
  target_.store(target);
  // A request that came while the program was starting found nothing to
  // act on; it is applied now (twice at worst, which changes nothing).
  const int number = stops_.load();
  if (number > 0) {
    users_.fetch_add(1);
    Act(number);
    users_.fetch_sub(1);
  }
}

void ProcessControl::Detach() {
  target_.store(0);
  wake_.store(-1);
  // A Stop that read the values before they were withdrawn may still use
  // them; the caller is about to reap the program (its id may then be
  // reused) and close the wake pipe.
  while (users_.load() != 0) std::this_thread::yield();
}

size_t KeptLength(std::string_view kept, uint64_t* dropped) {
  if (*dropped == 0) return kept.size();
  const size_t end = kept.rfind('\n');
  if (end == std::string_view::npos) return kept.size();
  *dropped += kept.size() - (end + 1);
  return end + 1;
}

void AppendBounded(std::string* text, std::string_view more) {
  if (text->capacity() - text->size() >= more.size()) {
    text->append(more);
    return;
  }
  std::string joined;
  joined.reserve(text->size() + more.size());
  joined.append(*text);
  std::string().swap(*text);
  joined.append(more);
  text->swap(joined);
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(const std::string& line) {
  std::vector<std::string> args;
  const size_t n = line.size();
  if (n == 0) return args;

  // The program name takes no escapes: a quoted one ends at the next quote,
  // so "C:\dir\" is the folder itself, not an escaped quote.
  size_t i = 0;
  std::string program;
  if (line[0] == '"') {
    for (i = 1; i < n && line[i] != '"'; ++i) program += line[i];
    if (i < n) ++i;  // the closing quote
  } else {
    for (; i < n && !IsBlank(line[i]); ++i) program += line[i];
  }
  args.push_back(std::move(program));
  while (i < n && IsBlank(line[i])) ++i;

  std::string current;
  bool started = i < n;
  size_t backslashes = 0;  // directly before the current character
  int quotes = 0;          // 1 inside a quoted run; see the run of quotes below
  while (i < n) {
    char c = line[i];
    if (IsBlank(c) && quotes == 0) {
      args.push_back(std::move(current));
      current.clear();
      while (i < n && IsBlank(line[i])) ++i;
      started = i < n;
      backslashes = 0;
    } else if (c == '\\') {
      current += c;
      ++backslashes;
      ++i;
    } else if (c == '"') {
      // Cut, not resized: the backslashes are in `current`, but GCC 12 sees
      // a resize that could grow the text by a wrapped size and warns.
      if (backslashes % 2 == 0) {
        current.erase(current.size() - std::min(current.size(), backslashes / 2));
        ++quotes;
      } else {
        current.erase(current.size() - std::min(current.size(), backslashes / 2 + 1));
        current += '"';
      }
      backslashes = 0;
      ++i;
      // Quotes in a row count on from the one above: the third gives a
      // literal quote and leaves the run, so "" inside a run is one quote.
      for (; i < n && line[i] == '"'; ++i) {
        if (++quotes == 3) {
          current += '"';
          quotes = 0;
        }
      }
      if (quotes == 2) quotes = 0;
    } else {
      current += c;
      backslashes = 0;
      ++i;
    }
  }
  if (started) args.push_back(std::move(current));
  return args;
}

}  // namespace c51
