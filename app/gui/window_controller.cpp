#include "window_controller.h"

#include "about_box.h"
#include "connection_group.h"
#include "files_tab.h"
#include "java_tab.h"
#include "jobs/messages.h"
#include "link/port_names.h"
#include "main_menus.h"
#include "main_window.h"
#include "platform/posix/posix_system_probe.h"
#include "sounds_tab.h"
#include "support_actions.h"
#include "text_codec.h"

#include <QPushButton>

namespace lg81xx::gui {

WindowController::WindowController(MainWindow& window, UserInterface& gui_ui, BackendFactory backend,
                                   std::filesystem::path home)
    : window_(window),
      gui_ui_(gui_ui),
      worker_(*this, gui_ui, std::move(backend), std::move(home), [this](const WindowSnapshot& s) { show(s); }) {
  keep_alive_timer_.setInterval(WindowModel::kKeepAliveIntervalMs);
  connect(&keep_alive_timer_, &QTimer::timeout, this, &WindowController::tick);
  bind_window();
  bind_drops();
  bind_menus();
}

WindowController::~WindowController() {
  keep_alive_timer_.stop();
  window_.may_close = nullptr;
  worker_.post([](WindowModel& model) { model.hang_up(); });  // the phone is told the session ends
  worker_.stop();
}

void WindowController::load(std::function<void(StartResult)> done) {
  auto result = std::make_shared<StartResult>(StartResult::fatal);
  ++jobs_running_;
  window_.set_job_running(true);
  worker_.post([result](WindowModel& model) { *result = model.start_up(); },
               [this, result, done = std::move(done)](const WindowSnapshot& s) {
                 job_done(s);
                 if (*result == StartResult::ok) keep_alive_timer_.start();
                 if (done) done(*result);
               });
}

void WindowController::offer_ports(const std::vector<PortInfo>& ports) {
  std::vector<std::string> cables, others;
  for (const auto& port : ports)
    (is_phone_cable(port) ? cables : others).push_back(port_item(port.device, port.description));
  run_job([cables, others](WindowModel& model) {
    model.offer_first(cables);
    model.offer_ports(others);
  });
}

void WindowController::run_job(ModelWorker::Job job) {
  ++jobs_running_;
  window_.set_job_running(true);
  worker_.post(std::move(job), [this](const WindowSnapshot& s) { job_done(s); });
}

void WindowController::user_job(ModelWorker::Job job, Stoppable stoppable) {
  if (job_running()) return;  // one exchange at a time; a second click is not taken
  worker_.forget_cancel();
  run_job(std::move(job));
  if (stoppable == Stoppable::yes) window_.show_cancel(true);
}

void WindowController::user_job(JobResult (WindowModel::*handler)(), Stoppable stoppable) {
  user_job([handler](WindowModel& model) { (model.*handler)(); }, stoppable);
}

void WindowController::cancel_job() {
  if (job_running()) worker_.request_cancel();
}

void WindowController::tick() {
  // The keep-alive never queues behind a job: during one it goes out only while the job
  // waits for the user (and the line is free).
  if (job_running()) {
    worker_.tick_while_waiting();
    return;
  }
  if (tick_pending_) return;
  tick_pending_ = true;
  worker_.post([](WindowModel& model) { model.keep_alive_tick(); },
               [this](const WindowSnapshot& s) {
                 tick_pending_ = false;
                 show(s);
               });
}

void WindowController::show(const WindowSnapshot& s) { window_.show_state(s, s.inputs_seen == worker_.inputs_sent()); }

void WindowController::job_done(const WindowSnapshot& s) {
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

void WindowController::bind_window() {
  auto& connection = window_.connection();
  connect(&connection, &ConnectionGroup::model_edited, this, [this](const QString& text) {
    worker_.input([t = from_qt(text)](WindowModel& model) { model.choose_model(t); });
  });
  connect(&connection, &ConnectionGroup::port_edited, this, [this](const QString& text) {
    worker_.input([t = from_qt(text)](WindowModel& model) { model.choose_port(t); });
  });
  connect(&connection, &ConnectionGroup::connect_clicked, this,
          [this] { user_job(&WindowModel::connect_or_disconnect); });
  connect(&connection, &ConnectionGroup::fast_toggled, this,
          [this](bool fast) { worker_.input([fast](WindowModel& model) { model.set_fast(fast); }); });

  auto& java = window_.java_tab();
  // The position is checked on every change the user makes, as the window does.
  connect(&java, &JavaTab::position_edited, this, [this](const QString& text) {
    worker_.input([t = from_qt(text)](WindowModel& model) { model.set_position_text(t); });
  });
  connect(&java, &JavaTab::nokia_toggled, this,
          [this](bool ticked) { worker_.input([ticked](WindowModel& model) { model.set_nokia_emulation(ticked); }); });
  connect(&java, &JavaTab::load_clicked, this, [this] { user_job(&WindowModel::load_application); });
  connect(&java, &JavaTab::install_clicked, this,
          [this] { user_job(&WindowModel::install_application, Stoppable::yes); });
  connect(&java, &JavaTab::probe_clicked, this, [this] { user_job(&WindowModel::probe_message_tone); });

  auto& sounds = window_.sounds_tab();
  connect(&sounds, &SoundsTab::sound_selected, this, [this](const QString& name) {
    worker_.input([n = from_qt(name)](WindowModel& model) { model.select_sound(n); });
  });
  connect(&sounds, &SoundsTab::replace_clicked, this,
          [this] { user_job(&WindowModel::replace_sound, Stoppable::yes); });
  connect(&sounds, &SoundsTab::restore_clicked, this,
          [this] { user_job(&WindowModel::restore_original_sound, Stoppable::yes); });

  auto& files = window_.files_tab();
  connect(&files, &FilesTab::folder_selected, this,
          [this](int row) { worker_.input([row](WindowModel& model) { model.select_folder(row); }); });
  connect(&files, &FilesTab::entry_selected, this,
          [this](int row) { worker_.input([row](WindowModel& model) { model.select_entry(row); }); });
  connect(&files, &FilesTab::entries_chosen, this, [this](const std::vector<int>& rows) {
    worker_.input([rows](WindowModel& model) { model.choose_entries(rows); });
  });
  connect(&files, &FilesTab::folder_opened, this, [this] { user_job(&WindowModel::open_folder); });
  connect(&files, &FilesTab::download_clicked, this,
          [this] { user_job(&WindowModel::download_entry, Stoppable::yes); });
  connect(&files, &FilesTab::send_clicked, this, [this] { user_job(&WindowModel::send_file, Stoppable::yes); });
  connect(&files, &FilesTab::backup_clicked, this, [this] { user_job(&WindowModel::back_up_phone, Stoppable::yes); });
  connect(&files, &FilesTab::restore_clicked, this,
          [this] { user_job(&WindowModel::restore_from_backup, Stoppable::yes); });
  connect(&window_.cancel_button(), &QPushButton::clicked, this, &WindowController::cancel_job);

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

void WindowController::bind_drops() {
  auto paths = [](const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& path : list) out.push_back(from_qt(path));
    return out;
  };
  connect(&window_.files_tab(), &FilesTab::files_dropped, this, [this, paths](const QStringList& dropped) {
    user_job([files = paths(dropped)](WindowModel& model) { model.send_dropped_files(files); }, Stoppable::yes);
  });
  connect(&window_.java_tab(), &JavaTab::application_dropped, this,
          [this](const QString& descriptor, const QString& archive) {
            user_job([jad = from_qt(descriptor), jar = from_qt(archive)](WindowModel& model) {
              model.load_dropped_application(jad, jar);
            });
          });
  connect(&window_.sounds_tab(), &SoundsTab::sound_dropped, this, [this](const QString& path) {
    user_job([file = from_qt(path)](WindowModel& model) { model.replace_sound_with(file); }, Stoppable::yes);
  });
}

void WindowController::bind_menus() {
  using Menu = MainMenus::Menu;
  using When = MainMenus::When;
  auto& menus = window_.menus();
  menus.add(
      Menu::file, QStringLiteral("&Esci"), When::always, [this] { window_.close(); }, QKeySequence::Quit);
  menus.add(Menu::phone, QStringLiteral("&Connetti/Disconnetti"), When::between_jobs,
            [this] { user_job(&WindowModel::connect_or_disconnect); });
  menus.add(Menu::phone, QStringLiteral("&Diagnosi della connessione…"), When::between_jobs, [this] {
    user_job([](WindowModel& model) {
      PosixSystemProbe probe;
      model.diagnose_connection(probe);
    });
  });
  menus.add_separator(Menu::phone);
  menus.add(Menu::phone, QStringLiteral("&Backup del telefono…"), When::between_jobs,
            [this] { user_job(&WindowModel::back_up_phone, Stoppable::yes); });
  menus.add(Menu::phone, QStringLiteral("&Ripristina dal backup…"), When::between_jobs,
            [this] { user_job(&WindowModel::restore_from_backup, Stoppable::yes); });
  menus.add(Menu::help, QStringLiteral("&Salva rapporto per l'assistenza…"), When::between_jobs,
            [this] { save_support_report(gui_ui_); });
  menus.add_separator(Menu::help);
  menus.add(Menu::help, QString::fromUtf8(kAboutTitle), When::always,
            [this] { gui_ui_.message_box(about_text(), MessageStyle::information, kAboutTitle); });
}

}  // namespace lg81xx::gui
