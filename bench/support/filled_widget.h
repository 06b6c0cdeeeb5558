#pragma once
// The baseline of the repaint benchmarks: a plain widget of the same size
// that fills itself with one colour; and the loop that renders a widget,
// with its children, into a picture made once.
#include <QColor>
#include <QWidget>

namespace benchmark {
class State;
}

namespace bench {

class FilledWidget : public QWidget {
 public:
  explicit FilledWidget(QWidget *parent = nullptr, QColor fill = QColor(236, 233, 216));

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QColor fill_;
};

// One iteration renders widget into a preallocated picture of its size.
void RepaintLoop(benchmark::State &state, QWidget &widget);

}  // namespace bench
