#include "build/job_pool.h"

#include <system_error>
#include <utility>

namespace c51 {
namespace {

// Finished jobs a slow one may hold back, per thread: enough for the others
// to go on past a file that takes several times as long as the rest, few
// enough that what they wrote stays small.
constexpr size_t kWindowPerThread = 8;

bool StartThread(std::function<void()> body, std::thread* thread) {
  try {
    *thread = std::thread(std::move(body));
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace

JobPool::JobPool(int threads, ProcessControl* leader, Take take, ThreadStarter starter)
    : take_(std::move(take)), leader_(leader) {
  if (starter == nullptr) starter = StartThread;
  if (threads >= 2) {
    for (int i = 0; i < threads; ++i) {
      auto slot = std::make_unique<ToolSlot>();
      ToolSlot* serving = slot.get();
      std::thread thread;
      // A thread the system refuses leaves the pool with fewer; with none
      // it runs the jobs itself.
      if (!starter([this, serving] { Serve(serving); }, &thread)) break;
      slots_.push_back(std::move(slot));
      threads_.push_back(std::move(thread));
    }
  }
  if (threads_.empty()) slots_.push_back(std::make_unique<ToolSlot>());
  // The one thread started cannot overlap anything with the caller
  // waiting; it still runs the jobs, which costs nothing.
  window_ = threads_.empty() ? 1 : kWindowPerThread * threads_.size();
  for (const auto& slot : slots_) controls_.push_back(&slot->control);
  if (leader_ != nullptr) leader_->SetFollowers(controls_.data(), controls_.size());
}

JobPool::~JobPool() {
  Finish();
  // No program runs now; the list goes with the slots below.
  if (leader_ != nullptr) leader_->ClearFollowers();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
  }
  work_ready_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void JobPool::Serve(ToolSlot* slot) {
  for (;;) {
    Handed handed;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      work_ready_.wait(lock, [this] { return ending_ || !handed_.empty(); });
      if (handed_.empty()) return;
      handed = std::move(handed_.front());
      handed_.pop_front();
    }
    Job* job = handed.job;
    const Publish publish = [this, job] {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        ++job->published;
      }
      progress_.notify_all();
    };
    handed.work(slot, publish);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job->done = true;
      --busy_;
    }
    progress_.notify_all();
  }
}

bool JobPool::HeadHasNews() const {
  if (jobs_.empty()) return false;
  const Job& head = jobs_.front();
  return head.done || head.published > head.taken;
}

void JobPool::TakeReady() {
  for (;;) {
    size_t index;
    int published;
    bool done;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!HeadHasNews()) return;
      const Job& head = jobs_.front();
      index = head.index;
      published = head.published;
      done = head.done;
    }
    // Without the lock: taking may call out of the plug-in (the host's
    // output), and the jobs' threads go on meanwhile. Only this thread
    // removes jobs, so the head stays.
    take_(index, published, done);
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.front().taken = published;
    if (done) jobs_.pop_front();
  }
}

bool JobPool::WaitForRoom() {
  bool waited = false;
  for (;;) {
    TakeReady();
    std::unique_lock<std::mutex> lock(mutex_);
    const auto room = [this] {
      return busy_ < static_cast<int>(threads_.size()) && jobs_.size() < window_;
    };
    if (threads_.empty() || room()) return waited;
    progress_.wait(lock, [&] { return HeadHasNews() || room(); });
    waited = true;
  }
}

void JobPool::Start(int published, Work work) {
  Job* job;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(Job{started_++, published});
    job = &jobs_.back();
  }
  // The first results (what the job is about to do) go out before it runs
  // when nothing earlier holds them back, as they did when jobs ran one
  // after another.
  TakeReady();
  if (threads_.empty()) {
    const Publish publish = [this, job] {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        ++job->published;
      }
      TakeReady();
    };
    work(slots_.front().get(), publish);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job->done = true;
    }
    TakeReady();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handed_.push_back(Handed{job, std::move(work)});
    ++busy_;
  }
  work_ready_.notify_one();
}

void JobPool::Finish() {
  for (;;) {
    TakeReady();
    std::unique_lock<std::mutex> lock(mutex_);
    if (jobs_.empty()) return;
    progress_.wait(lock, [this] { return HeadHasNews(); });
  }
}

}  // namespace c51
