#include "files_tab.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "dropped_files.h"
#include "widget_names.h"
#include "widget_sync.h"

namespace lg81xx::gui {

FilesTab::FilesTab(QWidget* parent)
    : QWidget(parent),
      folders_list_(new QListWidget(this)),
      entries_list_(new QListWidget(this)),
      download_button_(new QPushButton(QStringLiteral("DownLoad"), this)),
      send_button_(new QPushButton(QStringLiteral("Invia file al telefono"), this)),
      backup_button_(new QPushButton(QStringLiteral("Backup del telefono…"), this)),
      restore_button_(new QPushButton(QStringLiteral("Ripristina dal backup…"), this)) {
  setObjectName(QLatin1String(names::kFilesTab));
  folders_list_->setObjectName(QLatin1String(names::kFoldersList));
  entries_list_->setObjectName(QLatin1String(names::kEntriesList));
  entries_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  download_button_->setObjectName(QLatin1String(names::kDownloadButton));
  download_button_->setMinimumWidth(120);
  send_button_->setObjectName(QLatin1String(names::kSendButton));
  send_button_->setToolTip(QStringLiteral("Invia un file del computer nella cartella scelta a sinistra"));
  backup_button_->setObjectName(QLatin1String(names::kBackupButton));
  backup_button_->setToolTip(
      QStringLiteral("Salva tutte le cartelle del telefono in una cartella del computer; di nuovo, solo i file nuovi"));
  restore_button_->setObjectName(QLatin1String(names::kRestoreBackupButton));
  restore_button_->setToolTip(
      QStringLiteral("Invia al telefono i file di un backup che non ha; quelli con lo stesso nome restano"));

  auto* folders = new QLabel(QStringLiteral("Cartelle del telefono (doppio clic per aprire)"), this);
  folders->setBuddy(folders_list_);
  auto* entries = new QLabel(QStringLiteral("Contenuto della cartella"), this);
  entries->setBuddy(entries_list_);

  auto* grid = new QGridLayout(this);
  grid->addWidget(folders, 0, 0);
  grid->addWidget(entries, 0, 1);
  grid->addWidget(folders_list_, 1, 0);
  grid->addWidget(entries_list_, 1, 1);
  grid->addWidget(send_button_, 2, 0, Qt::AlignLeft);
  grid->addWidget(download_button_, 2, 1, Qt::AlignRight);
  auto* archive = new QHBoxLayout;
  archive->addWidget(backup_button_);
  archive->addWidget(restore_button_);
  archive->addStretch();
  grid->addLayout(archive, 3, 0, 1, 2);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 3);

  folders_list_->installEventFilter(this);
  entries_list_->setAcceptDrops(true);
  entries_list_->viewport()->installEventFilter(this);
  connect(folders_list_, &QListWidget::currentRowChanged, this, &FilesTab::folder_selected);
  connect(entries_list_, &QListWidget::currentRowChanged, this, &FilesTab::entry_selected);
  connect(entries_list_, &QListWidget::itemSelectionChanged, this, [this] {
    std::vector<int> rows;
    for (const auto& index : entries_list_->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    emit entries_chosen(rows);
  });
  connect(folders_list_, &QListWidget::itemDoubleClicked, this, [this] { emit folder_opened(); });
  connect(download_button_, &QPushButton::clicked, this, &FilesTab::download_clicked);
  connect(send_button_, &QPushButton::clicked, this, &FilesTab::send_clicked);
  connect(backup_button_, &QPushButton::clicked, this, &FilesTab::backup_clicked);
  connect(restore_button_, &QPushButton::clicked, this, &FilesTab::restore_clicked);
}

// Enter on a folder opens it, as a double-click does, for keyboard users. Local files
// dragged onto the entries list are taken between jobs, and only they.
bool FilesTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entries_list_->viewport()) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (entries_list_->isEnabled() && !dropped_files(*drag->mimeData()).isEmpty())
          drag->acceptProposedAction();
        else
          drag->ignore();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = dropped_files(*drop->mimeData());
        if (!entries_list_->isEnabled() || files.isEmpty()) return true;
        drop->acceptProposedAction();
        emit files_dropped(files);
        return true;
      }
      default: break;
    }
  }
  if (watched == folders_list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && folders_list_->currentRow() >= 0) {
      emit folder_opened();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FilesTab::show_state(const WindowSnapshot& s, bool inputs_current, bool job_running) {
  sync_list(*folders_list_, s.controls.folders_list, inputs_current);
  sync_list(*entries_list_, s.controls.entries_list, inputs_current);
  folders_list_->setEnabled(!job_running);
  entries_list_->setEnabled(!job_running);
  download_button_->setEnabled(!job_running);
  send_button_->setEnabled(!job_running);
  backup_button_->setEnabled(!job_running);
  restore_button_->setEnabled(!job_running);
}

}  // namespace lg81xx::gui
