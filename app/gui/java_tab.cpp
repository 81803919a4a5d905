#include "java_tab.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dropped_files.h"
#include "widget_names.h"
#include "widget_sync.h"

namespace lg81xx::gui {
namespace {

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

JavaTab::JavaTab(QWidget* parent)
    : QWidget(parent),
      position_box_(named(new QLineEdit(QStringLiteral("00"), this), names::kPositionBox)),
      loaded_archive_(named(new QLabel(this), names::kLoadedArchive)),
      load_button_(named(new QPushButton(QStringLiteral("Carica JAD e JAR"), this), names::kLoadButton)),
      nokia_(named(new QCheckBox(QStringLiteral("ABILITA EMULAZIONE NOKIA MIDP"), this), names::kEmulationTick)),
      install_button_(named(new QPushButton(QStringLiteral("INVIA"), this), names::kInstallButton)),
      // The probe's button keeps the caption the legacy window never gave it another.
      probe_button_(named(new QPushButton(QStringLiteral("Command4"), this), names::kProbeButton)) {
  setObjectName(QLatin1String(names::kJavaTab));
  auto* heading = named(new QLabel(QStringLiteral("JAVA"), this), names::kJavaHeading);
  QFont large = heading->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.8);
  heading->setFont(large);
  heading->setStyleSheet(QStringLiteral("color: #c0392b;"));

  auto* position_label = named(new QLabel(QStringLiteral("Posizione di inserimento"), this), names::kPositionLabel);
  position_label->setBuddy(position_box_);
  position_box_->setMaximumWidth(position_box_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  auto* loaded_label = named(new QLabel(QStringLiteral("FILE CARICATO"), this), names::kLoadedLabel);
  loaded_archive_->setTextFormat(Qt::PlainText);
  loaded_archive_->setFrameShape(QFrame::StyledPanel);
  loaded_archive_->setMinimumWidth(220);
  probe_button_->setToolTip(
      QStringLiteral("Prova di lettura: chiede al telefono il primo tono dei messaggi (MessageTone/Message1.mid) "
                     "senza salvarlo, e avvisa solo se il telefono non risponde"));

  auto* steps =
      new QLabel(QStringLiteral("Scegliere il descrittore (.jad) e l'archivio (.jar) dell'applicazione, controllare la "
                                "posizione proposta dal telefono e premere INVIA."),
                 this);
  steps->setWordWrap(true);

  auto* box = new QGroupBox(QStringLiteral("Applicazione da installare"), this);
  auto* grid = new QGridLayout(box);
  grid->addWidget(position_label, 0, 0);
  grid->addWidget(position_box_, 0, 1, Qt::AlignLeft);
  grid->addWidget(load_button_, 1, 0);
  grid->addWidget(nokia_, 1, 1);
  grid->addWidget(loaded_label, 2, 0);
  grid->addWidget(loaded_archive_, 2, 1);
  grid->addWidget(install_button_, 3, 1, Qt::AlignRight);
  grid->setColumnStretch(1, 1);
  install_button_->setMinimumWidth(120);

  auto* probe = new QHBoxLayout;
  probe->addWidget(probe_button_);
  probe->addStretch();

  auto* column = new QVBoxLayout(this);
  column->addWidget(heading);
  column->addWidget(steps);
  column->addWidget(box);
  column->addStretch();
  column->addLayout(probe);

  position_box_->setAcceptDrops(false);  // a file dropped there is for the tab
  connect(position_box_, &QLineEdit::textEdited, this, &JavaTab::position_edited);
  connect(nokia_, &QCheckBox::clicked, this, &JavaTab::nokia_toggled);
  connect(load_button_, &QPushButton::clicked, this, &JavaTab::load_clicked);
  connect(install_button_, &QPushButton::clicked, this, &JavaTab::install_clicked);
  connect(probe_button_, &QPushButton::clicked, this, &JavaTab::probe_clicked);
}

void JavaTab::show_state(const WindowSnapshot& s, bool inputs_current, bool job_running) {
  const Controls& c = s.controls;
  sync_line_edit(*position_box_, c.position_box.text, inputs_current);
  sync_label(*loaded_archive_, c.loaded_archive.caption);
  if (inputs_current && nokia_->isChecked() != c.nokia_emulation) {
    const QSignalBlocker block(nokia_);
    nokia_->setChecked(c.nokia_emulation);
  }
  load_button_->setEnabled(!job_running);
  install_button_->setEnabled(!job_running);
  probe_button_->setEnabled(!job_running);
  setAcceptDrops(!job_running);
}

void JavaTab::dragEnterEvent(QDragEnterEvent* event) {
  if (dropped_application(*event->mimeData())) event->acceptProposedAction();
}

void JavaTab::dropEvent(QDropEvent* event) {
  const auto pair = dropped_application(*event->mimeData());
  if (!pair) return;
  event->acceptProposedAction();
  emit application_dropped(pair->first, pair->second);
}

}  // namespace lg81xx::gui
