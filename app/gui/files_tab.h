#pragma once
// Tab "File Manager": the phone's folders (List1), the entries of the folder last listed
// (List2) and "DownLoad".
#include <QWidget>
#include <vector>

#include "form_snapshot.h"

class QListWidget;
class QPushButton;

namespace lg81xx::gui {

class FilesTab final : public QWidget {
  Q_OBJECT
 public:
  explicit FilesTab(QWidget* parent = nullptr);
  void show_state(const FormSnapshot& s, bool inputs_current, bool job_running);

 signals:
  void folder_selected(int row);
  void entry_selected(int row);
  void entries_chosen(const std::vector<int>& rows);  // List2 allows several
  void folder_opened();                               // List1 double-click, or Enter on a folder
  void download_clicked();                            // Command7
  void send_clicked();                                // "Invia file al telefono"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list1_;
  QListWidget* list2_;
  QPushButton* command7_;
  QPushButton* send_file_;
};

}  // namespace lg81xx::gui
