#pragma once
// The progress bar: the transfers' progress, a bar filled to the model's fraction that shows its
// caption ("37.5 %", "100%").
#include <QWidget>

namespace lg81xx::gui {

class ProgressLabel final : public QWidget {
 public:
  explicit ProgressLabel(QWidget* parent = nullptr);
  void set_progress(double fraction, const QString& caption);
  double fraction() const { return fraction_; }
  QString text() const { return caption_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double fraction_ = 0;
  QString caption_;
};

}  // namespace lg81xx::gui
