#include "ui/two_row_tab_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <algorithm>

#include "ui/tab_list_accessible.h"

namespace fendral::ui {

namespace {

// Room above the top row, so the selected tab can stand taller than its neighbours.
constexpr int kRise = 2;
// Width of the page's raised border.
constexpr int kBorder = 2;
constexpr int kPagePadding = 4;

const QColor kLight(255, 255, 255);
const QColor kShadow(160, 160, 160);
const QColor kDarkShadow(64, 64, 64);
const QColor kBackTab(218, 218, 218);

}  // namespace

// The strip of tab rows above the pages. It owns mouse and keyboard input for the tabs and
// also draws the page's top border, so it can leave the gap under the selected tab.
class TwoRowTabPanel::TabStrip : public QWidget {
 public:
  explicit TabStrip(TwoRowTabPanel* panel) : QWidget(panel), panel_(panel) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int pageTop = panel_->stripHeight() - kBorder;
    p.fillRect(0, pageTop, width(), kBorder, panel_->pageColor());
    p.setPen(kLight);
    p.drawLine(0, pageTop, width() - 1, pageTop);

    // Back rows first, the selected tab last so it covers its neighbours' edges.
    for (int i = 0; i < panel_->count(); ++i) {
      if (i != panel_->current_) drawTab(p, i, false);
    }
    if (panel_->current_ >= 0) drawTab(p, panel_->current_, true);
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int index = panel_->tabAt(event->position().toPoint());
    if (index >= 0) panel_->setCurrentIndex(index);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const int count = panel_->count();
    const int current = panel_->current_;
    const int perRow = panel_->perRow_;
    int next = current;
    switch (event->key()) {
      case Qt::Key_Left:
        next = current - 1;
        break;
      case Qt::Key_Right:
        next = current + 1;
        break;
      // Up and down walk the columns; the row on screen is not the row in order, so go by order.
      case Qt::Key_Up:
        next = current - perRow;
        break;
      case Qt::Key_Down:
        next = current + perRow;
        break;
      case Qt::Key_Home:
        next = 0;
        break;
      case Qt::Key_End:
        next = count - 1;
        break;
      default:
        return QWidget::keyPressEvent(event);
    }
    if (next >= 0 && next < count) panel_->setCurrentIndex(next);
    event->accept();
  }

  void focusInEvent(QFocusEvent* event) override {
    update();
    QWidget::focusInEvent(event);
    // The focus notice for the strip itself comes after this handler; name the tab after it.
    if (QAccessible::isActive()) {
      QMetaObject::invokeMethod(
          this, [this] { announceFocusedTab(this, panel_->current_); }, Qt::QueuedConnection);
    }
  }
  void focusOutEvent(QFocusEvent* event) override {
    update();
    QWidget::focusOutEvent(event);
  }

 private:
  void drawTab(QPainter& p, int index, bool selected) {
    const QRect r = panel_->tabRectInStrip(index);
    p.fillRect(r, selected ? panel_->pageColor() : kBackTab);
    p.setPen(kLight);
    p.drawLine(r.left(), r.bottom(), r.left(), r.top() + 2);
    p.drawLine(r.left() + 2, r.top(), r.right() - 2, r.top());
    p.drawPoint(r.left() + 1, r.top() + 1);
    p.setPen(kDarkShadow);
    p.drawLine(r.right(), r.top() + 2, r.right(), r.bottom());
    p.drawPoint(r.right() - 1, r.top() + 1);
    p.setPen(kShadow);
    p.drawLine(r.right() - 1, r.top() + 2, r.right() - 1, r.bottom());

    const QRect text = r.adjusted(3, selected ? kRise : 0, -3, selected ? -kRise : 0);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, panel_->tabText(index));
    if (selected && hasFocus()) {
      const QRect caption = p.fontMetrics()
                                .boundingRect(text, Qt::AlignCenter, panel_->tabText(index))
                                .adjusted(-2, -1, 2, 1)
                                .intersected(text);
      p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
      p.drawRect(caption.adjusted(0, 0, -1, -1));
    }
  }

  TwoRowTabPanel* panel_;
};

TwoRowTabPanel::TwoRowTabPanel(int tabsPerRow, QWidget* parent)
    : QWidget(parent),
      perRow_(std::max(1, tabsPerRow)),
      strip_(new TabStrip(this)),
      stack_(new QStackedWidget(this)) {
  // Pages are light with black text, whatever the window around them uses.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pageColor_);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  stack_->setAutoFillBackground(false);
  setFocusProxy(strip_);
  layoutChildren();
}

int TwoRowTabPanel::addTab(QWidget* page, const QString& caption) {
  const int index = stack_->addWidget(page);
  captions_.append(caption);
  if (current_ < 0) {
    current_ = index;
    stack_->setCurrentIndex(index);
    emit currentChanged(index);
  }
  layoutChildren();
  update();
  return index;
}

QWidget* TwoRowTabPanel::widget(int index) const {
  return stack_->widget(index);
}

QString TwoRowTabPanel::tabText(int index) const {
  return index >= 0 && index < count() ? captions_.at(index) : QString();
}

int TwoRowTabPanel::rowCount() const {
  return std::max(1, (count() + perRow_ - 1) / perRow_);
}

void TwoRowTabPanel::setCurrentIndex(int index) {
  if (index < 0 || index >= count() || index == current_) return;
  const int previous = current_;
  current_ = index;
  stack_->setCurrentIndex(index);
  strip_->update();
  update();
  announceSelectedTab(strip_, index, previous);
  emit currentChanged(index);
}

QWidget* TwoRowTabPanel::tabStrip() const {
  return strip_;
}

int TwoRowTabPanel::tabHeight() const {
  return fontMetrics().height() + 8;
}

int TwoRowTabPanel::stripHeight() const {
  return kRise + rowCount() * tabHeight() + kBorder;
}

int TwoRowTabPanel::visualRow(int row) const {
  const int rows = rowCount();
  const int selectedRow = current_ < 0 ? rows - 1 : rowOf(current_);
  return (row - selectedRow + 2 * rows - 1) % rows;
}

QRect TwoRowTabPanel::tabRectInStrip(int index) const {
  const int column = index % perRow_;
  const int tabWidth = width() / perRow_;
  // The last column takes what the division leaves, so full rows reach the right edge.
  const int w = column == perRow_ - 1 ? width() - column * tabWidth : tabWidth;
  QRect r(column * tabWidth, kRise + visualRow(rowOf(index)) * tabHeight(), w, tabHeight());
  if (index == current_) {
    r.adjust(-kRise, -kRise, kRise, kBorder);
    r = r.intersected(QRect(0, 0, width(), stripHeight()));
  }
  return r;
}

QRect TwoRowTabPanel::tabRect(int index) const {
  if (index < 0 || index >= count()) return {};
  return tabRectInStrip(index).translated(strip_->pos());
}

int TwoRowTabPanel::tabAt(const QPoint& stripPos) const {
  // The selected tab overlaps its neighbours, so it is tried first.
  if (current_ >= 0 && tabRectInStrip(current_).contains(stripPos)) return current_;
  for (int i = 0; i < count(); ++i) {
    if (tabRectInStrip(i).contains(stripPos)) return i;
  }
  return -1;
}

QRect TwoRowTabPanel::pageRect() const {
  return stack_->geometry();
}

QSize TwoRowTabPanel::sizeHint() const {
  int widest = 0;
  for (const QString& caption : captions_)
    widest = std::max(widest, fontMetrics().horizontalAdvance(caption));
  const QSize page = stack_->sizeHint();
  const int inset = 2 * (kBorder + kPagePadding);
  return {std::max(perRow_ * (widest + 16), page.width() + inset), stripHeight() + page.height() + inset};
}

QSize TwoRowTabPanel::minimumSizeHint() const {
  return {perRow_ * 24, stripHeight() + 2 * (kBorder + kPagePadding)};
}

void TwoRowTabPanel::layoutChildren() {
  const int top = stripHeight() - kBorder;
  strip_->setGeometry(0, 0, width(), stripHeight());
  const int inset = kBorder + kPagePadding;
  stack_->setGeometry(QRect(0, top, width(), height() - top).adjusted(inset, inset, -inset, -inset));
  strip_->raise();
}

void TwoRowTabPanel::resizeEvent(QResizeEvent* event) {
  layoutChildren();
  QWidget::resizeEvent(event);
}

void TwoRowTabPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int top = stripHeight() - kBorder;
  const QRect page(0, top, width(), height() - top);
  p.fillRect(page, pageColor_);
  p.setPen(kLight);
  p.drawLine(page.topLeft(), page.bottomLeft());
  p.setPen(kDarkShadow);
  p.drawLine(page.right(), page.top(), page.right(), page.bottom());
  p.drawLine(page.left(), page.bottom(), page.right(), page.bottom());
  p.setPen(kShadow);
  p.drawLine(page.right() - 1, page.top() + 1, page.right() - 1, page.bottom() - 1);
  p.drawLine(page.left() + 1, page.bottom() - 1, page.right() - 1, page.bottom() - 1);
}

void TwoRowTabPanel::keyPressEvent(QKeyEvent* event) {
  // Ctrl+Tab reaches the panel from whatever control on a page has the focus.
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (ctrl && event->key() == Qt::Key_Tab && count() > 0) {
    setCurrentIndex((current_ + 1) % count());
  } else if (ctrl && event->key() == Qt::Key_Backtab && count() > 0) {
    setCurrentIndex((current_ + count() - 1) % count());
  } else {
    return QWidget::keyPressEvent(event);
  }
  event->accept();
}

}  // namespace fendral::ui
