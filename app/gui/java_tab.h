#pragma once
// Tab "Applicazioni JAVA": the insertion position Text1, the choice of JAD and JAR with
// the Nokia emulation tick, the install button and the read probe.
#include <QWidget>

#include "form_snapshot.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lg81xx::gui {

class JavaTab final : public QWidget {
  Q_OBJECT
 public:
  explicit JavaTab(QWidget* parent = nullptr);
  void show_state(const FormSnapshot& s, bool inputs_current, bool job_running);

 signals:
  void position_edited(const QString& text);
  void nokia_toggled(bool ticked);
  void load_clicked();     // Command2
  void install_clicked();  // Command3
  void probe_clicked();    // Command4

 private:
  QLineEdit* text1_;
  QLabel* label8_;
  QPushButton* command2_;
  QCheckBox* nokia_;
  QPushButton* command3_;
  QPushButton* command4_;
};

}  // namespace lg81xx::gui
