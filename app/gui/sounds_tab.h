#pragma once
// Tab "SUONI di Sistema": the eighteen sounds as one group of option buttons (named
// mes1 .. batt, as the sound table lists them), "Carica Nuovo Suono" and, beside it,
// "Ripristina suono originale". A file dragged onto the tab is taken for the chosen sound, as
// if picked in the dialog.
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
  QPushButton& main_button() { return *replace_button_; }  // what Enter presses

 signals:
  void sound_selected(const QString& control);
  void replace_clicked();  // "Carica Nuovo Suono"
  void restore_clicked();  // "Ripristina suono originale"
  void sound_dropped(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QButtonGroup* options_;
  QPushButton* replace_button_;
  QPushButton* restore_button_;
};

}  // namespace lg81xx::gui
