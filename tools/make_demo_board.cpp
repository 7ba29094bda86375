// Draws the photograph of the demo board DEMO-1 from its description:
//   make_demo_board OUTFILE        (OUTFILE ending in .jpg or .png)
// Everything sits where tools/demo_board.cpp puts it, so the plan's pin
// positions land on the drawn pads. The picture imitates a photograph
// taken from above: green solder mask with lighter copper traces under it,
// tinned pads, white silkscreen, black plastic packages with metal leads,
// soft shadows, uneven light and a little sensor noise.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "demo_board.h"

namespace {

using vanto::demo::DemoBoard;
using vanto::demo::DemoComponent;
using vanto::demo::DemoPin;
using vanto::demo::Package;
using vanto::demo::PixelRect;

const QColor kMask(34, 112, 58);
const QColor kMaskDark(22, 80, 42);
const QColor kCopperUnderMask(72, 150, 72);
const QColor kTin(205, 205, 198);
const QColor kTinDark(150, 152, 148);
const QColor kSilk(236, 238, 232);
const QColor kPlastic(28, 28, 31);
const QColor kGold(214, 176, 84);

class Painter {
 public:
  Painter(QImage& image, const DemoBoard& board) : p_(&image), board_(board) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  }

  double Mm(double mm) const { return mm * board_.pixelsPerMm; }

  void Background() {
    QLinearGradient wood(0, 0, board_.width, board_.height);
    wood.setColorAt(0.0, QColor(74, 66, 58));
    wood.setColorAt(1.0, QColor(46, 41, 37));
    p_.fillRect(0, 0, board_.width, board_.height, wood);
  }

  void Board() {
    const PixelRect& o = board_.outline;
    QRectF edge(o.left, o.top, o.right - o.left, o.bottom - o.top);
    // Shadow of the board on the bench.
    p_.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
      p_.setBrush(QColor(0, 0, 0, 18));
      p_.drawRoundedRect(edge.translated(3 + i, 5 + i), Mm(2), Mm(2));
    }
    // FR4 edge, then the mask a little inside it.
    p_.setBrush(QColor(170, 160, 110));
    p_.drawRoundedRect(edge, Mm(2), Mm(2));
    QRadialGradient light(board_.width * 0.42, board_.height * 0.35, board_.width * 0.75);
    light.setColorAt(0.0, kMask.lighter(112));
    light.setColorAt(0.7, kMask);
    light.setColorAt(1.0, kMaskDark);
    p_.setBrush(light);
    p_.drawRoundedRect(edge.adjusted(3, 3, -3, -3), Mm(1.8), Mm(1.8));
  }

  void MountingHoles() {
    const PixelRect& o = board_.outline;
    const double inset = Mm(3.5);
    for (double x : {o.left + inset, o.right - inset}) {
      for (double y : {o.top + inset, o.bottom - inset}) {
        Ring(QPointF(x, y), Mm(2.3), Mm(1.35));
        p_.setPen(QPen(kSilk, Mm(0.18)));
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(QPointF(x, y), Mm(2.9), Mm(2.9));
      }
    }
  }

  // Copper traces under the mask: every net's pins chained nearest first,
  // each hop leaving its pads outwards and turning once with a 45 degree
  // corner. Ground pins drop to a via into the ground plane instead.
  void Traces(const std::vector<const DemoComponent*>& parts) {
    struct End {
      QPointF pad;
      QPointF escape;
    };
    std::map<std::string, std::vector<End>> nets;
    for (const DemoComponent* part : parts) {
      const double cx = (part->body.left + part->body.right) / 2.0;
      const double cy = (part->body.top + part->body.bottom) / 2.0;
      for (const DemoPin& pin : part->pins) {
        QPointF pad(pin.x, pin.y);
        double dx = pin.x - cx;
        double dy = pin.y - cy;
        if (std::abs(dx) >= std::abs(dy)) {
          dy = 0;
          dx = dx >= 0 ? 1 : -1;
        } else {
          dx = 0;
          dy = dy >= 0 ? 1 : -1;
        }
        const double reach = Mm(1.6) + std::max(pin.padWidth, pin.padHeight) / 2.0;
        nets[pin.net].push_back({pad, pad + QPointF(dx * reach, dy * reach)});
      }
    }
    p_.setBrush(Qt::NoBrush);
    for (auto& [name, ends] : nets) {
      if (name == "GND") {
        for (const End& end : ends) {
          Track({end.pad, end.escape}, Mm(0.5));
          Via(end.escape);
        }
        continue;
      }
      if (ends.size() < 2) continue;
      const double width = name == "VCC" || name == "VIN" ? Mm(0.7) : Mm(0.3);
      std::vector<End> chain{ends.front()};
      std::vector<End> rest(ends.begin() + 1, ends.end());
      while (!rest.empty()) {
        auto nearest = std::min_element(rest.begin(), rest.end(), [&](const End& a, const End& b) {
          return Distance(a.pad, chain.back().pad) < Distance(b.pad, chain.back().pad);
        });
        chain.push_back(*nearest);
        rest.erase(nearest);
      }
      for (std::size_t i = 1; i < chain.size(); ++i) {
        const End& a = chain[i - 1];
        const End& b = chain[i];
        std::vector<QPointF> route{a.pad, a.escape};
        const double dx = b.escape.x() - a.escape.x();
        const double dy = b.escape.y() - a.escape.y();
        const double corner = std::min({std::abs(dx), std::abs(dy), Mm(1.5)});
        const double sx = dx >= 0 ? 1 : -1;
        const double sy = dy >= 0 ? 1 : -1;
        route.push_back(QPointF(b.escape.x() - sx * corner, a.escape.y()));
        route.push_back(QPointF(b.escape.x(), a.escape.y() + sy * corner));
        route.push_back(b.escape);
        route.push_back(b.pad);
        Track(route, width);
      }
    }
  }

  // Two fiducials for the pick-and-place camera, in free spots.
  void Fiducials() {
    const PixelRect& o = board_.outline;
    for (QPointF at :
         {QPointF(o.left + Mm(19), o.top + Mm(29)), QPointF(o.left + Mm(70), o.top + Mm(27))}) {
      p_.setPen(Qt::NoPen);
      p_.setBrush(kMask.darker(112));
      p_.drawEllipse(at, Mm(1.0), Mm(1.0));
      p_.setBrush(TinBrush(at, Mm(0.5)));
      p_.drawEllipse(at, Mm(0.5), Mm(0.5));
    }
  }

  void Pads(const DemoComponent& part) {
    for (const DemoPin& pin : part.pins) {
      const QPointF c(pin.x, pin.y);
      if (pin.throughHole) {
        const double r = std::max(pin.padWidth, pin.padHeight) / 2.0;
        const bool square =
            pin.number == 1 && (part.package == Package::Dip || part.package == Package::PinHeader);
        p_.setPen(Qt::NoPen);
        p_.setBrush(TinBrush(c, r));
        if (square) {
          p_.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        } else {
          p_.drawEllipse(c, r, r);
        }
      } else if (part.package == Package::TestPoint) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(TinBrush(c, pin.padWidth / 2.0));
        p_.drawEllipse(c, pin.padWidth / 2.0, pin.padHeight / 2.0);
      } else {
        QRectF pad(c.x() - pin.padWidth / 2.0, c.y() - pin.padHeight / 2.0, pin.padWidth,
                   pin.padHeight);
        p_.setPen(Qt::NoPen);
        p_.setBrush(TinBrush(c, std::max(pin.padWidth, pin.padHeight) / 2.0));
        p_.drawRect(pad);
      }
    }
  }

  void Silkscreen(const DemoComponent& part, bool outline) {
    p_.setPen(QPen(kSilk, Mm(0.18), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p_.setBrush(Qt::NoBrush);
    if (outline) {
      const PixelRect& f = part.footprint;
      const double m = Mm(0.5);
      switch (part.package) {
        case Package::Qfp:
        case Package::Soic:
        case Package::Sot23:
        case Package::ChipResistor:
        case Package::ChipCapacitor: break;  // no room between the pads; the designator says enough
        case Package::TestPoint:
          p_.drawEllipse(QPointF(part.pins.front().x, part.pins.front().y), Mm(1.3), Mm(1.3));
          break;
        default:
          p_.drawRect(
              QRectF(f.left - m, f.top - m, f.right - f.left + 2 * m, f.bottom - f.top + 2 * m));
      }
    }
    // Pin-1 marks and polarity.
    if (!part.pins.empty()) {
      const DemoPin& one = part.pins.front();
      p_.setPen(Qt::NoPen);
      p_.setBrush(kSilk);
      if (part.package == Package::Qfp) {
        p_.drawEllipse(QPointF(one.x - Mm(1.3), one.y - Mm(1.0)), Mm(0.35), Mm(0.35));
      } else if (part.package == Package::Soic) {
        p_.drawEllipse(QPointF(one.x - Mm(0.9), one.y + Mm(1.1)), Mm(0.3), Mm(0.3));
      } else if (part.package == Package::SmdElectrolytic) {
        Text("+", one.x - Mm(1.6), one.y - Mm(2.6), Mm(1.8), true, kSilk);
      }
    }
    if (part.package == Package::TestPoint) {
      TextLeft(part.name + " " + part.value, part.pins.front().x + Mm(2.0), part.pins.front().y,
               Mm(1.0), kSilk);
      return;
    }
    Text(part.name, part.labelX, part.labelY, Mm(1.2), true, kSilk);
  }

  void Body(const DemoComponent& part) {
    const PixelRect& b = part.body;
    const QRectF body(b.left, b.top, b.right - b.left, b.bottom - b.top);
    switch (part.package) {
      case Package::Dip: Dip(part, body); break;
      case Package::Soic: Soic(part, body); break;
      case Package::Qfp: Qfp(part, body); break;
      case Package::PinHeader: Header(part, body); break;
      case Package::AxialResistor: Axial(part, body, false); break;
      case Package::AxialDiode: Axial(part, body, true); break;
      case Package::ChipResistor: Chip(part, body, kPlastic.lighter(120)); break;
      case Package::ChipCapacitor: Chip(part, body, QColor(176, 138, 92)); break;
      case Package::SmdElectrolytic: Electrolytic(part, body); break;
      case Package::Sod123: Sod123(part, body); break;
      case Package::Sot23: Sot23(part, body); break;
      case Package::Crystal: Crystal(part, body); break;
      case Package::TestPoint: break;  // the pad is all there is
    }
  }

  void HeaderNames(const DemoComponent& header, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < header.pins.size() && i < names.size(); ++i) {
      const DemoPin& pin = header.pins[i];
      TextLeft(names[i], pin.x + Mm(2.2), pin.y, Mm(1.0), kSilk);
    }
  }

  void TitleBlock() {
    const PixelRect& o = board_.outline;
    const double x = o.right - Mm(14);
    Text("VANTO", x, o.top + Mm(6.5), Mm(3.2), true, kSilk);
    Text("DEMO-1  SENSOR I/F", x, o.top + Mm(9.6), Mm(1.4), true, kSilk);
    Text("REV B   2024-03", x, o.top + Mm(12.0), Mm(1.1), false, kSilk);
    // A serial-number sticker.
    QRectF label(o.right - Mm(22), o.bottom - Mm(9.5), Mm(14), Mm(5));
    p_.setPen(Qt::NoPen);
    p_.setBrush(QColor(0, 0, 0, 40));
    p_.drawRect(label.translated(Mm(0.3), Mm(0.4)));
    p_.setBrush(QColor(240, 238, 228));
    p_.drawRect(label);
    std::mt19937 bars(7);
    std::uniform_int_distribution<int> w(1, 3);
    double bx = label.left() + Mm(1);
    p_.setBrush(QColor(20, 20, 20));
    while (bx < label.right() - Mm(1.5)) {
      const double bw = w(bars) * 1.6;
      p_.drawRect(QRectF(bx, label.top() + Mm(0.6), bw, Mm(2.4)));
      bx += bw + w(bars) * 1.6;
    }
    Text("SN 0001274", label.center().x(), label.bottom() - Mm(0.8), Mm(1.0), false,
         QColor(20, 20, 20));
  }

  // Uneven light and sensor noise over the whole picture.
  static void Finish(QImage& image) {
    std::mt19937 random(20240311);
    std::normal_distribution<double> noise(0.0, 3.0);
    const double cx = image.width() * 0.45;
    const double cy = image.height() * 0.4;
    const double reach = std::hypot(image.width(), image.height()) * 0.6;
    for (int y = 0; y < image.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const double fall = 1.0 - 0.18 * std::pow(std::hypot(x - cx, y - cy) / reach, 2.0);
        const double grain = noise(random);
        auto channel = [&](int v) {
          return std::clamp(static_cast<int>(std::lround(v * fall + grain)), 0, 255);
        };
        const QRgb c = line[x];
        line[x] = qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
      }
    }
  }

 private:
  static double Distance(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

  QBrush TinBrush(QPointF centre, double radius) {
    QRadialGradient g(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.6);
    g.setColorAt(0.0, kTin.lighter(112));
    g.setColorAt(0.6, kTin);
    g.setColorAt(1.0, kTinDark);
    return g;
  }

  void Track(const std::vector<QPointF>& points, double width) {
    QPainterPath path(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
    p_.setBrush(Qt::NoBrush);
    p_.setPen(
        QPen(QColor(kCopperUnderMask.red(), kCopperUnderMask.green(), kCopperUnderMask.blue(), 150),
             width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p_.drawPath(path);
  }

  void Via(QPointF at) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(kCopperUnderMask.lighter(115));
    p_.drawEllipse(at, Mm(0.45), Mm(0.45));
    p_.setBrush(QColor(18, 40, 24));
    p_.drawEllipse(at, Mm(0.17), Mm(0.17));
  }

  void Ring(QPointF centre, double outer, double hole) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(TinBrush(centre, outer));
    p_.drawEllipse(centre, outer, outer);
    p_.setBrush(QColor(40, 36, 33));
    p_.drawEllipse(centre, hole, hole);
  }

  void Shadow(const QRectF& body, double radius) {
    p_.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
      p_.setBrush(QColor(0, 0, 0, 22));
      p_.drawRoundedRect(body.translated(Mm(0.15) * i, Mm(0.22) * i), radius, radius);
    }
  }

  QBrush PlasticBrush(const QRectF& body, const QColor& base) {
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0.0, base.lighter(135));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, base.darker(125));
    return g;
  }

  // A metal lead from the body edge to the pad, as wide as given.
  void Lead(QPointF from, QPointF to, double width) {
    p_.setPen(QPen(QColor(188, 190, 186), width, Qt::SolidLine, Qt::FlatCap));
    p_.drawLine(from, to);
    p_.setPen(QPen(QColor(232, 234, 230), width * 0.35, Qt::SolidLine, Qt::FlatCap));
    p_.drawLine(from, to);
  }

  // A solder joint on a through-hole pad with its lead in it.
  void Joint(const DemoPin& pin, double leadRadius) {
    const QPointF c(pin.x, pin.y);
    p_.setPen(Qt::NoPen);
    QRadialGradient g(c - QPointF(leadRadius * 0.8, leadRadius), leadRadius * 3.0);
    g.setColorAt(0.0, QColor(248, 248, 244));
    g.setColorAt(0.5, QColor(196, 198, 194));
    g.setColorAt(1.0, QColor(128, 130, 128));
    p_.setBrush(g);
    p_.drawEllipse(c, leadRadius * 1.6, leadRadius * 1.6);
  }

  void Marking(const QRectF& body, const std::vector<std::string>& lines, double size) {
    const double step = size * 1.25;
    double y =
        body.center().y() - step * (static_cast<double>(lines.size()) - 1) / 2.0 + size * 0.35;
    for (const std::string& line : lines) {
      Text(line, body.center().x(), y, size, false, QColor(170, 170, 168));
      y += step;
    }
  }

  void Dip(const DemoComponent& part, const QRectF& body) {
    for (const DemoPin& pin : part.pins) {
      const double edge = pin.y > body.center().y() ? body.bottom() : body.top();
      Lead(QPointF(pin.x, edge), QPointF(pin.x, pin.y), Mm(0.9));
      Joint(pin, Mm(0.35));
    }
    Shadow(body, Mm(0.4));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic));
    p_.drawRoundedRect(body, Mm(0.4), Mm(0.4));
    // Notch at the pin-1 end and the dimple over pin 1.
    p_.setBrush(QColor(12, 12, 14));
    p_.drawPie(QRectF(body.left() - Mm(1.0), body.center().y() - Mm(1.0), Mm(2.0), Mm(2.0)),
               -90 * 16, 180 * 16);
    p_.drawEllipse(QPointF(body.left() + Mm(1.6), body.bottom() - Mm(1.4)), Mm(0.5), Mm(0.5));
    Marking(body, {"SN" + part.value + "N", "2318A  MLY"}, Mm(1.35));
  }

  void Soic(const DemoComponent& part, const QRectF& body) {
    for (const DemoPin& pin : part.pins) {
      const bool below = pin.y > body.center().y();
      const double edge = below ? body.bottom() : body.top();
      const double tip = pin.y + (below ? 1 : -1) * pin.padHeight * 0.3;
      Lead(QPointF(pin.x, edge), QPointF(pin.x, tip), pin.padWidth * 0.7);
    }
    Shadow(body, Mm(0.2));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic));
    p_.drawRoundedRect(body, Mm(0.2), Mm(0.2));
    p_.setBrush(QColor(12, 12, 14));
    p_.drawEllipse(QPointF(body.left() + Mm(0.8), body.bottom() - Mm(0.8)), Mm(0.35), Mm(0.35));
    Marking(body, {part.value, "T21K"}, Mm(0.95));
  }

  void Qfp(const DemoComponent& part, const QRectF& body) {
    for (const DemoPin& pin : part.pins) {
      QPointF from(pin.x, pin.y);
      QPointF tip(pin.x, pin.y);
      if (pin.padWidth > pin.padHeight) {  // left and right sides
        const bool right = pin.x > body.center().x();
        from.setX(right ? body.right() : body.left());
        tip.setX(pin.x + (right ? 1 : -1) * pin.padWidth * 0.25);
        Lead(from, tip, pin.padHeight * 0.65);
      } else {
        const bool below = pin.y > body.center().y();
        from.setY(below ? body.bottom() : body.top());
        tip.setY(pin.y + (below ? 1 : -1) * pin.padHeight * 0.25);
        Lead(from, tip, pin.padWidth * 0.65);
      }
    }
    Shadow(body, Mm(0.2));
    QPainterPath outline;
    const double cut = Mm(0.6);
    outline.moveTo(body.left() + cut, body.top());
    outline.lineTo(body.right(), body.top());
    outline.lineTo(body.right(), body.bottom());
    outline.lineTo(body.left(), body.bottom());
    outline.lineTo(body.left(), body.top() + cut);
    outline.closeSubpath();
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic));
    p_.drawPath(outline);
    p_.setBrush(QColor(14, 14, 16));
    p_.drawEllipse(QPointF(body.left() + Mm(1.0), body.top() + Mm(1.0)), Mm(0.4), Mm(0.4));
    Marking(body, {part.value, "AU 2247", "1K0P3Q"}, Mm(0.95));
  }

  void Header(const DemoComponent& part, const QRectF& body) {
    Shadow(body, Mm(0.2));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic.lighter(110)));
    p_.drawRect(body);
    p_.setPen(QPen(QColor(10, 10, 12), Mm(0.12)));
    for (std::size_t i = 1; i < part.pins.size(); ++i) {
      const double y = (part.pins[i - 1].y + part.pins[i].y) / 2.0;
      p_.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
    }
    p_.setPen(Qt::NoPen);
    for (const DemoPin& pin : part.pins) {
      const double s = Mm(0.64);
      QRectF tip(pin.x - s, pin.y - s, 2 * s, 2 * s);
      QLinearGradient g(tip.topLeft(), tip.bottomRight());
      g.setColorAt(0.0, kGold.lighter(135));
      g.setColorAt(1.0, kGold.darker(130));
      p_.setBrush(g);
      p_.drawRect(tip);
    }
  }

  void Axial(const DemoComponent& part, const QRectF& body, bool diode) {
    for (const DemoPin& pin : part.pins) {
      const double edge = pin.x < body.center().x() ? body.left() : body.right();
      Lead(QPointF(edge, pin.y), QPointF(pin.x, pin.y), Mm(0.6));
      Joint(pin, Mm(0.35));
    }
    Shadow(body, body.height() / 2);
    p_.setPen(Qt::NoPen);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    const QColor base = diode ? kPlastic : QColor(196, 170, 120);
    g.setColorAt(0.0, base.lighter(diode ? 180 : 125));
    g.setColorAt(0.35, base);
    g.setColorAt(1.0, base.darker(150));
    p_.setBrush(g);
    p_.drawRoundedRect(body, body.height() / 2, body.height() / 2);
    auto band = [&](double at, double width, const QColor& colour) {
      QLinearGradient shade(body.topLeft(), body.bottomLeft());
      shade.setColorAt(0.0, colour.lighter(130));
      shade.setColorAt(1.0, colour.darker(140));
      p_.setBrush(shade);
      p_.drawRect(QRectF(body.left() + at, body.top() + 1, width, body.height() - 2));
    };
    if (diode) {
      band(Mm(0.5), Mm(0.8), QColor(190, 190, 190));  // cathode, pin 1
      return;
    }
    // Colour code: first digit, second digit, multiplier, gold tolerance.
    static const QColor kCode[] = {
        QColor(20, 20, 20),    QColor(120, 70, 30),  QColor(200, 30, 30), QColor(230, 120, 20),
        QColor(230, 210, 40),  QColor(40, 150, 60),  QColor(40, 70, 190), QColor(140, 60, 170),
        QColor(128, 128, 128), QColor(245, 245, 245)};
    const int digits[] = {1, 0, 3};  // 10k
    for (int i = 0; i < 3; ++i) band(Mm(1.0 + i * 1.0), Mm(0.55), kCode[digits[i]]);
    band(body.width() - Mm(1.5), Mm(0.55), kGold);
  }

  void Chip(const DemoComponent& part, const QRectF& body, const QColor& top) {
    Shadow(body, Mm(0.1));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, top));
    p_.drawRect(body);
    const double cap = std::min(body.width(), body.height()) * 0.28;
    QRectF a = part.vertical ? QRectF(body.left(), body.top(), body.width(), cap)
                             : QRectF(body.left(), body.top(), cap, body.height());
    QRectF b = part.vertical ? QRectF(body.left(), body.bottom() - cap, body.width(), cap)
                             : QRectF(body.right() - cap, body.top(), cap, body.height());
    p_.setBrush(TinBrush(a.center(), cap));
    p_.drawRect(a);
    p_.setBrush(TinBrush(b.center(), cap));
    p_.drawRect(b);
    if (part.package == Package::ChipResistor) {
      const std::string code = part.value == "1k" ? "102" : part.value == "10k" ? "103" : "473";
      Text(code, body.center().x(), body.center().y() + Mm(0.3), Mm(0.8), false,
           QColor(225, 225, 220));
    }
  }

  void Electrolytic(const DemoComponent& part, const QRectF& body) {
    // The tabs stick out under the base on both sides.
    for (const DemoPin& pin : part.pins) {
      const double edge =
          pin.x < body.center().x() ? body.left() + Mm(0.8) : body.right() - Mm(0.8);
      Lead(QPointF(edge, pin.y),
           QPointF(pin.x + (pin.x < edge ? -1 : 1) * pin.padWidth * 0.3, pin.y), Mm(0.9));
    }
    Shadow(body, Mm(0.3));
    QPainterPath base;
    const double cut = Mm(1.2);
    base.moveTo(body.left(), body.top());
    base.lineTo(body.right() - cut, body.top());
    base.lineTo(body.right(), body.top() + cut);
    base.lineTo(body.right(), body.bottom() - cut);
    base.lineTo(body.right() - cut, body.bottom());
    base.lineTo(body.left(), body.bottom());
    base.closeSubpath();
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, QColor(40, 40, 44)));
    p_.drawPath(base);
    const QPointF c = body.center();
    const double r = body.width() * 0.46;
    QRadialGradient can(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    can.setColorAt(0.0, QColor(246, 246, 248));
    can.setColorAt(0.6, QColor(196, 198, 204));
    can.setColorAt(1.0, QColor(120, 122, 128));
    p_.setBrush(can);
    p_.drawEllipse(c, r, r);
    // Minus stripe on the pin-2 side, vent cross, value.
    QPainterPath stripe;
    stripe.moveTo(c);
    stripe.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -50, 100);
    stripe.closeSubpath();
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    QPainterPath outer;
    outer.addEllipse(c, r * 0.62, r * 0.62);
    p_.setBrush(QColor(30, 32, 60));
    p_.drawPath(stripe.subtracted(outer).intersected(disc));
    p_.setPen(QPen(QColor(140, 142, 148), Mm(0.15)));
    p_.drawLine(c + QPointF(-r * 0.4, 0), c + QPointF(r * 0.4, 0));
    p_.drawLine(c + QPointF(0, -r * 0.4), c + QPointF(0, r * 0.4));
    Text("47", c.x() - r * 0.3, c.y() - r * 0.5, Mm(1.1), true, QColor(40, 40, 50));
    Text("16V", c.x() - r * 0.3, c.y() + r * 0.72, Mm(0.9), true, QColor(40, 40, 50));
  }

  void Sod123(const DemoComponent& part, const QRectF& body) {
    (void)part;
    Shadow(body, Mm(0.2));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic));
    p_.drawRoundedRect(body, Mm(0.2), Mm(0.2));
    p_.setBrush(QColor(175, 175, 172));
    if (part.vertical) {
      p_.drawRect(QRectF(body.left(), body.top() + Mm(0.3), body.width(), Mm(0.45)));
    } else {
      p_.drawRect(QRectF(body.left() + Mm(0.3), body.top(), Mm(0.45), body.height()));
    }
  }

  void Sot23(const DemoComponent& part, const QRectF& body) {
    for (const DemoPin& pin : part.pins) {
      const bool below = pin.y > body.center().y();
      Lead(QPointF(pin.x, below ? body.bottom() : body.top()), QPointF(pin.x, pin.y), Mm(0.4));
    }
    Shadow(body, Mm(0.15));
    p_.setPen(Qt::NoPen);
    p_.setBrush(PlasticBrush(body, kPlastic));
    p_.drawRoundedRect(body, Mm(0.15), Mm(0.15));
    Text("1K", body.center().x(), body.center().y() + Mm(0.3), Mm(0.8), false,
         QColor(170, 170, 168));
  }

  void Crystal(const DemoComponent& part, const QRectF& body) {
    (void)part;
    Shadow(body, body.width() / 2);
    p_.setPen(Qt::NoPen);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0.0, QColor(150, 152, 156));
    g.setColorAt(0.3, QColor(244, 244, 246));
    g.setColorAt(1.0, QColor(130, 132, 138));
    p_.setBrush(g);
    p_.drawRoundedRect(body, body.width() / 2, body.width() / 2);
    p_.save();
    p_.translate(body.center());
    p_.rotate(-90);
    Text(part.value, 0, Mm(0.5), Mm(1.3), true, QColor(60, 60, 66));
    p_.restore();
  }

  QFont Font(double pixelSize, bool bold) {
    QFont font("Liberation Sans");
    font.setFamilies({"Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
  }

  // Text centred on x with its baseline at y.
  void Text(const std::string& text, double x, double y, double size, bool bold,
            const QColor& colour) {
    const QFont font = Font(size, bold);
    const QString s = QString::fromStdString(text);
    const double width = QFontMetricsF(font).horizontalAdvance(s);
    p_.setFont(font);
    p_.setPen(colour);
    p_.drawText(QPointF(x - width / 2, y), s);
  }

  // Text starting at x, vertically centred on y.
  void TextLeft(const std::string& text, double x, double y, double size, const QColor& colour) {
    const QFont font = Font(size, true);
    p_.setFont(font);
    p_.setPen(colour);
    p_.drawText(QPointF(x, y + QFontMetricsF(font).capHeight() / 2), QString::fromStdString(text));
  }

  QPainter p_;
  const DemoBoard& board_;
};

QImage Draw(const DemoBoard& board) {
  QImage image(board.width, board.height, QImage::Format_RGB32);
  {
    Painter painter(image, board);
    std::vector<const DemoComponent*> all;
    for (const DemoComponent& part : board.components) all.push_back(&part);
    for (const DemoComponent& part : board.untestedComponents) all.push_back(&part);

    painter.Background();
    painter.Board();
    painter.Traces(all);
    painter.MountingHoles();
    painter.Fiducials();
    for (const DemoComponent* part : all) painter.Silkscreen(*part, true);
    painter.HeaderNames(board.components.front(), {"ID", "VIN", "GND", "AIN", "TXD", "OUT", "NC"});
    painter.TitleBlock();
    for (const DemoComponent* part : all) painter.Pads(*part);
    for (const DemoComponent* part : all) painter.Body(*part);
  }
  Painter::Finish(image);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_board OUTFILE.jpg|OUTFILE.png\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QImage image = Draw(vanto::demo::TheDemoBoard());
  const QString file = QString::fromLocal8Bit(argv[1]);
  const bool jpeg = file.endsWith(".jpg", Qt::CaseInsensitive);
  if (!image.save(file, jpeg ? "JPG" : "PNG", jpeg ? 92 : -1)) {
    std::fprintf(stderr, "make_demo_board: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
