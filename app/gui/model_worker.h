#pragma once
// Runs the WindowModel on a thread of its own so that the window stays responsive while
// the jobs sleep and poll the port.
//
// How it works: one worker thread owns the backend (the serial port among it) and the
// WindowModel; every handler, every user edit of a text or selection and every keep-alive
// tick is posted to it as a job and runs there, one after another, so nothing can ever be
// written between a request and its reply. The GUI thread never touches the model:
// whenever the model repaints, and when each job ends, the worker copies what the window
// shows into a WindowSnapshot and posts the copy to the GUI thread. Dialogs and message
// boxes go the other way (ThreadedUi): the handler waits for the answer while the GUI thread
// runs the dialog, and the keep-alive timer's ticks still reach it meanwhile.
#include <QObject>
#include <QThread>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "backend.h"
#include "jobs/recorded_sessions.h"
#include "threaded_ui.h"
#include "window_snapshot.h"

namespace lg81xx {
class WindowModel;
class UserInterface;
}  // namespace lg81xx

namespace lg81xx::gui {

class ModelWorker final {
 public:
  using Job = std::function<void(WindowModel&)>;
  using SnapshotSink = std::function<void(const WindowSnapshot&)>;

  // `gui_context` and `gui_ui` live on the GUI thread; `on_snapshot` is called there with
  // every snapshot the model publishes while a job runs.
  ModelWorker(QObject& gui_context, UserInterface& gui_ui, BackendFactory backend, std::filesystem::path home,
              SnapshotSink on_snapshot);
  ~ModelWorker();
  ModelWorker(const ModelWorker&) = delete;
  ModelWorker& operator=(const ModelWorker&) = delete;

  // Runs `job` on the worker, then calls `done` on the GUI thread with the state after it.
  void post(Job job, SnapshotSink done = {});
  // A user edit: like post(), counted so that older snapshots do not undo it on screen.
  void input(Job edit);
  std::uint64_t inputs_sent() const { return inputs_sent_; }

  // From the GUI thread: the job under way stops after the exchange it is in
  // (WindowModel::request_cancel), without waiting for the worker.
  void request_cancel();
  // From the GUI thread, before a new job is posted: a cancel that came too late for the
  // job before it is dropped.
  void forget_cancel();
  // From the GUI thread, while a job runs: a keep-alive tick for the handler if it waits in
  // a dialog or a message box (the model sends it when the line is free). False when the
  // job is not waiting for the user.
  bool tick_while_waiting() { return dialog_wait_.tick(); }

  // Finishes the queued jobs, drops the model and the port on their thread, and stops.
  void stop();

 private:
  void publish();  // worker thread

  QObject& gui_context_;
  UserInterface& gui_ui_;
  DialogWait dialog_wait_;
  SnapshotSink on_snapshot_;
  QThread thread_;
  QObject* worker_context_;  // lives on thread_; target of the posted jobs

  // Owned and used by the worker thread only.
  Backend backend_;
  std::unique_ptr<ThreadedUi> ui_;
  std::unique_ptr<WindowModel> model_;
  std::unique_ptr<SessionRecorder> recorder_;  // what the model's phone says and hears, kept
  std::uint64_t inputs_seen_ = 0;

  // The model while it exists, for the cancel requests that come from the GUI thread.
  std::mutex live_mutex_;
  WindowModel* live_model_ = nullptr;

  // GUI thread only.
  std::uint64_t inputs_sent_ = 0;
};

}  // namespace lg81xx::gui
