#include "sounds_tab.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>

#include "dropped_files.h"
#include "phone/sound_table.h"
#include "text_codec.h"
#include "widget_names.h"

namespace lg81xx::gui {
namespace {

constexpr std::array<const char*, 4> kGroupTitles{"Toni Messaggio", "Scatto Foto", "Suoni Flip", "Altri Suoni"};

}  // namespace

SoundsTab::SoundsTab(QWidget* parent)
    : QWidget(parent),
      options_(new QButtonGroup(this)),
      replace_button_(new QPushButton(QStringLiteral("Carica Nuovo Suono"), this)),
      restore_button_(new QPushButton(QStringLiteral("Ripristina suono originale"), this)) {
  setObjectName(QLatin1String(names::kSoundsTab));
  replace_button_->setObjectName(QLatin1String(names::kReplaceSoundButton));
  replace_button_->setMinimumWidth(160);
  replace_button_->setToolTip(
      QStringLiteral("Prima della prima sostituzione il suono del telefono viene letto e conservato sul computer"));
  restore_button_->setObjectName(QLatin1String(names::kRestoreSoundButton));
  restore_button_->setToolTip(QStringLiteral("Rimanda al telefono il suo suono conservato prima della sostituzione"));

  std::array<QVBoxLayout*, kGroupTitles.size()> columns{};
  auto* grid = new QGridLayout;
  for (std::size_t g = 0; g < kGroupTitles.size(); ++g) {
    auto* box = new QGroupBox(QString::fromUtf8(kGroupTitles[g]), this);
    columns[g] = new QVBoxLayout(box);
    // Messages on the left, taking two rows; the three short groups on the right.
    if (g == 0)
      grid->addWidget(box, 0, 0, 3, 1);
    else
      grid->addWidget(box, static_cast<int>(g) - 1, 1);
  }
  int id = 0;
  for (const auto& row : kSoundTable) {
    auto* option = new QRadioButton(to_qt(row.caption), this);
    option->setObjectName(to_qt(row.name));
    options_->addButton(option, id++);
    columns[static_cast<std::size_t>(row.group)]->addWidget(option);
  }
  for (auto* column : columns) column->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(restore_button_);
  buttons->addWidget(replace_button_);
  auto* page = new QVBoxLayout(this);
  page->addLayout(grid);
  page->addLayout(buttons);

  connect(options_, &QButtonGroup::idClicked, this,
          [this](int index) { emit sound_selected(options_->button(index)->objectName()); });
  connect(replace_button_, &QPushButton::clicked, this, &SoundsTab::replace_clicked);
  connect(restore_button_, &QPushButton::clicked, this, &SoundsTab::restore_clicked);
}

void SoundsTab::dragEnterEvent(QDragEnterEvent* event) {
  if (dropped_files(*event->mimeData()).size() == 1) event->acceptProposedAction();
}

void SoundsTab::dropEvent(QDropEvent* event) {
  const QStringList files = dropped_files(*event->mimeData());
  if (files.size() != 1) return;
  event->acceptProposedAction();
  emit sound_dropped(files.front());
}

void SoundsTab::show_state(const WindowSnapshot& s, bool inputs_current, bool job_running) {
  replace_button_->setEnabled(!job_running);
  restore_button_->setEnabled(!job_running);
  setAcceptDrops(!job_running);
  if (!inputs_current) return;
  const SoundOption* selected = s.controls.selected_sound();
  const QString wanted = selected ? to_qt(selected->sound) : QString();
  QAbstractButton* checked = options_->checkedButton();
  if (checked && checked->objectName() == wanted) return;
  const QSignalBlocker block(options_);
  if (wanted.isEmpty()) {
    // An exclusive group cannot uncheck its last button; lift the rule for a moment.
    options_->setExclusive(false);
    if (checked) checked->setChecked(false);
    options_->setExclusive(true);
    return;
  }
  for (auto* option : options_->buttons())
    if (option->objectName() == wanted) option->setChecked(true);
}

}  // namespace lg81xx::gui
