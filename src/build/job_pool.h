// Jobs run side by side on a few threads, each thread with a tool slot of
// its own, while their results are taken on the caller's thread in the
// order the jobs were started: what a build shows does not depend on how
// many threads ran it or which job ended first.
#ifndef C51_BUILD_JOB_POOL_H_
#define C51_BUILD_JOB_POOL_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "build/tool_runner.h"

namespace c51 {

// Starts `body` on a new thread held in `*thread`; false when the system
// refused one. The pool's own starts std::thread.
using ThreadStarter = bool (*)(std::function<void()> body, std::thread* thread);

class JobPool {
 public:
  // Tells what a job's results so far are: called after the job wrote
  // them. They are read on the caller's thread from then on, and the job
  // must not change them again.
  using Publish = std::function<void()>;
  // A job's work, on whichever thread runs it, with that thread's slot.
  using Work = std::function<void(ToolSlot* slot, const Publish& publish)>;
  // On the caller's thread, job after job in the order of Start: job
  // `index` (0 for the first started) has `published` results ready,
  // more than at its last call (its first call may have none); `done`
  // says it ended, which makes this its last call.
  using Take = std::function<void(size_t index, int published, bool done)>;

  // Up to `threads` threads, fewer when the system refuses more. With fewer
  // than two, or when no thread starts, every job runs inside Start on the
  // caller's thread, as a build did before it ran jobs side by side. While
  // the pool lives, every Stop of `leader` (null: none) also reaches the
  // program each slot runs.
  JobPool(int threads, ProcessControl* leader, Take take, ThreadStarter starter = nullptr);
  // Waits for every job and takes its results, then ends the threads.
  ~JobPool();
  JobPool(const JobPool&) = delete;
  JobPool& operator=(const JobPool&) = delete;

  // The threads running jobs; 0 when jobs run inside Start.
  int threads() const { return static_cast<int>(threads_.size()); }
  // Jobs started and not yet taken to the end, at most: a slow job holds
  // back the results of those after it, so the others stop this far ahead.
  size_t window() const { return window_; }

  // Waits, taking results meanwhile, until a thread is free for the next
  // job and the window has room. True when it had to wait.
  bool WaitForRoom();
  // Starts the next job, whose first `published` results are ready now:
  // they are taken before its work begins when every earlier job has been
  // taken. Call WaitForRoom first.
  void Start(int published, Work work);
  // Waits for every job started and takes all their results.
  void Finish();

  // The slot of the jobs run inside Start, which a caller may keep memory
  // in from one pool to the next.
  ToolSlot* inline_slot() { return slots_.front().get(); }

 private:
  struct Job {
    size_t index;
    int published = 0;
    int taken = 0;
    bool done = false;
  };
  struct Handed {
    Job* job;
    Work work;
  };

  void Serve(ToolSlot* slot);
  // Takes what the first jobs have ready, in order.
  void TakeReady();
  bool HeadHasNews() const;  // with mutex_ held

  Take take_;
  ProcessControl* leader_;
  std::vector<std::unique_ptr<ToolSlot>> slots_;  // one per thread, or the inline one
  std::vector<ProcessControl*> controls_;         // the slots' controls, for `leader_`
  std::vector<std::thread> threads_;
  size_t window_ = 1;
  size_t started_ = 0;

  std::mutex mutex_;
  std::condition_variable work_ready_;  // a job was handed over, or the pool ends
  std::condition_variable progress_;    // a job published or ended
  // Jobs started and not taken to the end, oldest first. Only the caller's
  // thread adds and removes; a deque keeps the others where they are.
  std::deque<Job> jobs_;
  std::deque<Handed> handed_;  // jobs no thread has taken up yet
  int busy_ = 0;               // jobs handed over and not ended
  bool ending_ = false;
};

}  // namespace c51

#endif  // C51_BUILD_JOB_POOL_H_
