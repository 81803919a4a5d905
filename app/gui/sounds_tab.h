#pragma once
// Tab "SUONI di Sistema": the eighteen sounds as one group of option buttons (named
// mes1 .. batt, as the sound table lists them), "Carica Nuovo Suono" and, beside it,
// "Ripristina suono originale".
#include <QWidget>

#include "window_snapshot.h"

class QButtonGroup;
class QPushButton;

namespace lg81xx::gui {

class SoundsTab final : public QWidget {
  Q_OBJECT
 public:
  explicit SoundsTab(QWidget* parent = nullptr);
  void show_state(const WindowSnapshot& s, bool inputs_current, bool job_running);

 signals:
  void sound_selected(const QString& control);
  void replace_clicked();  // "Carica Nuovo Suono"
  void restore_clicked();  // "Ripristina suono originale"

 private:
  QButtonGroup* options_;
  QPushButton* replace_button_;
  QPushButton* restore_button_;
};

}  // namespace lg81xx::gui
