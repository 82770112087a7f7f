// The tool runs of a file's translation as one job, and the queue that runs
// the jobs of a walk side by side: the walk plans each job (names, command
// lines, the lines shown before each run), a thread runs its tools and
// filters their output, and the build's thread reports what each job found
// in walk order, so that the host receives the same lines, counts and
// message boxes as when the files were translated one after another.
#ifndef C51_BUILD_TRANSLATION_JOBS_H_
#define C51_BUILD_TRANSLATION_JOBS_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_set>
#include <utility>

#include "build/job_pool.h"
#include "build/output_filter.h"
#include "build/tool_runner.h"

namespace c51 {

struct PluginState;

// The environment variable that sets how many tool runs of a build may
// overlap, read when a build starts: "4" lets four files translate at once.
// Missing, empty or anything but a positive decimal number means 1, the
// files one after another; numbers above kMaxBuildJobs count as that.
inline constexpr const char* kBuildJobsVariable = "C51_BUILD_JOBS";
inline constexpr int kMaxBuildJobs = 64;

// The variable's value as a number of jobs:
//   "4" => 4;  "" => 1;  "0" => 1;  "-2" => 1;  "3x" => 1;  "1000" => 64
int ParseBuildJobs(const std::string& text);
// The number the variable sets now (1 when it is not set).
int BuildJobsSetting();

// One tool run of a job.
struct ToolStep {
  std::string header;  // the line shown before it runs: "compiling main.c..."
  std::string command;
  MessageLayout layout = MessageLayout::kC51;
  // A failed run removes the job's object: it may have left a cut one. (A
  // compile to assembly writes none.)
  bool makes_object = true;
  // The outcome, once the step ran: the tool run (its `output` emptied, as
  // the text went with the slot's next run) and the filtered lines.
  ToolRun run;
  FilterResult filtered;
};

// A file's translation: one run, or a compile to assembly and the
// assembly of what it made. The second runs only when the first succeeded.
struct TranslationJob {
  std::string working_dir;  // where the tools run (ToolWorkingDirectory)
  ToolStep steps[2];
  int step_count = 1;
  std::string object;         // absolute path of the object the job makes
  std::string record_object;  // the same object as the up-to-date check names it
  std::string record_name;    // the object's name in the command record
  uint64_t fingerprint = 0;   // of the commands, recorded when the job made the object

  // Filled as the results are reported on the build's thread.
  int failed_step = -1;  // -1: none failed
};

// Runs the job's steps with `slot`. What it publishes, in order: the
// outcome of step 0, the header of step 1 when that step runs, its outcome
// (the header of step 0 is ready before the job starts). Touches nothing
// but the job and the slot.
void RunTranslationJob(TranslationJob* job, ToolSlot* slot, const JobPool::Publish& publish);

// The jobs of one walk (or of one single-file translation).
class TranslationQueue {
 public:
  // Up to `jobs` tool runs at once; StopBuild reaches every one of them.
  TranslationQueue(PluginState* state, int jobs);
  // Waits for the jobs still running and reports them.
  ~TranslationQueue();
  TranslationQueue(const TranslationQueue&) = delete;
  TranslationQueue& operator=(const TranslationQueue&) = delete;

  // Starts `job` once a tool run may start: before, its object is removed
  // and forgotten in the command record, as before any translation. False,
  // nothing done, when a stop request came while it had to wait: no job
  // starts after one.
  //
  // After a stop request the jobs whose lines would come after it are
  // dropped unseen once they end (interrupted, as every running tool is):
  // their objects are removed and forgotten, so the next build translates
  // them. A stopped build thus shows what it would have shown with the
  // files translated one after another, and no more.
  bool Submit(TranslationJob job);
  // Waits for every job submitted and reports them: before whatever must
  // not overlap them (a user command, a job making the same files).
  void Drain();

 private:
  void Take(size_t index, int published, bool done);
  // The step's outcome reported as RunCompilerTool reports a run.
  bool Report(const ToolStep& step);
  void Finish(const TranslationJob& job);

  // A job as it waits to be reported, and whether the host has seen it
  // begin: set by whichever side comes first, the report of its header
  // (kSeen) or a thread that takes it up after a stop request (kSkipped).
  enum Phase { kUnseen, kSeen, kSkipped };
  struct Queued {
    explicit Queued(TranslationJob j) : job(std::move(j)) {}
    TranslationJob job;
    std::atomic<int> phase{kUnseen};
  };

  PluginState* state_;
  std::deque<Queued> jobs_;  // submitted and not finished, oldest first
  size_t first_ = 0;         // the pool's index of jobs_.front()
  int taken_ = 0;            // results of jobs_.front() reported so far
  bool dropping_ = false;    // jobs_.front() is dropped, not reported
  static constexpr size_t kNone = ~size_t{0};
  size_t starting_ = kNone;                  // the pool's index of the job Submit is starting
  bool stopped_by_output_ = false;           // a line of an earlier job brought the stop request
  std::unordered_set<std::string> running_;  // their record names
  JobPool pool_;                             // last: its threads end first
};

}  // namespace c51

#endif  // C51_BUILD_TRANSLATION_JOBS_H_
