#include "build/translation_jobs.h"

#include <utility>

#include "build/object_records.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "plugin/build_cache.h"
#include "plugin/state.h"
#include "project/host_services.h"

namespace c51 {
namespace {

bool StopRequested(const PluginState& state) {
  return state.build_continue.load() == 0;
}

}  // namespace

int ParseBuildJobs(const std::string& text) {
  if (text.empty()) return 1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 1;
    // Past the limit the rest only has to be digits.
    if (value <= kMaxBuildJobs) value = value * 10 + (c - '0');
  }
  if (value < 1) return 1;
  return value > kMaxBuildJobs ? kMaxBuildJobs : value;
}

int BuildJobsSetting() {
  std::string text;
  return GetEnv(kBuildJobsVariable, &text) ? ParseBuildJobs(text) : 1;
}

void RunTranslationJob(TranslationJob* job, ToolSlot* slot, const JobPool::Publish& publish) {
  for (int i = 0; i < job->step_count; ++i) {
    ToolStep& step = job->steps[i];
    // The next step's header goes out before it runs, as the one-file
    // build shows it.
    if (i > 0) publish();
    step.run = RunToolInSlot(slot, step.command, job->working_dir);
    step.filtered = FilterCompilerOutput(step.run.output, step.layout, job->working_dir);
    step.run.output = {};
    const bool succeeded = step.run.failure.empty() && step.filtered.success;
    publish();
    if (!succeeded) return;
  }
}

TranslationQueue::TranslationQueue(PluginState* state, int jobs)
    : state_(state),
      pool_(jobs, &state->tool_control,
            [this](size_t index, int published, bool done) { Take(index, published, done); }) {
  // The memory of the largest output so far serves the first thread.
  pool_.inline_slot()->capture = std::move(state_->caches().tool_capture);
}

TranslationQueue::~TranslationQueue() {
  pool_.Finish();
  state_->caches().tool_capture = std::move(pool_.inline_slot()->capture);
}

bool TranslationQueue::Submit(TranslationJob job) {
  // Files of one title share their object, listing and assembly names:
  // the later translation starts once the earlier one ended, as before.
  if (running_.count(job.record_name) != 0) Drain();
  if (pool_.WaitForRoom() && StopRequested(*state_)) return false;
  // A run that fails or is killed may leave a cut object behind: the object
  // goes before the run and again after a failed one, so that the file is
  // translated again next time, as make deletes a target whose recipe
  // failed.
  RemoveFile(job.object);
  state_->caches().commands.MarkStarting(job.record_name);
  running_.insert(job.record_name);
  Queued* queued = &jobs_.emplace_back(std::move(job));
  // Its header, shown here when nothing earlier holds it back, is the
  // walk's own step: the job runs whatever comes after, as a file the
  // one-file build began.
  starting_ = first_ + jobs_.size() - 1;
  pool_.Start(1, [this, queued](ToolSlot* slot, const JobPool::Publish& publish) {
    // Nobody has seen a job begin that has not shown its header: after a
    // stop request it need not run at all, as it will be dropped.
    int unseen = kUnseen;
    if (StopRequested(*state_) && queued->phase.compare_exchange_strong(unseen, kSkipped)) return;
    RunTranslationJob(&queued->job, slot, publish);
  });
  starting_ = kNone;
  return true;
}

void TranslationQueue::Drain() {
  pool_.Finish();
}

void TranslationQueue::Take(size_t index, int published, bool done) {
  Queued& queued = jobs_[index - first_];
  TranslationJob& job = queued.job;
  if (taken_ == 0 && !dropping_) {
    // A job whose header would come out after a stop request was started
    // ahead of the walk: a build that translated one file after another
    // would not have begun it. It is dropped unseen, so that a stopped
    // build shows what the one-file build shows, and whatever it made
    // goes. So is one that saw the request first and never ran.
    // The job Submit is starting was begun by the walk, which had found no
    // request: it runs, unless the request came from a line of an earlier
    // job shown only now, which the one-file build would have shown before
    // the walk looked.
    int unseen = kUnseen;
    dropping_ = ((index != starting_ || stopped_by_output_) && StopRequested(*state_)) ||
                !queued.phase.compare_exchange_strong(unseen, kSeen);
  }
  for (; taken_ < published && !dropping_; ++taken_) {
    const int step = taken_ / 2;
    const bool stopped_before = StopRequested(*state_);
    if (taken_ % 2 == 0) {
      if (state_->host != nullptr) state_->host->Output(job.steps[step].header.c_str(), 1);
    } else if (!Report(job.steps[step])) {
      job.failed_step = step;
    }
    if (!stopped_before && StopRequested(*state_)) stopped_by_output_ = true;
  }
  if (!done) return;
  if (dropping_) {
    RemoveFile(job.object);
    RecordObject(state_, job.record_object);
    state_->caches().commands.Forget(job.record_name);
  } else {
    Finish(job);
  }
  taken_ = 0;
  dropping_ = false;
  running_.erase(job.record_name);
  jobs_.pop_front();
  ++first_;
}

bool TranslationQueue::Report(const ToolStep& step) {
  ShowToolFailure(state_, step.run);
  const bool filtered = ReportFilterResult(state_, step.filtered);
  return ReportToolFailure(state_, step.run) && filtered;
}

void TranslationQueue::Finish(const TranslationJob& job) {
  state_->build.any_translated = true;
  const bool made = job.failed_step < 0;
  if (!made) {
    state_->build.ok = false;
    if (job.steps[job.failed_step].makes_object) RemoveFile(job.object);
  }
  // The records follow the object, which exists now made by these
  // commands, or was removed.
  RecordObject(state_, job.record_object);
  if (made) {
    state_->caches().commands.Set(job.record_name, job.fingerprint);
  } else {
    state_->caches().commands.Forget(job.record_name);
  }
}

}  // namespace c51
