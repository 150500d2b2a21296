#include "ui/window_look.h"

#include <QCoreApplication>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace fendral::ui {

namespace {

// Weight and slant are pinned too: an attribute left open comes from the desktop's font.
QFont pixelFont(const QString& family, qreal points, QFont::StyleHint hint) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(qRound(points * 96 / 72));
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

}  // namespace

void useDesignedDpi() {
  QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

QFont controlFont() {
  return pixelFont(QStringLiteral("Sans Serif"), 9, QFont::SansSerif);
}

QFont titleFont(qreal points) {
  return pixelFont(QStringLiteral("Times New Roman"), points, QFont::Serif);
}

QFont proseFont() {
  return pixelFont(QStringLiteral("Arial"), 8.25, QFont::SansSerif);
}

QPalette plainPalette() {
  // Complete in every role and group, so that no colour of a dark scheme shows through. Made once:
  // a style object costs more at start-up than the copies.
  static const QPalette plain = [] {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion ? fusion->standardPalette() : QPalette(QColor(239, 239, 239));
  }();
  return plain;
}

QPalette tealPalette() {
  QPalette palette = plainPalette();
  palette.setColor(QPalette::Window, windowTeal());
  palette.setColor(QPalette::WindowText, Qt::white);
  return palette;
}

QPalette pagePalette(const QColor& page) {
  QPalette palette = plainPalette();
  palette.setColor(QPalette::Window, page);
  palette.setColor(QPalette::WindowText, Qt::black);
  return palette;
}

}  // namespace fendral::ui
