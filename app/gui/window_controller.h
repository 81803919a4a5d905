#pragma once
// Binds the window to the model: the user's clicks, menu entries and drops become handler
// jobs on the worker, edits become model changes, snapshots become what the window shows.
// The keep-alive timer lives here.
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <vector>

#include "model_worker.h"
#include "platform/qt/qt_serial_port.h"
#include "shell/window_model.h"

namespace lg81xx::gui {

class MainWindow;

class WindowController final : public QObject {
  Q_OBJECT
 public:
  WindowController(MainWindow& window, UserInterface& gui_ui, BackendFactory backend, std::filesystem::path home);
  ~WindowController() override;

  // The start-up on the worker; `done` gets its result on the GUI thread. The keep-alive
  // timer starts once the model is loaded, with the line held until a connect.
  void load(std::function<void(StartResult)> done);
  // Offers the detected serial ports, "device (description)": those on a phone cable
  // before the twenty "COM  n" items, the others after them; the connect opens the device
  // part.
  void offer_ports(const std::vector<PortInfo>& ports);
  // Runs `job` on the model as a job of the window (buttons disabled until it ends).
  void run_job(ModelWorker::Job job);
  bool job_running() const { return jobs_running_ > 0; }
  // "Annulla" (or the window closed during a job): the job under way stops after the
  // exchange it is in, closes the session and saves nothing partial.
  void cancel_job();

  // One tick of the keep-alive timer, for tests; the timer itself calls it every 3000 ms.
  // Between jobs it posts a keep-alive; during a job it reaches the handler only while that
  // waits for the user in a dialog or a box.
  void tick();
  QTimer& keep_alive_timer() { return keep_alive_timer_; }

 signals:
  void idle();  // the last running job has ended and its state is on screen

 private:
  void bind_window();
  void bind_drops();
  // The menu bar's entries, menu by menu in the order they show: one line each.
  void bind_menus();
  // A job the user starts; a transfer shows "Annulla" while it runs.
  enum class Stoppable { no, yes };
  void user_job(ModelWorker::Job job, Stoppable stoppable = Stoppable::no);
  void user_job(JobResult (WindowModel::*handler)(), Stoppable stoppable = Stoppable::no);
  void show(const WindowSnapshot& s);
  void job_done(const WindowSnapshot& s);

  MainWindow& window_;
  UserInterface& gui_ui_;
  ModelWorker worker_;
  QTimer keep_alive_timer_;
  int jobs_running_ = 0;
  bool tick_pending_ = false;
  bool close_when_idle_ = false;
};

}  // namespace lg81xx::gui
