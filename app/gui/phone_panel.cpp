#include "phone_panel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "traffic_lamp.h"
#include "widget_names.h"
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
      imei_(value_label(names::kImei, this)),
      information_(value_label(names::kInformation, this)),
      lamp_(new TrafficLamp(this)) {
  setObjectName(QLatin1String(names::kPhonePanel));
  auto* lamp_label = new QLabel(QStringLiteral("Dati"), this);
  lamp_label->setObjectName(QLatin1String(names::kLampLabel));

  auto* lamp_row = new QHBoxLayout;
  lamp_row->addWidget(lamp_);
  lamp_row->addStretch();

  auto* form = new QFormLayout(this);
  form->setLabelAlignment(Qt::AlignLeft);
  auto* imei_caption = new QLabel(QStringLiteral("IMEI"), this);
  imei_caption->setObjectName(QLatin1String(names::kImeiCaption));
  auto* info_caption = new QLabel(QStringLiteral("Informazioni telefono"), this);
  info_caption->setObjectName(QLatin1String(names::kInformationCaption));
  form->addRow(imei_caption, imei_);
  form->addRow(info_caption, information_);
  form->addRow(lamp_label, lamp_row);
}

void PhonePanel::show_state(const WindowSnapshot& s) {
  sync_label(*imei_, s.controls.imei.caption);
  sync_label(*information_, s.controls.information.caption);
  lamp_->set_red(s.controls.lamp_red);
}

}  // namespace lg81xx::gui
