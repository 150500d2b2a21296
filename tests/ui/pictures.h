#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

// Saves what a person would see of `widget` as <build>/pictures/<name>.png, for looking at.
inline bool savePicture(QWidget& widget, const QString& name) {
  const QString folder = QStringLiteral(FENDRAL_PICTURES_DIR);
  QDir().mkpath(folder);
  return widget.grab().save(folder + "/" + name + ".png");
}
