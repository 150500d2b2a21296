#include "ui/text_conversion.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

#include "settings/text_encoding.h"

namespace fendral::ui {

namespace {

constexpr char kBytesProperty[] = "fendralCoreBytes";
constexpr char kShownProperty[] = "fendralCoreText";

}  // namespace

QString fromCore(std::string_view bytes) {
  const std::u32string text = settings::decodeText(bytes);
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toCore(const QString& text) {
  return text.toStdString();
}

void setCoreText(QLineEdit& field, std::string_view bytes) {
  field.setText(fromCore(bytes));
  field.setProperty(kBytesProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  field.setProperty(kShownProperty, field.text());
}

std::string toCore(const QLineEdit& field) {
  const QVariant bytes = field.property(kBytesProperty);
  if (!bytes.isValid()) return toCore(field.text());
  const QByteArray original = bytes.toByteArray();
  if (field.text() == field.property(kShownProperty).toString()) return original.toStdString();
  if (settings::encodingOf(
          std::string_view(original.constData(), static_cast<std::size_t>(original.size()))) ==
      settings::ByteEncoding::Windows1252) {
    const QList<uint> characters = field.text().toUcs4();
    const std::u32string text(characters.begin(), characters.end());
    if (auto encoded = settings::encodeText(text, settings::ByteEncoding::Windows1252)) return *encoded;
  }
  return toCore(field.text());
}

}  // namespace fendral::ui
