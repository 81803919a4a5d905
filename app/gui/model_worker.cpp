#include "model_worker.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <exception>

#include "session_recording.h"
#include "shell/window_model.h"
#include "threaded_ui.h"

namespace lg81xx::gui {

ModelWorker::ModelWorker(QObject& gui_context, UserInterface& gui_ui, BackendFactory backend,
                         std::filesystem::path home, SnapshotSink on_snapshot)
    : gui_context_(gui_context), gui_ui_(gui_ui), on_snapshot_(std::move(on_snapshot)), worker_context_(new QObject) {
  thread_.setObjectName(QStringLiteral("lg81xx worker"));
  worker_context_->moveToThread(&thread_);
  thread_.start();
  QMetaObject::invokeMethod(
      worker_context_,
      [this, backend = std::move(backend), home = std::move(home)] {
        backend_ = backend();
        ui_ = std::make_unique<ThreadedUi>(
            gui_context_, gui_ui_, [this] { publish(); }, dialog_wait_, [this] { model_->keep_alive_tick(); });
        model_ = std::make_unique<WindowModel>(
            Platform{*backend_.port, *backend_.clock, *ui_, *backend_.archiver, *backend_.files}, home);
        recorder_ = window_recorder();
        record_sessions(model_->phone().link(), *backend_.clock, *recorder_);
        const std::lock_guard lock(live_mutex_);
        live_model_ = model_.get();
      },
      Qt::QueuedConnection);
}

ModelWorker::~ModelWorker() { stop(); }

void ModelWorker::post(Job job, SnapshotSink done) {
  QMetaObject::invokeMethod(
      worker_context_,
      [this, job = std::move(job), done = std::move(done)] {
        // A handler that throws must not take the thread down, nor leave the window
        // waiting for a job that never ends.
        try {
          job(*model_);
        } catch (const std::exception& e) {
          qWarning("lg81xx: job ended with an exception: %s", e.what());
        }
        if (!done) return;
        auto snapshot = take_snapshot(*model_, inputs_seen_);
        QMetaObject::invokeMethod(
            &gui_context_, [done, snapshot = std::move(snapshot)] { done(snapshot); }, Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
}

void ModelWorker::input(Job edit) {
  ++inputs_sent_;
  post([this, edit = std::move(edit)](WindowModel& model) {
    ++inputs_seen_;
    edit(model);
  });
}

void ModelWorker::publish() {
  auto snapshot = take_snapshot(*model_, inputs_seen_);
  QMetaObject::invokeMethod(
      &gui_context_, [sink = on_snapshot_, snapshot = std::move(snapshot)] { sink(snapshot); }, Qt::QueuedConnection);
}

void ModelWorker::request_cancel() {
  const std::lock_guard lock(live_mutex_);
  if (live_model_ != nullptr) live_model_->request_cancel();
}

void ModelWorker::forget_cancel() {
  const std::lock_guard lock(live_mutex_);
  if (live_model_ != nullptr) live_model_->forget_cancel();
}

void ModelWorker::stop() {
  if (!thread_.isRunning()) return;
  QMetaObject::invokeMethod(
      worker_context_,
      [this] {
        {
          const std::lock_guard lock(live_mutex_);
          live_model_ = nullptr;
        }
        model_.reset();
        ui_.reset();
        backend_ = {};
        QThread::currentThread()->quit();
      },
      Qt::QueuedConnection);
  // A job still running may be waiting for a dialog on this thread: keep serving it.
  while (!thread_.wait(10)) QCoreApplication::processEvents();
  delete worker_context_;
  worker_context_ = nullptr;
}

}  // namespace lg81xx::gui
