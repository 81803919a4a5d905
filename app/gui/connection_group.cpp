#include "connection_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

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
      label1_(new QLabel(QStringLiteral("Modello Telefono"), this)),
      combo1_(combo("Combo1", false, this)),
      label2_(new QLabel(QStringLiteral("Porta Comm"), this)),
      combo2_(combo("Combo2", true, this)),
      command1_(new QPushButton(QStringLiteral("Connetti/Disconnetti"), this)),
      fast_(new QCheckBox(QStringLiteral("Trasferimento veloce"), this)) {
  setObjectName(QStringLiteral("Frame1"));
  label1_->setObjectName(QStringLiteral("Label1"));
  label2_->setObjectName(QStringLiteral("Label2"));
  command1_->setObjectName(QStringLiteral("Command1"));
  label1_->setBuddy(combo1_);
  label2_->setBuddy(combo2_);
  fast_->setObjectName(QStringLiteral("fast"));
  fast_->setToolTip(QStringLiteral("Non attende l'intero intervallo quando la risposta del telefono è già completa"));

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1_, 0, 0);
  grid->addWidget(combo1_, 0, 1);
  grid->addWidget(label2_, 1, 0);
  grid->addWidget(combo2_, 1, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(fast_);
  row->addStretch();
  row->addWidget(command1_);
  grid->addLayout(row, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  setTabOrder(combo2_, fast_);
  setTabOrder(fast_, command1_);

  connect(combo1_, &QComboBox::currentTextChanged, this, &ConnectionGroup::model_edited);
  connect(combo2_, &QComboBox::editTextChanged, this, &ConnectionGroup::port_edited);
  connect(command1_, &QPushButton::clicked, this, &ConnectionGroup::connect_clicked);
  connect(fast_, &QCheckBox::clicked, this, &ConnectionGroup::fast_toggled);
}

void ConnectionGroup::show_state(const FormSnapshot& s, bool inputs_current, bool job_running) {
  sync_combo(*combo1_, s.controls.Combo1, inputs_current);
  sync_combo(*combo2_, s.controls.Combo2, inputs_current);
  // Neither choice changes under a connection or a job.
  combo1_->setEnabled(s.controls.Combo1.enabled && !job_running);
  combo2_->setEnabled(s.controls.Combo2.enabled && !job_running);
  command1_->setEnabled(s.controls.Command1.enabled && !job_running);
  if (inputs_current && fast_->isChecked() != s.fast) {
    const QSignalBlocker block(fast_);
    fast_->setChecked(s.fast);
  }
}

}  // namespace lg81xx::gui
