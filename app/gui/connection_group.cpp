#include "connection_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "widget_names.h"
#include "widget_sync.h"

namespace lg81xx::gui {
namespace {

// `editable`: any text may be typed (a device); otherwise only an item can be chosen.
QComboBox* combo(const char* name, bool editable, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumContentsLength(14);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

}  // namespace

ConnectionGroup::ConnectionGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Connessione"), parent),
      model_label_(new QLabel(QStringLiteral("Modello Telefono"), this)),
      model_box_(combo(names::kModelBox, false, this)),
      port_label_(new QLabel(QStringLiteral("Porta Comm"), this)),
      port_box_(combo(names::kPortBox, true, this)),
      connect_button_(new QPushButton(QStringLiteral("Connetti/Disconnetti"), this)),
      fast_(new QCheckBox(QStringLiteral("Trasferimento veloce"), this)) {
  setObjectName(QLatin1String(names::kConnectionGroup));
  model_label_->setObjectName(QLatin1String(names::kModelLabel));
  port_label_->setObjectName(QLatin1String(names::kPortLabel));
  connect_button_->setObjectName(QLatin1String(names::kConnectButton));
  model_label_->setBuddy(model_box_);
  port_label_->setBuddy(port_box_);
  fast_->setObjectName(QLatin1String(names::kFastTick));
  fast_->setToolTip(QStringLiteral("Non attende l'intero intervallo quando la risposta del telefono è già completa"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(model_label_, 0, 0);
  grid->addWidget(model_box_, 0, 1);
  grid->addWidget(port_label_, 1, 0);
  grid->addWidget(port_box_, 1, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(fast_);
  row->addStretch();
  row->addWidget(connect_button_);
  grid->addLayout(row, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  setTabOrder(port_box_, fast_);
  setTabOrder(fast_, connect_button_);

  connect(model_box_, &QComboBox::currentTextChanged, this, &ConnectionGroup::model_edited);
  connect(port_box_, &QComboBox::editTextChanged, this, &ConnectionGroup::port_edited);
  connect(connect_button_, &QPushButton::clicked, this, &ConnectionGroup::connect_clicked);
  connect(fast_, &QCheckBox::clicked, this, &ConnectionGroup::fast_toggled);
}

void ConnectionGroup::show_state(const WindowSnapshot& s, bool inputs_current, bool job_running) {
  sync_combo(*model_box_, s.controls.model_box, inputs_current);
  sync_combo(*port_box_, s.controls.port_box, inputs_current);
  // Neither choice changes under a connection or a job.
  model_box_->setEnabled(s.controls.model_box.enabled && !job_running);
  port_box_->setEnabled(s.controls.port_box.enabled && !job_running);
  connect_button_->setEnabled(!job_running);
  fast_->setEnabled(!job_running);  // the waits of a job under way stay as they began
  if (inputs_current && fast_->isChecked() != s.fast) {
    const QSignalBlocker block(fast_);
    fast_->setChecked(s.fast);
  }
}

}  // namespace lg81xx::gui
