#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

namespace fendral::ui {

class TwoRowTabPanel;

// What a screen reader sees of a TwoRowTabPanel's tab strip: a page tab list whose children are
// the page tabs, the selected one marked and holding the focus while the strip has it.
class TabListAccessible : public QAccessibleWidget {
 public:
  TabListAccessible(QWidget* strip, TwoRowTabPanel* panel);
  ~TabListAccessible() override;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

 private:
  QPointer<TwoRowTabPanel> panel_;
  // Page tabs are not objects of their own, so their interfaces are made here on demand and
  // registered once, which keeps their ids stable for the screen reader.
  mutable std::vector<QAccessible::Id> tabs_;
};

// Tell a listening screen reader which tab holds the focus while the strip has it, and that the
// selection moved from `previous` (-1 for none) to `current`. Both do nothing when none listens.
void announceFocusedTab(QWidget* strip, int current);
void announceSelectedTab(QWidget* strip, int current, int previous);

}  // namespace fendral::ui
