#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

#include "ui/appearance.h"

namespace ui {
namespace {

constexpr int kSize = 32;

const QColor kInk(40, 48, 40);
const QColor kLight(200, 250, 160);

template <typename Draw>
QIcon Painted(Draw draw) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kInk, 2));
  draw(painter);
  return QIcon(pixmap);
}

// A checkerboard: an image.
void Texture(QPainter& painter) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      painter.fillRect(4 + column * 6, 4 + row * 6, 6, 6,
                       (row + column) % 2 ? kWorkingColour : kLight);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(4, 4, 24, 24);
}

// A box in perspective: a model.
void Shape(QPainter& painter) {
  const QPointF front[] = {{5, 11}, {19, 11}, {19, 27}, {5, 27}};
  const QPointF top[] = {{5, 11}, {12, 4}, {26, 4}, {19, 11}};
  const QPointF side[] = {{19, 11}, {26, 4}, {26, 20}, {19, 27}};
  painter.setBrush(kLight);
  painter.drawPolygon(front, 4);
  painter.setBrush(kWorkingColour.lighter(140));
  painter.drawPolygon(top, 4);
  painter.setBrush(kWorkingColour);
  painter.drawPolygon(side, 4);
}

// A plus over a folder: adding to a route.
void Adding(QPainter& painter) {
  painter.setBrush(QColor(230, 200, 120));
  painter.drawRect(3, 9, 22, 17);
  painter.drawRect(3, 6, 9, 3);
  painter.setPen(QPen(QColor(30, 110, 30), 4));
  painter.drawLine(23, 14, 23, 28);
  painter.drawLine(16, 21, 30, 21);
}

// A cross over a list: clearing.
void Clearing(QPainter& painter) {
  painter.setBrush(Qt::white);
  painter.drawRect(4, 3, 18, 24);
  for (int y = 9; y <= 21; y += 6) painter.drawLine(8, y, 18, y);
  painter.setPen(QPen(QColor(190, 40, 30), 4));
  painter.drawLine(17, 17, 28, 28);
  painter.drawLine(28, 17, 17, 28);
}

// Two overlapping sheets: comparing.
void Comparison(QPainter& painter) {
  painter.setBrush(kLight);
  painter.drawRect(3, 3, 16, 20);
  painter.setBrush(kWorkingColour.lighter(130));
  painter.drawRect(13, 9, 16, 20);
}

// A cog: the settings.
void Settings(QPainter& painter) {
  QPainterPath cog;
  const QPointF centre(16, 16);
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 2; ++i) {
    const double angle = i * std::numbers::pi / kTeeth;
    const double radius = i % 2 ? 10.0 : 14.0;
    const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    if (i == 0) cog.moveTo(point);
    else cog.lineTo(point);
  }
  cog.closeSubpath();
  cog.addEllipse(centre, 4, 4);
  painter.setBrush(QColor(150, 160, 150));
  painter.drawPath(cog);
}

}  // namespace

QIcon PageIcon(ops::Page page) {
  switch (page) {
    case ops::Page::kTextures: return Painted(Texture);
    case ops::Page::kShapes: return Painted(Shape);
    case ops::Page::kAdding: return Painted(Adding);
    case ops::Page::kClearing: return Painted(Clearing);
    case ops::Page::kComparison: return Painted(Comparison);
    case ops::Page::kSettings: return Painted(Settings);
  }
  return {};
}

QIcon ProgramIcon() {
  return Painted([](QPainter& painter) {
    painter.setBrush(kWorkingColour);
    painter.drawRoundedRect(1, 1, 30, 30, 6, 6);
    painter.setPen(QPen(kLight, 3));
    painter.drawLine(4, 25, 28, 25);
    painter.drawLine(4, 20, 28, 20);
    for (int x = 7; x <= 25; x += 6) painter.drawLine(x, 18, x, 27);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 18), Qt::AlignCenter, "R");
  });
}

}  // namespace ui
