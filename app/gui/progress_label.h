#pragma once
// Label5: the transfers' progress, a bar whose filled width follows the model's width
// 0 .. 6375 and shows its caption ("37.5 %", "100%").
#include <QWidget>

namespace lg81xx::gui {

class ProgressLabel final : public QWidget {
 public:
  explicit ProgressLabel(QWidget* parent = nullptr);
  void set_progress(double width, const QString& caption);
  double width_units() const { return width_; }
  double fraction() const;
  QString text() const { return caption_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double width_ = 0;
  QString caption_;
};

}  // namespace lg81xx::gui
