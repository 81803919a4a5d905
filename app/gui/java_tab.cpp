#include "java_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

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
      text1_(named(new QLineEdit(QStringLiteral("00"), this), "Text1")),
      label8_(named(new QLabel(this), "Label8")),
      command2_(named(new QPushButton(QStringLiteral("Carica JAD e JAR"), this), "Command2")),
      nokia_(named(new QCheckBox(QStringLiteral("ABILITA EMULAZIONE NOKIA MIDP"), this), "nokia")),
      command3_(named(new QPushButton(QStringLiteral("INVIA"), this), "Command3")),
      command4_(named(new QPushButton(QStringLiteral("Command4"), this), "Command4")) {
  setObjectName(QStringLiteral("JavaTab"));
  auto* label10 = named(new QLabel(QStringLiteral("JAVA"), this), "Label10");
  QFont heading = label10->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.8);
  label10->setFont(heading);
  label10->setStyleSheet(QStringLiteral("color: #c0392b;"));

  auto* label6 = named(new QLabel(QStringLiteral("Posizione di inserimento"), this), "Label6");
  label6->setBuddy(text1_);
  text1_->setMaximumWidth(text1_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  auto* label7 = named(new QLabel(QStringLiteral("FILE CARICATO"), this), "Label7");
  label8_->setTextFormat(Qt::PlainText);
  label8_->setFrameShape(QFrame::StyledPanel);
  label8_->setMinimumWidth(220);
  command4_->setToolTip(
      QStringLiteral("Prova di lettura: chiede al telefono il primo tono dei messaggi (MessageTone/Message1.mid) "
                     "senza salvarlo, e avvisa solo se il telefono non risponde"));

  auto* steps =
      new QLabel(QStringLiteral("Scegliere il descrittore (.jad) e l'archivio (.jar) dell'applicazione, controllare la "
                                "posizione proposta dal telefono e premere INVIA."),
                 this);
  steps->setWordWrap(true);

  auto* box = new QGroupBox(QStringLiteral("Applicazione da installare"), this);
  auto* grid = new QGridLayout(box);
  grid->addWidget(label6, 0, 0);
  grid->addWidget(text1_, 0, 1, Qt::AlignLeft);
  grid->addWidget(command2_, 1, 0);
  grid->addWidget(nokia_, 1, 1);
  grid->addWidget(label7, 2, 0);
  grid->addWidget(label8_, 2, 1);
  grid->addWidget(command3_, 3, 1, Qt::AlignRight);
  grid->setColumnStretch(1, 1);
  command3_->setMinimumWidth(120);

  auto* probe = new QHBoxLayout;
  probe->addWidget(command4_);
  probe->addStretch();

  auto* column = new QVBoxLayout(this);
  column->addWidget(label10);
  column->addWidget(steps);
  column->addWidget(box);
  column->addStretch();
  column->addLayout(probe);

  connect(text1_, &QLineEdit::textEdited, this, &JavaTab::position_edited);
  connect(nokia_, &QCheckBox::clicked, this, &JavaTab::nokia_toggled);
  connect(command2_, &QPushButton::clicked, this, &JavaTab::load_clicked);
  connect(command3_, &QPushButton::clicked, this, &JavaTab::install_clicked);
  connect(command4_, &QPushButton::clicked, this, &JavaTab::probe_clicked);
}

void JavaTab::show_state(const FormSnapshot& s, bool inputs_current, bool job_running) {
  const Controls& c = s.controls;
  sync_line_edit(*text1_, c.Text1.text, inputs_current);
  sync_label(*label8_, c.Label8.caption);
  if (inputs_current && nokia_->isChecked() != c.nokia.value) {
    const QSignalBlocker block(nokia_);
    nokia_->setChecked(c.nokia.value);
  }
  command2_->setEnabled(c.Command2.enabled && !job_running);
  command3_->setEnabled(c.Command3.enabled && !job_running);
  command4_->setEnabled(c.Command4.enabled && !job_running);
}

}  // namespace lg81xx::gui
