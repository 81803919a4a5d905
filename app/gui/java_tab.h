#pragma once
// Tab "Applicazioni JAVA": the insertion position, the choice of JAD and JAR with the
// Nokia emulation tick, the install button and the read probe.
#include <QWidget>

#include "window_snapshot.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lg81xx::gui {

class JavaTab final : public QWidget {
  Q_OBJECT
 public:
  explicit JavaTab(QWidget* parent = nullptr);
  void show_state(const WindowSnapshot& s, bool inputs_current, bool job_running);

 signals:
  void position_edited(const QString& text);
  void nokia_toggled(bool ticked);
  void load_clicked();     // "Carica JAD e JAR"
  void install_clicked();  // "INVIA"
  void probe_clicked();

 private:
  QLineEdit* position_box_;
  QLabel* loaded_archive_;
  QPushButton* load_button_;
  QCheckBox* nokia_;
  QPushButton* install_button_;
  QPushButton* probe_button_;
};

}  // namespace lg81xx::gui
