// The pool that runs a build's translations side by side, with jobs that
// start no process: results taken in start order whatever order the jobs
// end in, the window a slow job holds the others to, a stop that reaches
// every thread's slot, and threads the system refuses.
#include "build/job_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace c51 {
namespace {

struct Taken {
  size_t index;
  int published;
  bool done;
  bool operator==(const Taken&) const = default;
};

void PrintTo(const Taken& t, std::ostream* os) {
  *os << "{" << t.index << ", " << t.published << ", " << (t.done ? "done" : "running") << "}";
}

// Spins until `ready` holds: the jobs here wait for each other, not for
// time to pass.
template <typename Ready>
void AwaitTrue(Ready ready) {
  while (!ready()) std::this_thread::yield();
}

// The calls a job of `results` results, taken to the end, must have given.
std::vector<Taken> WholeRun(size_t jobs, int results) {
  std::vector<Taken> calls;
  for (size_t i = 0; i < jobs; ++i) {
    for (int p = 1; p <= results; ++p) calls.push_back({i, p, false});
    calls.back().done = true;
  }
  return calls;
}

// Jobs of each group of `threads` end last first: the first of a group
// waits until the others ended. Each publishes two results after the one
// it starts with; calls that repeat a count (the done call) are merged.
std::vector<Taken> RunReversed(int threads, int refused_after, int* threads_started) {
  constexpr size_t kJobs = 48;
  std::vector<Taken> calls;
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<int> ended[kJobs] = {};
  std::atomic<bool> on_caller{false};
  static int s_refused_after;
  static int s_started;
  s_refused_after = refused_after;
  s_started = 0;
  ThreadStarter starter = nullptr;
  if (refused_after >= 0) {
    starter = [](std::function<void()> body, std::thread* thread) {
      if (s_started == s_refused_after) return false;
      ++s_started;
      *thread = std::thread(std::move(body));
      return true;
    };
  }
  {
    JobPool pool(
        threads, nullptr,
        [&](size_t index, int published, bool done) {
          if (!calls.empty() && calls.back().index == index &&
              calls.back().published == published) {
            calls.back().done = done;
          } else {
            calls.push_back({index, published, done});
          }
        },
        starter);
    *threads_started = pool.threads();
    const size_t group = pool.threads() < 2 ? 1 : static_cast<size_t>(pool.threads());
    for (size_t i = 0; i < kJobs; ++i) {
      pool.WaitForRoom();
      pool.Start(1, [&, i, group](ToolSlot*, const JobPool::Publish& publish) {
        if (std::this_thread::get_id() == caller) on_caller = true;
        if (i % group == 0) {
          AwaitTrue([&] {
            for (size_t j = i + 1; j < i + group && j < kJobs; ++j) {
              if (!ended[j]) return false;
            }
            return true;
          });
        }
        publish();
        publish();
        ended[i] = true;
      });
    }
  }
  EXPECT_EQ(on_caller.load(), *threads_started == 0);
  return calls;
}

TEST(JobPoolTest, ResultsAreTakenInStartOrderWhateverOrderJobsEndIn) {
  const struct {
    int threads;
    int refused_after;  // -1: the system's own starts
    int started;
  } cases[] = {
      {1, -1, 0},                                     // one after another, on the caller's thread
      {2, -1, 2}, {4, -1, 4}, {8, -1, 8}, {4, 2, 2},  // the third thread refused: two run the jobs
      {4, 0, 0},                                      // none: the caller runs them
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.threads) + " threads, refused after " +
                 std::to_string(c.refused_after));
    int started = -1;
    const std::vector<Taken> calls = RunReversed(c.threads, c.refused_after, &started);
    EXPECT_EQ(started, c.started);
    // Job by job: the header, each result as published, then the end; a
    // call may cover several results published before it was taken.
    const std::vector<Taken> expected = WholeRun(48, 3);
    size_t e = 0;
    for (const Taken& call : calls) {
      while (e < expected.size() &&
             !(expected[e].index == call.index && expected[e].published == call.published)) {
        ASSERT_FALSE(expected[e].done) << "job " << expected[e].index << " skipped its end";
        ++e;
      }
      ASSERT_LT(e, expected.size()) << "job " << call.index << " taken out of order";
      EXPECT_EQ(call.done, expected[e].done) << "job " << call.index;
      ++e;
    }
    EXPECT_EQ(e, expected.size());
  }
}

TEST(JobPoolTest, ASlowJobHoldsTheOthersToTheWindow) {
  std::atomic<size_t> started{0};
  std::atomic<bool> first_ended{false};
  size_t most_ahead = 0;  // jobs started while the first still ran
  size_t window = 0;
  {
    JobPool pool(2, nullptr, [](size_t, int, bool) {});
    window = pool.window();
    ASSERT_GT(window, 2u);
    for (size_t i = 0; i < 3 * window; ++i) {
      pool.WaitForRoom();
      if (!first_ended) most_ahead = started;
      pool.Start(0, [&, i](ToolSlot*, const JobPool::Publish&) {
        if (i != 0) return;
        // Ends once the window is full, and gives a pool that would go
        // past it the time to.
        AwaitTrue([&] { return started >= window; });
        for (int spin = 0; spin < 10000; ++spin) std::this_thread::yield();
        first_ended = true;
      });
      ++started;
    }
  }
  EXPECT_EQ(most_ahead, window - 1);
}

TEST(JobPoolTest, TheFirstResultsGoOutBeforeTheJobRunsWhenNothingHoldsThemBack) {
  std::vector<Taken> calls;
  std::atomic<size_t> taken{0};
  std::atomic<bool> release_first{false};
  constexpr size_t kNotRun = 99;
  std::atomic<size_t> taken_when_run[2] = {kNotRun, kNotRun};
  {
    JobPool pool(2, nullptr, [&](size_t index, int published, bool done) {
      calls.push_back({index, published, done});
      ++taken;
    });
    for (size_t i = 0; i < 2; ++i) {
      pool.WaitForRoom();
      pool.Start(1, [&, i](ToolSlot*, const JobPool::Publish&) {
        // What the caller had taken when the job began.
        taken_when_run[i] = taken.load();
        if (i == 0) AwaitTrue([&] { return release_first.load(); });
      });
    }
    // The second job's header waits for the first job's end.
    AwaitTrue([&] { return taken_when_run[1] != kNotRun; });
    release_first = true;
  }
  EXPECT_EQ(taken_when_run[0], 1u);
  EXPECT_EQ(taken_when_run[1], 1u);
  // Job 1 may have ended by the time its header is taken: then one call.
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], (Taken{0, 1, false}));
  EXPECT_EQ(calls[1], (Taken{0, 1, true}));
  EXPECT_EQ(calls.back(), (Taken{1, 1, true}));
}

TEST(JobPoolTest, AStopOfTheLeaderReachesEveryThreadsSlot) {
  ProcessControl leader;
  constexpr int kThreads = 3;
  std::atomic<int> running{0};
  std::atomic<bool> stopped{false};
  std::vector<int> stops(kThreads, -1);
  {
    JobPool pool(kThreads, &leader, [](size_t, int, bool) {});
    ASSERT_EQ(pool.threads(), kThreads);
    for (int i = 0; i < kThreads; ++i) {
      pool.WaitForRoom();
      pool.Start(0, [&, i](ToolSlot* slot, const JobPool::Publish&) {
        ++running;
        AwaitTrue([&] { return stopped.load(); });
        stops[i] = slot->control.stops();
      });
    }
    AwaitTrue([&] { return running == kThreads; });
    leader.Stop();
    stopped = true;
  }
  EXPECT_EQ(stops, std::vector<int>(kThreads, 1));
  // The slots are gone: the leader no longer reaches into them.
  leader.Stop();
  EXPECT_EQ(leader.stops(), 2);
}

}  // namespace
}  // namespace c51
