#include "ui/artwork.h"

#include <QPainter>

// Resources of a static library must be registered by name, from outside
// any namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace calorix::ui {
namespace {

// The sun of the logo and the window icon; unit is the size of one of the
// 37 steps across the logo's height.
void DrawSun(QPainter& painter, QPointF centre, qreal unit) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(232, 140, 30), 2.0 * unit, Qt::SolidLine, Qt::RoundCap));
  for (int ray = 0; ray < 8; ++ray) {
    painter.save();
    painter.translate(centre);
    painter.rotate(ray * 45.0);
    painter.drawLine(QPointF(0, -11 * unit), QPointF(0, -16 * unit));
    painter.restore();
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(245, 175, 40));
  painter.drawEllipse(centre, 8.0 * unit, 8.0 * unit);
}

}  // namespace

QPixmap LogoPixmap(qreal scale) {
  QPixmap pixmap(kLogoSize * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  DrawSun(painter, QPointF(18.5, 18.5), 1.0);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(20);
  painter.setFont(font);
  painter.setPen(QColor(30, 70, 120));
  painter.drawText(QRectF(40, 0, kLogoSize.width() - 40, kLogoSize.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   "Calorix");
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawSun(painter, QPointF(size / 2.0, size / 2.0), size / 34.0);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon ResourceIcon(const QString& name) {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  // SVG where the build has Qt SVG, else PNGs rendered from them at build
  // time (src/ui/CMakeLists.txt).
  return QIcon(QStringLiteral(":/calorix/icons/%1." CALORIX_ICON_EXTENSION).arg(name));
}

}  // namespace calorix::ui
