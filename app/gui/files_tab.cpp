#include "files_tab.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "widget_sync.h"

namespace lg81xx::gui {

FilesTab::FilesTab(QWidget* parent)
    : QWidget(parent),
      list1_(new QListWidget(this)),
      list2_(new QListWidget(this)),
      command7_(new QPushButton(QStringLiteral("DownLoad"), this)),
      send_file_(new QPushButton(QStringLiteral("Invia file al telefono"), this)) {
  setObjectName(QStringLiteral("FilesTab"));
  list1_->setObjectName(QStringLiteral("List1"));
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  command7_->setObjectName(QStringLiteral("Command7"));
  command7_->setMinimumWidth(120);
  send_file_->setObjectName(QStringLiteral("send_file"));
  send_file_->setToolTip(QStringLiteral("Invia un file del computer nella cartella scelta a sinistra"));

  auto* folders = new QLabel(QStringLiteral("Cartelle del telefono (doppio clic per aprire)"), this);
  folders->setBuddy(list1_);
  auto* entries = new QLabel(QStringLiteral("Contenuto della cartella"), this);
  entries->setBuddy(list2_);

  auto* grid = new QGridLayout(this);
  grid->addWidget(folders, 0, 0);
  grid->addWidget(entries, 0, 1);
  grid->addWidget(list1_, 1, 0);
  grid->addWidget(list2_, 1, 1);
  grid->addWidget(send_file_, 2, 0, Qt::AlignLeft);
  grid->addWidget(command7_, 2, 1, Qt::AlignRight);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 3);

  list1_->installEventFilter(this);
  connect(list1_, &QListWidget::currentRowChanged, this, &FilesTab::folder_selected);
  connect(list2_, &QListWidget::currentRowChanged, this, &FilesTab::entry_selected);
  connect(list2_, &QListWidget::itemSelectionChanged, this, [this] {
    std::vector<int> rows;
    for (const auto& index : list2_->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    emit entries_chosen(rows);
  });
  connect(list1_, &QListWidget::itemDoubleClicked, this, [this] { emit folder_opened(); });
  connect(command7_, &QPushButton::clicked, this, &FilesTab::download_clicked);
  connect(send_file_, &QPushButton::clicked, this, &FilesTab::send_clicked);
}

// Enter on a folder opens it, as a double-click does, for keyboard users.
bool FilesTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list1_->currentRow() >= 0) {
      emit folder_opened();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FilesTab::show_state(const FormSnapshot& s, bool inputs_current, bool job_running) {
  sync_list(*list1_, s.controls.List1, inputs_current);
  sync_list(*list2_, s.controls.List2, inputs_current);
  list1_->setEnabled(!job_running);
  list2_->setEnabled(!job_running);
  command7_->setEnabled(s.controls.Command7.enabled && !job_running);
  send_file_->setEnabled(s.controls.send_file.enabled && !job_running);
}

}  // namespace lg81xx::gui
