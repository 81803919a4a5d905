#include "interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "jobs/exit_status.h"

namespace lg81xx::cli {
namespace {

// What the handler touches: lock-free atomics only.
std::atomic<JobContext*> g_jobs{nullptr};
std::atomic<int> g_interrupts{0};
static_assert(std::atomic<JobContext*>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

struct sigaction g_previous {};

void on_interrupt(int) {
  if (g_interrupts.fetch_add(1) > 0) _exit(kInterrupted);
  if (JobContext* jobs = g_jobs.load()) jobs->request_cancel();
}

}  // namespace

CancelOnInterrupt::CancelOnInterrupt(JobContext& jobs) {
  g_interrupts.store(0);
  g_jobs.store(&jobs);
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // the port's reads and writes go on; the link checks the request
  sigaction(SIGINT, &action, &g_previous);
}

CancelOnInterrupt::~CancelOnInterrupt() {
  sigaction(SIGINT, &g_previous, nullptr);
  g_jobs.store(nullptr);
}

}  // namespace lg81xx::cli
