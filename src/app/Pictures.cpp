#include "app/Pictures.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using TDraw = std::function<void(QPainter&)>;

constexpr int ButtonSize = 24;
constexpr int StatusSize = 16;
constexpr int SignSize = 32;

// The program's own colours, shared by the splash and the program icon.
const QColor NightBlue(10, 31, 68);
const QColor DeepTeal(14, 124, 123);
const QColor WaveGreen(62, 224, 192);

QPixmap MakePixmap(QSize size, const TDraw& draw) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  draw(painter);
  return pixmap;
}

QPixmap MakePixmap(int size, const TDraw& draw) { return MakePixmap(QSize(size, size), draw); }

// Styles differ in how (and whether) they grey a disabled icon, the offscreen platform not
// at all: the disabled form is made here, grey and faded, so it looks the same everywhere.
QPixmap Greyed(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 120 + qGray(line[x]) * 45 / 100;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 55 / 100);
    }
  }
  return QPixmap::fromImage(image);
}

QLinearGradient VerticalGradient(const QRectF& box, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

// A ball lit from the upper left.
QRadialGradient Glossy(const QPointF& centre, qreal radius, const QColor& light,
                       const QColor& dark) {
  QRadialGradient gradient(centre, radius, centre - QPointF(radius, radius) * 0.45);
  gradient.setColorAt(0, light);
  gradient.setColorAt(1, dark);
  return gradient;
}

void Paint(QPainter& painter, const QPainterPath& path, const QBrush& fill, const QColor& outline,
           qreal width = 1) {
  painter.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(fill);
  painter.drawPath(path);
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(points));
  path.closeSubpath();
  return path;
}

QPainterPath RoundedRect(const QRectF& box, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(box, radius, radius);
  return path;
}

QPainterPath Circle(const QPointF& centre, qreal radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

// A breath: a smooth wave whose rise (inhaling) is quicker than its fall, spread over the box.
QPainterPath WavePath(const QRectF& box, qreal cycles) {
  constexpr int StepsPerCycle = 48;
  const int steps = static_cast<int>(std::ceil(cycles * StepsPerCycle));
  QPainterPath path;
  for (int i = 0; i <= steps; ++i) {
    const qreal t = 2 * std::numbers::pi * cycles * i / steps;
    const qreal level = std::sin(t + 0.35 * std::sin(t));
    const QPointF point(box.left() + box.width() * i / steps,
                        box.center().y() - level * box.height() / 2);
    if (i == 0)
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  return path;
}

void StrokeWave(QPainter& painter, const QRectF& box, qreal cycles, const QColor& colour,
                qreal width) {
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(WavePath(box, cycles));
}

void DrawNothing(QPainter&) {}

void DrawOpen(QPainter& painter) {
  const QColor edge(154, 107, 10);
  Paint(painter,
        Polygon({{2.5, 5.5}, {8.5, 5.5}, {10.5, 7.5}, {19.5, 7.5}, {19.5, 19.5}, {2.5, 19.5}}),
        QColor(222, 165, 32), edge);
  Paint(painter, Polygon({{5.5, 9.5}, {17.5, 9.5}, {17.5, 16}, {5.5, 16}}), Qt::white,
        QColor(150, 150, 150));
  const QRectF flap(2.5, 11.5, 20, 8);
  Paint(painter, Polygon({{6.5, 11.5}, {22.5, 11.5}, {19.5, 19.5}, {2.5, 19.5}}),
        VerticalGradient(flap, QColor(255, 222, 120), QColor(242, 178, 40)), edge);
}

void DrawPrint(QPainter& painter) {
  const QColor edge(75, 85, 99);
  const QColor paperEdge(138, 148, 163);
  Paint(painter, RoundedRect({6.5, 2.5, 11, 8}, 0.5), Qt::white, paperEdge);
  const QRectF body(2.5, 8.5, 19, 10);
  Paint(painter, RoundedRect(body, 2),
        VerticalGradient(body, QColor(236, 239, 243), QColor(160, 169, 181)), edge);
  Paint(painter, RoundedRect({5.5, 14.5, 13, 2}, 0.5), QColor(55, 65, 81), QColor(55, 65, 81));
  Paint(painter, Polygon({{6.5, 15.5}, {17.5, 15.5}, {17.5, 21.5}, {6.5, 21.5}}), Qt::white,
        paperEdge);
  painter.setPen(QPen(QColor(156, 163, 175), 1));
  painter.drawLine(QPointF(8.5, 18.5), QPointF(15.5, 18.5));
  painter.drawLine(QPointF(8.5, 20.5), QPointF(13.5, 20.5));
  Paint(painter, Circle({18.5, 11.5}, 1.1), QColor(34, 197, 94), QColor(21, 128, 61), 0.6);
}

void DrawBmp(QPainter& painter) {
  const QColor edge(31, 35, 41);
  Paint(painter, RoundedRect({7.5, 4.5, 7, 4}, 1), QColor(75, 85, 99), edge);
  Paint(painter, RoundedRect({16.5, 5.5, 3, 2.5}, 0.5), QColor(200, 60, 60), edge, 0.8);
  const QRectF body(2.5, 7.5, 19, 13);
  Paint(painter, RoundedRect(body, 2.5),
        VerticalGradient(body, QColor(100, 110, 125), QColor(45, 51, 62)), edge);
  Paint(painter, RoundedRect({16.5, 9.5, 3, 2}, 0.5), QColor(255, 243, 176), edge, 0.6);
  const QPointF lens(12, 14);
  Paint(painter, Circle(lens, 5.2), QColor(209, 213, 219), edge);
  Paint(painter, Circle(lens, 3.5), Glossy(lens, 3.5, QColor(140, 195, 255), QColor(20, 60, 130)),
        QColor(15, 23, 42), 0.8);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawEllipse(QPointF(10.9, 12.9), 1, 1);
}

void DrawSaveAs(QPainter& painter) {
  const QColor edge(107, 114, 128);
  const QRectF page(4.5, 2.5, 14, 19);
  Paint(painter, Polygon({{4.5, 2.5}, {13.5, 2.5}, {18.5, 7.5}, {18.5, 21.5}, {4.5, 21.5}}),
        VerticalGradient(page, Qt::white, QColor(229, 231, 235)), edge);
  Paint(painter, Polygon({{13.5, 2.5}, {13.5, 7.5}, {18.5, 7.5}}), QColor(209, 213, 219), edge);
  painter.setPen(QPen(QColor(156, 163, 175), 1));
  for (const qreal y : {6.5, 9.5, 12.5})
    painter.drawLine(QPointF(7, y), QPointF(y < 8 ? 11.5 : 16, y));
  const QPainterPath arrow = Polygon(
      {{8.5, 14}, {15.5, 14}, {15.5, 10.5}, {22.5, 16.5}, {15.5, 22.5}, {15.5, 19}, {8.5, 19}});
  // A white rim keeps the arrow apart from the page under it.
  Paint(painter, arrow, Qt::NoBrush, Qt::white, 2.5);
  Paint(painter, arrow,
        VerticalGradient(arrow.boundingRect(), QColor(74, 222, 128), QColor(22, 150, 70)),
        QColor(15, 107, 48));
}

void DrawStart(QPainter& painter) {
  const QPointF centre(12, 12);
  Paint(painter, Circle(centre, 8), Glossy(centre, 8, QColor(255, 120, 120), QColor(170, 15, 15)),
        QColor(127, 10, 10));
}

void DrawMark(QPainter& painter) {
  QPainterPath flag;
  flag.moveTo(6.5, 4);
  flag.cubicTo(10.5, 1.5, 14, 6.5, 20.5, 4);
  flag.lineTo(20.5, 13);
  flag.cubicTo(14, 15.5, 10.5, 10.5, 6.5, 13);
  flag.closeSubpath();
  QLinearGradient cloth(QPointF(6, 4), QPointF(21, 13));
  cloth.setColorAt(0, QColor(255, 170, 50));
  cloth.setColorAt(1, QColor(232, 93, 4));
  Paint(painter, flag, cloth, QColor(163, 61, 0));
  Paint(painter, RoundedRect({5, 3, 2, 19}, 1), QColor(75, 85, 99), QColor(31, 41, 55), 0.6);
  Paint(painter, Circle({6, 2.8}, 1.6), QColor(156, 163, 175), QColor(31, 41, 55), 0.6);
}

void DrawStop(QPainter& painter) {
  const QRectF square(5.5, 5.5, 13, 13);
  Paint(painter, RoundedRect(square, 2),
        VerticalGradient(square, QColor(95, 105, 120), QColor(31, 41, 55)), QColor(17, 24, 39));
}

// A value outside the enumeration gets a blank picture rather than a fault.
TDraw ButtonDrawing(TButtonPicture which) {
  switch (which) {
    case TButtonPicture::Open:
      return DrawOpen;
    case TButtonPicture::Print:
      return DrawPrint;
    case TButtonPicture::Bmp:
      return DrawBmp;
    case TButtonPicture::SaveAs:
      return DrawSaveAs;
    case TButtonPicture::Start:
      return DrawStart;
    case TButtonPicture::Mark:
      return DrawMark;
    case TButtonPicture::Stop:
      return DrawStop;
  }
  return DrawNothing;
}

void DrawLinkDot(QPainter& painter, const QColor& light, const QColor& dark, bool sending) {
  const QPointF centre(8, 8);
  Paint(painter, Circle(centre, 6.5), Glossy(centre, 6.5, light, dark), dark.darker(150));
  if (!sending) return;
  painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(
      QPolygonF({{3, 8.5}, {5.5, 8.5}, {7, 4.5}, {9, 11.5}, {10.5, 8.5}, {13, 8.5}}));
}

// The battery's charge fills its body from the left; an unknown charge leaves it empty.
void DrawBattery(QPainter& painter, qreal charge, const QColor& colour) {
  const QColor edge = charge > 0 ? QColor(55, 65, 81) : QColor(140, 148, 160);
  Paint(painter, RoundedRect({13.5, 6, 2, 4}, 0.8), edge, edge, 0.5);
  Paint(painter, RoundedRect({1.5, 4.5, 12, 7}, 1.5),
        charge > 0 ? QColor(255, 255, 255, 230) : QColor(226, 230, 235, 200), edge);
  if (charge <= 0) return;
  const QRectF full(3, 6, 9, 4);
  const QRectF level(full.left(), full.top(), full.width() * charge, full.height());
  painter.setPen(Qt::NoPen);
  painter.setBrush(VerticalGradient(level, colour.lighter(130), colour));
  painter.drawRoundedRect(level, 0.5, 0.5);
}

void DrawStatus(QPainter& painter, int index) {
  struct TBatteryLevel {
    qreal Charge;
    QColor Colour;
  };
  static const TBatteryLevel levels[] = {{0.2, QColor(220, 38, 38)},
                                         {0.4, QColor(245, 140, 20)},
                                         {0.62, QColor(150, 200, 30)},
                                         {1, QColor(34, 170, 70)}};
  const QColor green(110, 231, 140);
  const QColor darkGreen(21, 140, 60);
  switch (index) {
    case 0:
      DrawLinkDot(painter, QColor(225, 228, 232), QColor(140, 148, 160), false);
      break;
    case 1:
      DrawLinkDot(painter, green, darkGreen, false);
      break;
    case 2:
      DrawLinkDot(painter, green, darkGreen, true);
      break;
    case 3:
      DrawBattery(painter, 0, {});
      break;
    default:
      DrawBattery(painter, levels[index - 4].Charge, levels[index - 4].Colour);
      break;
  }
}

// A hand-held monitor standing upright in the body box: a display showing a breath, two
// buttons and the sensor port on top. Lines keep at least a pixel wide at the small size.
void DrawDevice(QPainter& painter, const QRectF& body) {
  const qreal w = body.width();
  const qreal h = body.height();
  const qreal line = std::max(1.0, w / 30);
  const QColor edge(71, 85, 105);
  const QRectF port(body.center().x() - w * 0.16, body.top() - h * 0.07, w * 0.32, h * 0.1);
  Paint(painter, RoundedRect(port, w * 0.04), QColor(100, 116, 139), edge, line);
  Paint(painter, RoundedRect(body, w * 0.18),
        VerticalGradient(body, QColor(248, 250, 252), QColor(190, 200, 212)), edge, line);
  const QRectF screen(body.left() + w * 0.15, body.top() + h * 0.12, w * 0.7, h * 0.42);
  Paint(painter, RoundedRect(screen, w * 0.06),
        VerticalGradient(screen, QColor(22, 52, 72), QColor(10, 28, 40)), QColor(30, 41, 59), line);
  const QRectF trace = screen.adjusted(w * 0.08, h * 0.1, -w * 0.08, -h * 0.1);
  StrokeWave(painter, trace, w < 20 ? 1 : 1.5, WaveGreen, std::max(1.0, w / 18));
  const qreal buttonY = body.top() + h * 0.74;
  const qreal radius = w * 0.11;
  const QPointF left(body.left() + w * 0.32, buttonY);
  const QPointF right(body.left() + w * 0.68, buttonY);
  Paint(painter, Circle(left, radius), Glossy(left, radius, QColor(94, 234, 212), DeepTeal), edge,
        line * 0.8);
  Paint(painter, Circle(right, radius),
        Glossy(right, radius, QColor(226, 232, 240), QColor(120, 134, 152)), edge, line * 0.8);
}

// The program's symbol, drawn on a 48-unit square whatever the size.
void DrawProgramSymbol(QPainter& painter, int size) {
  painter.scale(size / 48.0, size / 48.0);
  const QRectF square(2, 2, 44, 44);
  QLinearGradient background(square.topLeft(), square.bottomRight());
  background.setColorAt(0, NightBlue.lighter(130));
  background.setColorAt(1, DeepTeal);
  Paint(painter, RoundedRect(square, 10), background, NightBlue, 1.5);
  // At the smallest size a single breath stays readable.
  const bool small = size < 24;
  StrokeWave(painter, QRectF(9, 13, 30, 22), small ? 1 : 1.5, Qt::white, small ? 6 : 4.5);
}

QFont SplashFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void DrawSplash(QPainter& painter, QSize size) {
  const QRectF area(QPointF(0, 0), size);
  QLinearGradient background(area.topLeft(), area.bottomRight());
  background.setColorAt(0, NightBlue);
  background.setColorAt(0.55, QColor(12, 70, 100));
  background.setColorAt(1, DeepTeal);
  painter.fillRect(area, background);

  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 10));
  painter.drawEllipse(QPointF(area.width() - 70, 40), 150, 150);
  painter.drawEllipse(QPointF(area.width() - 20, 150), 90, 90);

  QFont title = SplashFont(68, true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QPointF(40, 104), QStringLiteral("VT4800"));

  painter.setFont(SplashFont(21, false));
  painter.setPen(QColor(200, 235, 240));
  painter.drawText(QPointF(43, 140), QStringLiteral("Ventora respiratory monitor"));
  painter.fillRect(QRectF(43, 154, 60, 3), WaveGreen);

  const QRectF waveBox(40, 182, area.width() - 80, 70);
  const QPainterPath wave = WavePath(waveBox, 2.5);
  QPainterPath underWave = wave;
  underWave.lineTo(waveBox.bottomRight());
  underWave.lineTo(waveBox.bottomLeft());
  underWave.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(VerticalGradient(waveBox, QColor(62, 224, 192, 70), QColor(62, 224, 192, 0)));
  painter.drawPath(underWave);
  painter.setPen(QPen(QColor(255, 255, 255, 40), 8, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(wave);
  painter.setPen(QPen(WaveGreen.lighter(120), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(wave);

  painter.setFont(SplashFont(13, false));
  painter.setPen(QColor(220, 240, 245, 210));
  painter.drawText(QPointF(43, area.height() - 26), QStringLiteral("Loading..."));

  // The splash window has no frame of its own.
  painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
}

void DrawInformation(QPainter& painter) {
  const QPointF centre(16, 16);
  Paint(painter, Circle(centre, 14.5),
        Glossy(centre, 14.5, QColor(110, 180, 255), QColor(22, 84, 170)), QColor(15, 70, 140));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(16, 9), 2.3, 2.3);
  painter.drawRoundedRect(QRectF(13.8, 13, 4.4, 11.5), 1.2, 1.2);
}

// A pencil lying from the lower left (its point) to the upper right (its eraser).
void DrawPencil(QPainter& painter) {
  painter.translate(16, 16);
  painter.rotate(-45);
  const QColor edge(90, 60, 20);
  const qreal half = 4;
  Paint(painter, RoundedRect({12, -half, 6, 2 * half}, 2), QColor(244, 143, 160), edge);
  Paint(painter, Polygon({{8, -half}, {13, -half}, {13, half}, {8, half}}),
        VerticalGradient({8, -half, 5, 2 * half}, QColor(230, 232, 236), QColor(140, 148, 160)),
        QColor(80, 88, 100));
  const QRectF barrel(-9, -half, 17, 2 * half);
  Paint(painter, Polygon({{-9, -half}, {8, -half}, {8, half}, {-9, half}}),
        VerticalGradient(barrel, QColor(255, 214, 80), QColor(225, 150, 10)), edge);
  painter.setPen(QPen(QColor(255, 240, 170), 1));
  painter.drawLine(QPointF(-8.5, -1.3), QPointF(7.5, -1.3));
  Paint(painter, Polygon({{-9, -half}, {-17, 0}, {-9, half}}), QColor(240, 200, 150), edge);
  Paint(painter, Polygon({{-14.3, -1.35}, {-17, 0}, {-14.3, 1.35}}), QColor(50, 50, 55),
        QColor(50, 50, 55), 0.6);
}

}  // namespace

QIcon ButtonPicture(TButtonPicture which) {
  const QPixmap normal = MakePixmap(ButtonSize, ButtonDrawing(which));
  QIcon icon;
  icon.addPixmap(normal, QIcon::Normal);
  icon.addPixmap(Greyed(normal), QIcon::Disabled);
  return icon;
}

QPixmap StatusImage(int index) {
  if (index < 0 || index >= StatusImageCount) return MakePixmap(StatusSize, DrawNothing);
  return MakePixmap(StatusSize, [index](QPainter& painter) { DrawStatus(painter, index); });
}

QPixmap SplashPicture() {
  const QSize size(604, 328);
  return MakePixmap(size, [size](QPainter& painter) { DrawSplash(painter, size); });
}

QPixmap AboutPicture() {
  return MakePixmap(96, [](QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QPointF(50, 89), 26, 4);
    DrawDevice(painter, QRectF(26, 12, 44, 75));
  });
}

QPixmap MessagePicture() { return MakePixmap(SignSize, DrawInformation); }

QPixmap PromptPicture() { return MakePixmap(SignSize, DrawPencil); }

QPixmap DevicePanelPicture() {
  return MakePixmap(StatusSize,
                    [](QPainter& painter) { DrawDevice(painter, QRectF(2.5, 1.5, 11, 14)); });
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48})
    icon.addPixmap(
        MakePixmap(size, [size](QPainter& painter) { DrawProgramSymbol(painter, size); }));
  return icon;
}
