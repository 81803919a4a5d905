#include "interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "jobs/exit_status.h"

namespace lg81xx::cli {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// What the handler touches: lock-free atomics only.
std::atomic<JobContext*> g_jobs{nullptr};
std::atomic<int> g_signal{0};
static_assert(std::atomic<JobContext*>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

struct sigaction g_previous[std::size(kStopSignals)]{};

void on_signal(int signal) {
  int none = 0;
  if (!g_signal.compare_exchange_strong(none, signal)) _exit(128 + signal);  // the second one
  if (JobContext* jobs = g_jobs.load()) jobs->request_cancel();
}

}  // namespace

CancelOnSignal::CancelOnSignal(JobContext& jobs) {
  g_signal.store(0);
  g_jobs.store(&jobs);
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  for (const int s : kStopSignals) sigaddset(&action.sa_mask, s);  // one handler at a time
  action.sa_flags = SA_RESTART;  // the port's reads and writes go on; the link looks at the cancel
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
    sigaction(kStopSignals[i], nullptr, &g_previous[i]);
    // A signal ignored from the start stays ignored: whoever started the command asked so
    // (nohup, a background job of a shell script).
    if (g_previous[i].sa_handler != SIG_IGN) sigaction(kStopSignals[i], &action, nullptr);
  }
}

CancelOnSignal::~CancelOnSignal() {
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) sigaction(kStopSignals[i], &g_previous[i], nullptr);
  g_jobs.store(nullptr);
}

int CancelOnSignal::signal() const { return g_signal.load(); }

int CancelOnSignal::exit_status(int status) const {
  const int s = signal();
  return status == kInterrupted && s != 0 ? 128 + s : status;
}

}  // namespace lg81xx::cli
