#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "connection_group.h"
#include "files_tab.h"
#include "java_tab.h"
#include "main_menus.h"
#include "phone_panel.h"
#include "progress_label.h"
#include "sounds_tab.h"
#include "text_codec.h"
#include "widget_names.h"
#include "widget_sync.h"

namespace lg81xx::gui {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent),
      menu_bar_(new QMenuBar(this)),
      menus_(new MainMenus(*menu_bar_)),
      connection_(new ConnectionGroup(this)),
      phone_(new PhonePanel(this)),
      progress_(new ProgressLabel(this)),
      cancel_(new QPushButton(QStringLiteral("Annulla"), this)),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), this)),
      tabs_(new QTabWidget(this)),
      java_(new JavaTab(tabs_)),
      sounds_(new SoundsTab(tabs_)),
      files_(new FilesTab(tabs_)),
      status_(new QLabel(this)) {
  setObjectName(QLatin1String(names::kWindow));
  setWindowTitle(QString::fromUtf8(kWindowTitle));

  auto* progress_group = new QGroupBox(QStringLiteral("Avanzamento"), this);
  progress_group->setObjectName(QLatin1String(names::kProgressGroup));
  auto* progress_row = new QHBoxLayout(progress_group);
  progress_row->addWidget(progress_, 1);
  progress_row->addWidget(cancel_);
  cancel_->setObjectName(QLatin1String(names::kCancelButton));
  cancel_->setToolTip(QStringLiteral("Interrompe il trasferimento e chiude la sessione con il telefono"));
  cancel_->setCursor(Qt::ArrowCursor);  // clickable while the window shows the busy pointer
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, cancel_, [this] { cancel_->setEnabled(false); });
  // Escape stops a transfer as "Annulla" does, asking nothing more; between transfers the
  // key is left to whatever has the focus.
  escape_->setEnabled(false);
  connect(escape_, &QShortcut::activated, cancel_, [this] {
    if (cancel_->isVisible() && cancel_->isEnabled()) cancel_->click();
  });

  tabs_->setObjectName(QLatin1String(names::kTabs));
  tabs_->addTab(java_, QStringLiteral("Applicazioni JAVA"));
  tabs_->addTab(sounds_, QStringLiteral("SUONI di Sistema"));
  tabs_->addTab(files_, QStringLiteral("File Manager"));

  status_->setObjectName(QLatin1String(names::kStatusLine));
  status_->setTextFormat(Qt::PlainText);
  status_->setFrameShape(QFrame::StyledPanel);
  status_->setFrameShadow(QFrame::Sunken);

  auto* top = new QHBoxLayout;
  top->addWidget(connection_, 1);
  top->addWidget(phone_, 1);
  auto* page = new QVBoxLayout(this);
  page->setMenuBar(menu_bar_);
  page->addLayout(top);
  page->addWidget(progress_group);
  page->addWidget(tabs_, 1);
  page->addWidget(status_);
  resize(720, 500);
}

void MainWindow::show_state(const WindowSnapshot& s, bool inputs_current) {
  last_ = s;
  last_inputs_current_ = inputs_current;
  show_last();
}

void MainWindow::show_last() {
  if (!last_) return;
  const auto& s = *last_;
  connection_->show_state(s, last_inputs_current_, job_running_);
  phone_->show_state(s);
  progress_->set_progress(s.controls.progress.fraction, to_qt(s.controls.progress.caption));
  java_->show_state(s, last_inputs_current_, job_running_);
  sounds_->show_state(s, last_inputs_current_, job_running_);
  files_->show_state(s, last_inputs_current_, job_running_);
  sync_label(*status_, s.controls.status.caption);
}

void MainWindow::show_cancel(bool shown) {
  cancel_->setEnabled(shown);
  cancel_->setVisible(shown);
  escape_->setEnabled(shown);
}

QPushButton& MainWindow::main_button() {
  QWidget* tab = tabs_->currentWidget();
  if (tab == java_) return java_->main_button();
  if (tab == sounds_) return sounds_->main_button();
  return files_->main_button();
}

// Keys that no control took come here: Enter presses the button of where the keyboard is.
void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QWidget::keyPressEvent(event);
    return;
  }
  QWidget* focus = focusWidget();
  QPushButton* button = qobject_cast<QPushButton*>(focus);
  if (!button) button = focus && connection_->isAncestorOf(focus) ? &connection_->connect_button() : &main_button();
  if (button->isEnabled() && button->isVisible()) button->click();
}

void MainWindow::set_job_running(bool running) {
  if (running == job_running_) return;
  if (running) focus_before_job_ = QApplication::focusWidget();
  job_running_ = running;
  menus_->set_job_running(running);
  show_last();
  if (!running && focus_before_job_ && focus_before_job_->isEnabled() && isActiveWindow())
    focus_before_job_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (may_close && !may_close()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace lg81xx::gui
