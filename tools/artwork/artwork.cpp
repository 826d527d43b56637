// Draws the program's artwork: a one-unit cubesat with deployed solar panels
// and antennas over the Earth (436 x 405 JPEG), and the 32 x 32 black
// satellite symbol on a transparent background (PNG).
//   tapir-artwork <output folder>

#include <QCoreApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

struct Vec {
  double x, y, z;
  Vec operator+(const Vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec operator-(const Vec& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec operator*(double k) const { return {x * k, y * k, z * k}; }
};

Vec cross(const Vec& a, const Vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec unit(const Vec& v) { return v * (1.0 / std::sqrt(dot(v, v))); }

// A fixed view of the satellite: turned about the vertical, then tilted towards the viewer.
struct Camera {
  double yaw, pitch, scale;
  QPointF centre;
  Vec turn(const Vec& v) const {
    const double x1 = v.x * std::cos(yaw) + v.z * std::sin(yaw);
    const double z1 = -v.x * std::sin(yaw) + v.z * std::cos(yaw);
    const double y2 = v.y * std::cos(pitch) - z1 * std::sin(pitch);
    const double z2 = v.y * std::sin(pitch) + z1 * std::cos(pitch);
    return {x1, y2, z2};
  }
  QPointF project(const Vec& v) const {
    const Vec t = turn(v);
    return centre + QPointF(t.x * scale, -t.y * scale);
  }
};

// A flat quadrilateral in space with a grid of solar cells or a plain face.
struct Quad {
  std::array<Vec, 4> corners;
  QColor base;
  int cells_u = 0, cells_v = 0;  // 0: no cells
};

const Vec kLight = unit({-0.5, 0.8, 0.6});

void draw_quad(QPainter& p, const Camera& cam, const Quad& q) {
  const Vec normal = unit(cross(q.corners[1] - q.corners[0], q.corners[3] - q.corners[0]));
  const Vec seen = cam.turn(normal);
  const double light = std::abs(dot(cam.turn(normal), cam.turn(kLight)));
  const double shade = 0.45 + 0.55 * light;
  (void)seen;
  QPolygonF outline;
  for (const Vec& c : q.corners) outline << cam.project(c);
  QColor face = q.base;
  face.setRgbF(std::min(1.0, face.redF() * shade), std::min(1.0, face.greenF() * shade),
               std::min(1.0, face.blueF() * shade));
  p.setPen(QPen(QColor(40, 40, 45), 1.0));
  p.setBrush(face);
  p.drawPolygon(outline);
  if (q.cells_u == 0) return;
  // Solar cells: dark blue tiles with a bright rim, inset from the frame.
  const Vec du = (q.corners[1] - q.corners[0]) * (1.0 / q.cells_u);
  const Vec dv = (q.corners[3] - q.corners[0]) * (1.0 / q.cells_v);
  for (int u = 0; u < q.cells_u; ++u) {
    for (int v = 0; v < q.cells_v; ++v) {
      const Vec o = q.corners[0] + du * (u + 0.08) + dv * (v + 0.08);
      QPolygonF cell;
      cell << cam.project(o) << cam.project(o + du * 0.84) << cam.project(o + du * 0.84 + dv * 0.84)
           << cam.project(o + dv * 0.84);
      QLinearGradient glint(cell[0], cell[2]);
      glint.setColorAt(0.0, QColor::fromRgbF(0.10 * shade, 0.16 * shade, 0.45 * shade));
      glint.setColorAt(0.55, QColor::fromRgbF(0.20 * shade + 0.15, 0.30 * shade + 0.1, 0.75 * shade));
      glint.setColorAt(1.0, QColor::fromRgbF(0.05, 0.08 * shade, 0.30 * shade));
      p.setPen(QPen(QColor(150, 160, 190), 0.5));
      p.setBrush(glint);
      p.drawPolygon(cell);
    }
  }
}

double depth(const Camera& cam, const Quad& q) {
  double z = 0;
  for (const Vec& c : q.corners) z += cam.turn(c).z;
  return z / 4;
}

void draw_space(QPainter& p, const QSize& size) {
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0.0, QColor(2, 3, 10));
  sky.setColorAt(1.0, QColor(10, 16, 40));
  p.fillRect(QRect(QPoint(0, 0), size), sky);
  QRandomGenerator stars(1701);  // fixed seed: the same sky at every run
  for (int i = 0; i < 260; ++i) {
    const QPointF at(stars.bounded(size.width()), stars.bounded(size.height()));
    const int bright = 120 + stars.bounded(135);
    const double radius = stars.bounded(10) == 0 ? 1.1 : 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(bright, bright, std::min(255, bright + 20)));
    p.drawEllipse(at, radius, radius);
  }
}

void draw_earth(QPainter& p, const QSize& size) {
  const QPointF centre(size.width() * 0.62, size.height() + 520);
  const double radius = 700;
  // Atmosphere glow around the limb.
  QRadialGradient glow(centre, radius + 40);
  glow.setColorAt(radius / (radius + 40) - 0.002, QColor(90, 160, 255, 230));
  glow.setColorAt(1.0, QColor(40, 80, 200, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(centre, radius + 40, radius + 40);
  // Ocean, lit from the upper left.
  QRadialGradient ocean(centre + QPointF(-260, -560), radius * 1.2);
  ocean.setColorAt(0.0, QColor(60, 130, 210));
  ocean.setColorAt(0.6, QColor(18, 60, 140));
  ocean.setColorAt(1.0, QColor(5, 20, 60));
  p.setBrush(ocean);
  p.drawEllipse(centre, radius, radius);
  // Land and clouds, clipped to the disc.
  QPainterPath disc;
  disc.addEllipse(centre, radius, radius);
  p.save();
  p.setClipPath(disc);
  QRandomGenerator land(4242);
  for (int i = 0; i < 18; ++i) {
    const QPointF at(land.bounded(size.width() + 100) - 50, size.height() - 150 + land.bounded(170));
    QPainterPath blob;
    blob.moveTo(at);
    for (int k = 1; k <= 7; ++k) {
      const double a = k * 2 * std::numbers::pi / 7;
      const double r = 15 + land.bounded(45);
      blob.lineTo(at + QPointF(std::cos(a) * r * 1.8, std::sin(a) * r * 0.6));
    }
    blob.closeSubpath();
    p.setBrush(QColor(70 + land.bounded(50), 110 + land.bounded(40), 50 + land.bounded(30), 200));
    p.drawPath(blob);
  }
  for (int i = 0; i < 30; ++i) {
    const QPointF at(land.bounded(size.width()), size.height() - 160 + land.bounded(170));
    p.setBrush(QColor(255, 255, 255, 60 + land.bounded(90)));
    p.drawEllipse(at, 20 + land.bounded(50), 3 + land.bounded(6));
  }
  // Night side towards the lower right.
  QLinearGradient night(QPointF(0, size.height() - 170), QPointF(size.width(), size.height()));
  night.setColorAt(0.0, QColor(0, 0, 0, 0));
  night.setColorAt(1.0, QColor(0, 0, 20, 170));
  p.setBrush(night);
  p.drawRect(QRect(QPoint(0, 0), size));
  p.restore();
}

void draw_cubesat(QPainter& p, const QSize& size) {
  const Camera cam{0.62, 0.42, 62, QPointF(size.width() * 0.5, size.height() * 0.38)};
  const double h = 0.5;  // half the edge of the one-unit cube
  auto v = [&](double x, double y, double z) { return Vec{x * h, y * h, z * h}; };
  std::vector<Quad> quads = {
      {{v(-1, -1, 1), v(1, -1, 1), v(1, 1, 1), v(-1, 1, 1)}, QColor(190, 190, 200), 2, 2},      // front
      {{v(1, -1, 1), v(1, -1, -1), v(1, 1, -1), v(1, 1, 1)}, QColor(190, 190, 200), 2, 2},      // right
      {{v(-1, 1, 1), v(1, 1, 1), v(1, 1, -1), v(-1, 1, -1)}, QColor(205, 205, 215), 0, 0},      // top
      {{v(-1, -1, -1), v(-1, 1, -1), v(1, 1, -1), v(1, -1, -1)}, QColor(190, 190, 200), 2, 2},  // back
      {{v(-1, -1, -1), v(-1, -1, 1), v(-1, 1, 1), v(-1, 1, -1)}, QColor(190, 190, 200), 2, 2},  // left
      {{v(-1, -1, -1), v(1, -1, -1), v(1, -1, 1), v(-1, -1, 1)}, QColor(150, 150, 160), 0, 0},  // bottom
  };
  // Deployed solar panels, hinged at the top edges and opened out flat.
  const double span = 3.2;
  quads.push_back(
      {{v(1, 1, -1), v(1 + span, 1, -1), v(1 + span, 1, 1), v(1, 1, 1)}, QColor(120, 120, 135), 4, 2});
  quads.push_back(
      {{v(-1 - span, 1, -1), v(-1, 1, -1), v(-1, 1, 1), v(-1 - span, 1, 1)}, QColor(120, 120, 135), 4, 2});
  // Painter's order: the farthest first; a face whose normal looks away is hidden behind the cube anyway.
  std::sort(quads.begin(), quads.end(),
            [&](const Quad& a, const Quad& b) { return depth(cam, a) < depth(cam, b); });

  // Tape antennas from the bottom face, drawn first so the body covers their roots.
  p.setPen(QPen(QColor(230, 220, 170), 1.4));
  const std::array<std::pair<Vec, Vec>, 4> antennas = {{
      {v(0, -1, 0), v(0, -4.2, 0.4)},
      {v(0.6, -1, 0.6), v(3.5, -2.6, 2.0)},
      {v(-0.6, -1, -0.6), v(-3.4, -2.8, -1.6)},
      {v(0.2, 1, -0.2), v(0.6, 3.0, -1.0)},
  }};
  for (const auto& [root, tip] : antennas) p.drawLine(cam.project(root), cam.project(tip));
  for (const Quad& q : quads) {
    const Vec n = cam.turn(cross(q.corners[1] - q.corners[0], q.corners[3] - q.corners[0]));
    const bool panel = q.cells_u == 4;
    if (!panel && n.z < 0) continue;  // back faces of the cube
    draw_quad(p, cam, q);
  }
}

QImage picture() {
  QImage image(436, 405, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw_space(p, image.size());
  draw_earth(p, image.size());
  draw_cubesat(p, image.size());
  return image;
}

// Black symbol: a square body turned by 45 degrees, two panels and an antenna.
QImage icon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(16, 16);
  p.rotate(-45);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRect(QRectF(-4.5, -4.5, 9, 9));  // body
  p.drawRect(QRectF(-15, -3.5, 8, 7));   // left panel
  p.drawRect(QRectF(7, -3.5, 8, 7));     // right panel
  p.setPen(QPen(Qt::black, 1.6));
  p.drawLine(QPointF(-7, 0), QPointF(-4.5, 0));  // panel arms
  p.drawLine(QPointF(4.5, 0), QPointF(7, 0));
  p.drawLine(QPointF(0, -4.5), QPointF(0, -11));  // antenna
  p.drawEllipse(QPointF(0, -12), 1.2, 1.2);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool ok = picture().save(folder + "/satellite.jpg", "JPEG", 90) &&
                  icon().save(folder + "/satellite_icon.png", "PNG");
  if (!ok) std::fprintf(stderr, "cannot write the artwork into %s\n", argv[1]);
  return ok ? 0 : 1;
}
