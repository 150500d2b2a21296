#include "ui/tab_list_accessible.h"

#include <utility>

#include "ui/two_row_tab_panel.h"

namespace fendral::ui {

namespace {

class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PageTabAccessible(TwoRowTabPanel* panel, QWidget* strip, int index)
      : panel_(panel), strip_(strip), index_(index) {}

  bool isValid() const override { return panel_ && strip_ && index_ < panel_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(strip_); }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QString text(QAccessible::Text t) const override {
    return isValid() && t == QAccessible::Name ? panel_->tabText(index_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = panel_->tabRect(index_);
    return {panel_->mapToGlobal(r.topLeft()), r.size()};
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) return s;
    const bool current = panel_->currentIndex() == index_;
    s.focusable = true;
    s.selectable = true;
    s.selected = current;
    s.focused = current && strip_->hasFocus();
    s.invisible = !strip_->isVisible();
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) panel_->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<TwoRowTabPanel> panel_;
  QPointer<QWidget> strip_;
  int index_;
};

}  // namespace

TabListAccessible::TabListAccessible(QWidget* strip, TwoRowTabPanel* panel)
    : QAccessibleWidget(strip, QAccessible::PageTabList), panel_(panel) {}

TabListAccessible::~TabListAccessible() {
  for (QAccessible::Id id : tabs_) QAccessible::deleteAccessibleInterface(id);
}

QString TabListAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && panel_) return panel_->accessibleName();
  return QAccessibleWidget::text(t);
}

int TabListAccessible::childCount() const {
  return panel_ ? panel_->count() : 0;
}

QAccessibleInterface* TabListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  while (static_cast<int>(tabs_.size()) <= index) {
    const int next = static_cast<int>(tabs_.size());
    tabs_.push_back(QAccessible::registerAccessibleInterface(new PageTabAccessible(panel_, widget(), next)));
  }
  return QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(index)]);
}

int TabListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    if (QAccessible::accessibleInterface(tabs_[i]) == child) return static_cast<int>(i);
  }
  return -1;
}

QAccessibleInterface* TabListAccessible::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* tab = child(i);
    if (tab->rect().contains(x, y)) return tab;
  }
  return nullptr;
}

QAccessibleInterface* TabListAccessible::focusChild() const {
  return panel_ && widget()->hasFocus() ? child(panel_->currentIndex()) : nullptr;
}

void announceFocusedTab(QWidget* strip, int current) {
  if (!QAccessible::isActive() || !strip->hasFocus() || current < 0) return;
  QAccessibleEvent focus(strip, QAccessible::Focus);
  focus.setChild(current);
  QAccessible::updateAccessibility(&focus);
}

void announceSelectedTab(QWidget* strip, int current, int previous) {
  if (!QAccessible::isActive()) return;
  announceFocusedTab(strip, current);
  // Each tab whose selection changed is told by its own event, so both are spoken as they now are.
  const std::pair<QAccessible::Event, int> changes[] = {{QAccessible::SelectionRemove, previous},
                                                        {QAccessible::Selection, current}};
  for (const auto& [type, index] : changes) {
    if (index < 0) continue;
    QAccessibleEvent change(strip, type);
    change.setChild(index);
    QAccessible::updateAccessibility(&change);
  }
}

}  // namespace fendral::ui
