#include "ui/application_setup.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>

#include "ui/frm_main.h"
#include "ui/screen_reader_names.h"
#include "ui/svg_icon.h"
#include "ui/tab_list_accessible.h"
#include "ui/two_row_tab_panel.h"

namespace fendral::ui {

namespace {

// Qt asks this for every class of every widget it describes, listener or not: a name compare each.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
  if (className == QLatin1String("fendral::ui::frmMain")) {
    // A plain top-level widget would show as a filler, and its title would go unspoken.
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  if (className == QLatin1String("QWidget")) {
    auto* panel = qobject_cast<TwoRowTabPanel*>(object->parent());
    if (panel && panel->tabStrip() == object) return new TabListAccessible(panel->tabStrip(), panel);
  }
  return nullptr;
}

}  // namespace

void prepareApplication() {
  QAccessible::installFactory(accessibleFor);
  handOverNamesWhenListened();
  // Drawn once the event loop runs, so the first window shows without waiting for the picture;
  // windows already open take it then.
  QTimer::singleShot(0, qApp, [] { QApplication::setWindowIcon(svgIcon(QStringLiteral("launch"))); });
}

}  // namespace fendral::ui
