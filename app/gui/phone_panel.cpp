#include "phone_panel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "traffic_lamp.h"
#include "widget_sync.h"

namespace lg81xx::gui {
namespace {

// Texts from the phone are shown as they came, never read as markup.
QLabel* value_label(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 17);
  QFont font = label->font();
  font.setFamily(QStringLiteral("monospace"));
  font.setStyleHint(QFont::TypeWriter);
  label->setFont(font);
  return label;
}

}  // namespace

PhonePanel::PhonePanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Telefono"), parent),
      label3_(value_label("Label3", this)),
      label4_(value_label("Label4", this)),
      lamp_(new TrafficLamp(this)) {
  setObjectName(QStringLiteral("PhonePanel"));
  auto* label9 = new QLabel(QStringLiteral("Dati"), this);
  label9->setObjectName(QStringLiteral("Label9"));

  auto* lamp_row = new QHBoxLayout;
  lamp_row->addWidget(lamp_);
  lamp_row->addStretch();

  auto* form = new QFormLayout(this);
  form->setLabelAlignment(Qt::AlignLeft);
  auto* imei_caption = new QLabel(QStringLiteral("IMEI"), this);
  imei_caption->setObjectName(QStringLiteral("Label3Caption"));
  auto* info_caption = new QLabel(QStringLiteral("Informazioni telefono"), this);
  info_caption->setObjectName(QStringLiteral("Label4Caption"));
  form->addRow(imei_caption, label3_);
  form->addRow(info_caption, label4_);
  form->addRow(label9, lamp_row);
}

void PhonePanel::show_state(const FormSnapshot& s) {
  sync_label(*label3_, s.controls.Label3.caption);
  sync_label(*label4_, s.controls.Label4.caption);
  lamp_->set_red(s.controls.ledr.visible);
}

}  // namespace lg81xx::gui
