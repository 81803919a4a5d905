#pragma once
// Tab "File Manager": the phone's folders, the entries of the folder last listed,
// "DownLoad", "Invia file al telefono", and the archive of the whole phone: "Backup del
// telefono…" and "Ripristina dal backup…". Files dragged onto the entries list are sent into
// the folder it shows.
#include <QWidget>
#include <vector>

#include "window_snapshot.h"

class QListWidget;
class QPushButton;

namespace lg81xx::gui {

class FilesTab final : public QWidget {
  Q_OBJECT
 public:
  explicit FilesTab(QWidget* parent = nullptr);
  void show_state(const WindowSnapshot& s, bool inputs_current, bool job_running);
  QPushButton& main_button() { return *download_button_; }  // what Enter presses

 signals:
  void folder_selected(int row);
  void entry_selected(int row);
  void entries_chosen(const std::vector<int>& rows);  // the entries list allows several
  void folder_opened();                               // a double-click on a folder, or Enter
  void download_clicked();                            // "DownLoad"
  void send_clicked();                                // "Invia file al telefono"
  void backup_clicked();                              // "Backup del telefono…"
  void restore_clicked();                             // "Ripristina dal backup…"
  void files_dropped(const QStringList& paths);       // onto the entries list

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* folders_list_;
  QListWidget* entries_list_;
  QPushButton* download_button_;
  QPushButton* send_button_;
  QPushButton* backup_button_;
  QPushButton* restore_button_;
};

}  // namespace lg81xx::gui
