#pragma once
// Tab "Applicazioni JAVA": the insertion position, the choice of JAD and JAR with the
// Nokia emulation tick, the install button and the read probe. A JAD and a JAR dragged
// together onto the tab are loaded as "Carica JAD e JAR" loads them.
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
  QPushButton& main_button() { return *install_button_; }  // what Enter presses

 signals:
  void position_edited(const QString& text);
  void nokia_toggled(bool ticked);
  void load_clicked();     // "Carica JAD e JAR"
  void install_clicked();  // "INVIA"
  void probe_clicked();
  void application_dropped(const QString& descriptor, const QString& archive);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QLineEdit* position_box_;
  QLabel* loaded_archive_;
  QPushButton* load_button_;
  QCheckBox* nokia_;
  QPushButton* install_button_;
  QPushButton* probe_button_;
};

}  // namespace lg81xx::gui
