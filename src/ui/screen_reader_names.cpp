#include "ui/screen_reader_names.h"

#include <QAccessible>
#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace fendral::ui {

namespace {

constexpr char kWaitingName[] = "fendralScreenReaderName";

class NameHandOver : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    if (!active) return;
    for (QWidget* widget : QApplication::allWidgets()) {
      const QVariant name = widget->property(kWaitingName);
      if (!name.isValid()) continue;
      widget->setAccessibleName(name.toString());
      widget->setProperty(kWaitingName, QVariant());
    }
  }
};

}  // namespace

void nameForScreenReaders(QWidget* widget, const QString& name) {
  if (QAccessible::isActive()) {
    widget->setAccessibleName(name);
  } else {
    widget->setProperty(kWaitingName, name);
  }
}

void handOverNamesWhenListened() {
  static NameHandOver handOver;
  QAccessible::installActivationObserver(&handOver);
}

}  // namespace fendral::ui
