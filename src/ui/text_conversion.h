#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace fendral::ui {

// The core speaks 8-bit text in the local encoding; the fields hold QString.
inline std::string toCore(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

inline QString fromCore(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace fendral::ui
