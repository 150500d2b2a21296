#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QStackedWidget;

namespace fendral::ui {

// A tabbed panel whose tabs wrap into rows of a fixed count, as the classic tab dialogs do:
// one page per tab, the selected tab drawn joined to its page, and the row that holds the
// selected tab moved next to the page. QTabWidget only knows a single row.
class TwoRowTabPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TwoRowTabPanel(int tabsPerRow, QWidget* parent = nullptr);

  // Takes ownership of `page`; returns the new tab's index. The first tab added becomes current.
  int addTab(QWidget* page, const QString& caption);

  int count() const { return static_cast<int>(captions_.size()); }
  int currentIndex() const { return current_; }
  QWidget* widget(int index) const;
  QWidget* currentWidget() const { return widget(current_); }
  QString tabText(int index) const;
  int tabsPerRow() const { return perRow_; }
  int rowCount() const;

  // Where the tab's caption sits, in the panel's coordinates, as it is drawn now.
  QRect tabRect(int index) const;
  // Where the pages are shown, in the panel's coordinates.
  QRect pageRect() const;
  // The background of the pages, which the selected tab shares.
  QColor pageColor() const { return pageColor_; }
  // The row of tabs, which takes the keyboard focus for the panel.
  QWidget* tabStrip() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 public slots:
  void setCurrentIndex(int index);

 signals:
  void currentChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class TabStrip;
  friend class TabStrip;

  int tabHeight() const;
  int stripHeight() const;
  int rowOf(int index) const { return index / perRow_; }
  // Rows are drawn top to bottom in this order; the last one touches the page.
  int visualRow(int row) const;
  int tabAt(const QPoint& stripPos) const;
  QRect tabRectInStrip(int index) const;
  void layoutChildren();

  int perRow_;
  int current_ = -1;
  QStringList captions_;
  QColor pageColor_{240, 240, 240};
  TabStrip* strip_;
  QStackedWidget* stack_;
};

}  // namespace fendral::ui
