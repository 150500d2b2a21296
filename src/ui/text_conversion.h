#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

namespace fendral::ui {

// The core speaks bytes. The window shows them as UTF-8 when they are valid UTF-8, else as
// Windows-1252, the encoding of settings files written on Windows.
QString fromCore(std::string_view bytes);
// Text the player typed, as UTF-8.
std::string toCore(const QString& text);

// Fills a field with core bytes and remembers them: while its text stays as shown, toCore(field) gives
// back those very bytes; an edited text goes back in the encoding they came in (UTF-8 for a character
// Windows-1252 does not have).
void setCoreText(QLineEdit& field, std::string_view bytes);
std::string toCore(const QLineEdit& field);

}  // namespace fendral::ui
