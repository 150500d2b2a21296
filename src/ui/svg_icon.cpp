#include "ui/svg_icon.h"

#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

// Resources of a static library have to be registered by hand, outside any namespace.
static void registerIcons() {
  Q_INIT_RESOURCE(icons);
}

namespace fendral::ui {

namespace {

class SvgIconEngine : public QIconEngine {
 public:
  explicit SvgIconEngine(QString file) : file_(std::move(file)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatioF(), mode, state));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const quint64 key = (quint64(size.width()) << 32) | quint32(size.height());
    auto cached = rendered_.constFind(key);
    if (cached != rendered_.constEnd()) return *cached;
    // Through the toolkit's SVG image plugin, so that its library loads with the first picture drawn,
    // once the window shows, rather than with the window library.
    QImageReader reader(file_, "svg");
    reader.setScaledSize(size);
    const QPixmap pixmap = QPixmap::fromImage(reader.read());
    rendered_.insert(key, pixmap);
    return pixmap;
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap result = pixmap(size * scale, mode, state);
    result.setDevicePixelRatio(scale);
    return result;
  }

  // The window manager takes a few sizes of the window icon; two are plenty.
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {{32, 32}, {64, 64}}; }

  QIconEngine* clone() const override { return new SvgIconEngine(file_); }
  QString key() const override { return QStringLiteral("fendral-svg"); }

 private:
  QString file_;
  QHash<quint64, QPixmap> rendered_;
};

}  // namespace

QIcon svgIcon(const QString& name) {
  static const bool registered = (registerIcons(), true);
  (void)registered;
  // QIcon takes ownership of the engine.
  return QIcon(new SvgIconEngine(QStringLiteral(":/icons/%1.svg").arg(name)));
}

}  // namespace fendral::ui
