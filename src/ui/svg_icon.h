#pragma once

#include <QIcon>
#include <QString>

namespace fendral::ui {

// An icon drawn from one of the SVG pictures of the resources, at whatever size it is asked for and
// only when it is first asked for: crisp at any scale, and nothing is drawn before the window shows.
QIcon svgIcon(const QString& name);

}  // namespace fendral::ui
