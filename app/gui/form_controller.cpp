#include "form_controller.h"

#include "connection_group.h"
#include "files_tab.h"
#include "java_tab.h"
#include "jobs/messages.h"
#include "link/port_names.h"
#include "main_window.h"
#include "sounds_tab.h"
#include "text_codec.h"

#include <QPushButton>

namespace lg81xx::gui {

FormController::FormController(MainWindow& window, UserInterface& gui_ui, BackendFactory backend,
                               std::filesystem::path home)
    : window_(window),
      gui_ui_(gui_ui),
      worker_(*this, gui_ui, std::move(backend), std::move(home), [this](const FormSnapshot& s) { show(s); }) {
  timer1_.setInterval(Form1::kKeepAliveIntervalMs);
  connect(&timer1_, &QTimer::timeout, this, &FormController::tick);
  bind_window();
}

FormController::~FormController() {
  timer1_.stop();
  window_.may_close = nullptr;
  worker_.post([](Form1& form) { form.hang_up(); });  // the phone is told the session ends
  worker_.stop();
}

void FormController::load(std::function<void(StartResult)> done) {
  auto result = std::make_shared<StartResult>(StartResult::fatal);
  ++jobs_running_;
  window_.set_job_running(true);
  worker_.post([result](Form1& form) { *result = form.start_up(); },
               [this, result, done = std::move(done)](const FormSnapshot& s) {
                 job_done(s);
                 if (*result == StartResult::ok) timer1_.start();
                 if (done) done(*result);
               });
}

void FormController::offer_ports(const std::vector<PortInfo>& ports) {
  std::vector<std::string> cables, others;
  for (const auto& port : ports)
    (is_phone_cable(port) ? cables : others).push_back(port_item(port.device, port.description));
  run_job([cables, others](Form1& form) {
    form.offer_first(cables);
    form.offer_ports(others);
  });
}

void FormController::run_job(FormWorker::Job job) {
  ++jobs_running_;
  window_.set_job_running(true);
  worker_.post(std::move(job), [this](const FormSnapshot& s) { job_done(s); });
}

void FormController::user_job(JobResult (Form1::*handler)(), Stoppable stoppable) {
  if (job_running()) return;  // one exchange at a time; a second click is not taken
  worker_.forget_cancel();
  run_job([handler](Form1& form) { (form.*handler)(); });
  if (stoppable == Stoppable::yes) window_.show_cancel(true);
}

void FormController::cancel_job() {
  if (job_running()) worker_.request_cancel();
}

void FormController::tick() {
  // The keep-alive only goes out between jobs, never queued behind one.
  if (job_running() || tick_pending_) return;
  tick_pending_ = true;
  worker_.post([](Form1& form) { form.keep_alive_tick(); },
               [this](const FormSnapshot& s) {
                 tick_pending_ = false;
                 show(s);
               });
}

void FormController::show(const FormSnapshot& s) { window_.show_state(s, s.inputs_seen == worker_.inputs_sent()); }

void FormController::job_done(const FormSnapshot& s) {
  --jobs_running_;
  show(s);
  if (job_running()) return;
  // A job that ended early may leave the busy pointer on; the window is usable again.
  gui_ui_.set_busy_pointer(false);
  window_.show_cancel(false);
  window_.set_job_running(false);
  emit idle();
  if (close_when_idle_) window_.close();
}

void FormController::bind_window() {
  auto& connection = window_.connection();
  connect(&connection, &ConnectionGroup::model_edited, this,
          [this](const QString& text) { worker_.input([t = from_qt(text)](Form1& f) { f.choose_model(t); }); });
  connect(&connection, &ConnectionGroup::port_edited, this,
          [this](const QString& text) { worker_.input([t = from_qt(text)](Form1& f) { f.choose_port(t); }); });
  connect(&connection, &ConnectionGroup::connect_clicked, this, [this] { user_job(&Form1::connect_or_disconnect); });
  connect(&connection, &ConnectionGroup::fast_toggled, this,
          [this](bool fast) { worker_.input([fast](Form1& f) { f.set_fast(fast); }); });

  auto& java = window_.java_tab();
  // The position is checked on every change the user makes, as the window does.
  connect(&java, &JavaTab::position_edited, this,
          [this](const QString& text) { worker_.input([t = from_qt(text)](Form1& f) { f.set_position_text(t); }); });
  connect(&java, &JavaTab::nokia_toggled, this,
          [this](bool ticked) { worker_.input([ticked](Form1& f) { f.set_nokia(ticked); }); });
  connect(&java, &JavaTab::load_clicked, this, [this] { user_job(&Form1::load_application); });
  connect(&java, &JavaTab::install_clicked, this, [this] { user_job(&Form1::install_application, Stoppable::yes); });
  connect(&java, &JavaTab::probe_clicked, this, [this] { user_job(&Form1::probe_message_tone); });

  auto& sounds = window_.sounds_tab();
  connect(&sounds, &SoundsTab::sound_selected, this,
          [this](const QString& name) { worker_.input([n = from_qt(name)](Form1& f) { f.select_sound(n); }); });
  connect(&sounds, &SoundsTab::replace_clicked, this, [this] { user_job(&Form1::replace_sound, Stoppable::yes); });

  auto& files = window_.files_tab();
  connect(&files, &FilesTab::folder_selected, this,
          [this](int row) { worker_.input([row](Form1& f) { f.select_folder(row); }); });
  connect(&files, &FilesTab::entry_selected, this,
          [this](int row) { worker_.input([row](Form1& f) { f.select_entry(row); }); });
  connect(&files, &FilesTab::entries_chosen, this,
          [this](const std::vector<int>& rows) { worker_.input([rows](Form1& f) { f.choose_entries(rows); }); });
  connect(&files, &FilesTab::folder_opened, this, [this] { user_job(&Form1::open_folder); });
  connect(&files, &FilesTab::download_clicked, this, [this] { user_job(&Form1::download_entry, Stoppable::yes); });
  connect(&files, &FilesTab::send_clicked, this, [this] { user_job(&Form1::send_file, Stoppable::yes); });
  connect(&window_.cancel_button(), &QPushButton::clicked, this, &FormController::cancel_job);

  window_.may_close = [this] {
    if (!job_running()) return true;
    if (close_when_idle_) return false;  // asked already: the window closes when the job ends
    const auto& question = catalogue(MessageId::cancel_on_close);
    if (!gui_ui_.ask(question.italian, question.title)) return false;
    if (!job_running()) return true;  // it ended while the question was open
    close_when_idle_ = true;
    cancel_job();
    return false;
  };
}

}  // namespace lg81xx::gui
