// Draws the program's interface pictures (status badges, result icons, the
// connection indicator, the A/B button lamps and the run buttons) as PNG
// files: `make_pictures OUTDIR` writes OUTDIR/graphics/*.png.
// All pictures share one palette and one construction: a rounded body with
// a soft vertical gradient, a 1-pixel darker border and a light top edge, a
// symbol and a bold caption, so they read as one set on the ribbon.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cmath>
#include <cstdio>

#include "foundation/resources.h"
#include "testplan/pcb_view.h"

namespace {

using vanto::PictureId;

// One colour family: gradient top and bottom, border, caption and symbol.
struct Style {
  QColor top;
  QColor bottom;
  QColor border;
  QColor ink;
  bool lightInk;  // light captions get a dark drop line, dark ones a light one
};

const Style kGreen{QColor(0x5c, 0xc9, 0x6e), QColor(0x23, 0x9a, 0x3e), QColor(0x16, 0x6b, 0x2a),
                   QColor(0xff, 0xff, 0xff), true};
const Style kRed{QColor(0xf0, 0x6a, 0x62), QColor(0xc8, 0x2b, 0x26), QColor(0x8c, 0x1c, 0x19),
                 QColor(0xff, 0xff, 0xff), true};
const Style kYellow{QColor(0xff, 0xe4, 0x6e), QColor(0xf3, 0xbc, 0x12), QColor(0xa8, 0x7e, 0x00),
                    QColor(0x3d, 0x2e, 0x00), false};
const Style kPink{QColor(0xfc, 0xd9, 0xea), QColor(0xf2, 0xa6, 0xcb), QColor(0xb2, 0x55, 0x83),
                  QColor(0x6e, 0x1c, 0x46), false};
const Style kGrey{QColor(0xe6, 0xe8, 0xeb), QColor(0xc8, 0xcc, 0xd1), QColor(0x9a, 0xa0, 0xa7),
                  QColor(0x83, 0x89, 0x90), false};
const Style kWhite{QColor(0xff, 0xff, 0xff), QColor(0xe8, 0xeb, 0xee), QColor(0x8f, 0x96, 0x9d),
                   QColor(0x4a, 0x50, 0x57), false};
const Style kSlate{QColor(0x6b, 0x72, 0x7a), QColor(0x43, 0x48, 0x4f), QColor(0x26, 0x2a, 0x2f),
                   QColor(0xe8, 0xea, 0xec), true};

enum class Symbol { None, Tick, Cross, Question, Dash, NoSignal, Play, Stop, Dot, LampOn, LampOff };

QFont CaptionFont(double pixelSize, bool narrow = false) {
  QFont font(narrow ? "Liberation Sans Narrow" : "Liberation Sans");
  font.setFamilies({narrow ? "Liberation Sans Narrow" : "Liberation Sans",
                    narrow ? "Arial Narrow" : "Arial", "Liberation Sans"});
  font.setPixelSize(static_cast<int>(pixelSize));
  font.setBold(true);
  // Hinted narrow faces squeeze the space; keep words apart.
  if (narrow) font.setWordSpacing(1.5);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

// The rounded body shared by every badge and button.
void DrawBody(QPainter& p, const QRectF& area, const Style& style, double radius) {
  QRectF body = area.adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0.0, style.top);
  fill.setColorAt(1.0, style.bottom);
  p.setPen(QPen(style.border, 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(body, radius, radius);
  // A light line just inside the top edge gives the body some relief.
  QColor shine(255, 255, 255, style.lightInk ? 70 : 150);
  p.setPen(QPen(shine, 1.0));
  p.drawLine(QPointF(body.left() + radius, body.top() + 1.0),
             QPointF(body.right() - radius, body.top() + 1.0));
}

QColor Relief(const Style& style) {
  return style.lightInk ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 110);
}

// Draws a symbol centred on `centre`, `size` pixels across.
void DrawSymbol(QPainter& p, Symbol symbol, QPointF centre, double size, const Style& style) {
  const double h = size / 2.0;
  const double stroke = size >= 12 ? 2.6 : 2.0;
  auto strokes = [&](const QPainterPath& path, QColor colour, QPointF offset) {
    p.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path.translated(offset));
  };
  auto withRelief = [&](const QPainterPath& path) {
    strokes(path, Relief(style), QPointF(0, 1));
    strokes(path, style.ink, QPointF(0, 0));
  };
  QPainterPath path;
  switch (symbol) {
    case Symbol::None: return;
    case Symbol::Tick:
      path.moveTo(centre + QPointF(-h * 0.85, h * 0.05));
      path.lineTo(centre + QPointF(-h * 0.25, h * 0.65));
      path.lineTo(centre + QPointF(h * 0.85, -h * 0.6));
      withRelief(path);
      return;
    case Symbol::Cross:
      path.moveTo(centre + QPointF(-h * 0.62, -h * 0.62));
      path.lineTo(centre + QPointF(h * 0.62, h * 0.62));
      path.moveTo(centre + QPointF(h * 0.62, -h * 0.62));
      path.lineTo(centre + QPointF(-h * 0.62, h * 0.62));
      withRelief(path);
      return;
    case Symbol::Dash:
      path.moveTo(centre + QPointF(-h * 0.6, 0));
      path.lineTo(centre + QPointF(h * 0.6, 0));
      withRelief(path);
      return;
    case Symbol::NoSignal: {
      // An empty-set sign: a ring struck through, "nothing stored".
      const double r = h * 0.58;
      path.addEllipse(centre, r, r);
      path.moveTo(centre + QPointF(-h * 0.8, h * 0.8));
      path.lineTo(centre + QPointF(h * 0.8, -h * 0.8));
      withRelief(path);
      return;
    }
    case Symbol::Question: {
      QFont font = CaptionFont(size * 1.25);
      p.setFont(font);
      QFontMetricsF metrics(font);
      const QString mark = "?";
      double x = centre.x() - metrics.horizontalAdvance(mark) / 2.0;
      double baseline = std::round(centre.y() + metrics.capHeight() / 2.0);
      p.setPen(Relief(style));
      p.drawText(QPointF(x, baseline + 1), mark);
      p.setPen(style.ink);
      p.drawText(QPointF(x, baseline), mark);
      return;
    }
    case Symbol::Play: {
      QPolygonF triangle;
      triangle << centre + QPointF(-h * 0.55, -h * 0.75) << centre + QPointF(h * 0.8, 0)
               << centre + QPointF(-h * 0.55, h * 0.75);
      p.setPen(Qt::NoPen);
      p.setBrush(Relief(style));
      p.drawPolygon(triangle.translated(0, 1));
      p.setBrush(style.ink);
      p.drawPolygon(triangle);
      return;
    }
    case Symbol::Stop: {
      QRectF square(centre.x() - h * 0.62, centre.y() - h * 0.62, h * 1.24, h * 1.24);
      p.setPen(Qt::NoPen);
      p.setBrush(Relief(style));
      p.drawRoundedRect(square.translated(0, 1), 1, 1);
      p.setBrush(style.ink);
      p.drawRoundedRect(square, 1, 1);
      return;
    }
    case Symbol::Dot: {
      // A red "record" dot with a white rim: reads on green and on grey.
      const double r = h * 0.72;
      p.setPen(QPen(style.ink, 1.2));
      p.setBrush(style.lightInk ? QColor(0xe5, 0x39, 0x35) : QColor(0xb0, 0xb5, 0xbb));
      p.drawEllipse(centre, r, r);
      return;
    }
    case Symbol::LampOn:
    case Symbol::LampOff: {
      const bool on = symbol == Symbol::LampOn;
      const double r = h;
      QRadialGradient glow(centre - QPointF(r * 0.35, r * 0.35), r * 1.4);
      glow.setColorAt(0.0, on ? QColor(0xe8, 0xff, 0xe0) : QColor(0xff, 0x9a, 0x90));
      glow.setColorAt(0.45, on ? QColor(0x5c, 0xf0, 0x5a) : QColor(0xe0, 0x30, 0x28));
      glow.setColorAt(1.0, on ? QColor(0x1a, 0x9c, 0x2a) : QColor(0x8a, 0x12, 0x10));
      p.setPen(QPen(QColor(0x1e, 0x22, 0x26), 1.0));
      p.setBrush(glow);
      p.drawEllipse(centre, r, r);
      return;
    }
  }
}

// A badge or button: body, optional symbol, optional caption, the pair
// centred as one group.
QImage Badge(int width, int height, const Style& style, Symbol symbol, const QString& caption,
             double captionPixels = 11, bool narrow = false, double symbolSize = 10) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  DrawBody(p, QRectF(0, 0, width, height), style, 3.0);

  QFont font = CaptionFont(captionPixels, narrow);
  QFontMetricsF metrics(font);
  const double textWidth = caption.isEmpty() ? 0.0 : metrics.horizontalAdvance(caption);
  const double symbolWidth = symbol == Symbol::None ? 0.0 : symbolSize;
  const double gap = (textWidth > 0 && symbolWidth > 0) ? 4.0 : 0.0;
  const double groupWidth = symbolWidth + gap + textWidth;
  double x = std::round((width - groupWidth) / 2.0);
  const double middle = height / 2.0;

  if (symbolWidth > 0) {
    DrawSymbol(p, symbol, QPointF(x + symbolWidth / 2.0, middle), symbolSize, style);
    x += symbolWidth + gap;
  }
  if (textWidth > 0) {
    p.setFont(font);
    const double baseline = std::round(middle + metrics.capHeight() / 2.0);
    p.setPen(Relief(style));
    p.drawText(QPointF(x, baseline + 1), caption);
    p.setPen(style.ink);
    p.drawText(QPointF(x, baseline), caption);
  }
  return image;
}

// A round indicator lamp with a letter: the instrument's A and B buttons.
QImage Lamp(int size, const QString& letter, bool lit) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPointF centre(size / 2.0, size / 2.0);
  const double outer = size / 2.0 - 0.5;

  // Bezel: a dark ring with a lighter lower rim, like a panel-mounted lamp.
  QLinearGradient bezel(QPointF(0, 0), QPointF(0, size));
  bezel.setColorAt(0.0, QColor(0x4a, 0x4f, 0x56));
  bezel.setColorAt(1.0, QColor(0x9a, 0xa0, 0xa7));
  p.setPen(QPen(QColor(0x2a, 0x2e, 0x33), 1.0));
  p.setBrush(bezel);
  p.drawEllipse(centre, outer, outer);

  const double lens = outer - 2.0;
  QRadialGradient glass(centre - QPointF(lens * 0.35, lens * 0.4), lens * 1.5);
  if (lit) {
    glass.setColorAt(0.0, QColor(0xff, 0xfb, 0xd8));
    glass.setColorAt(0.35, QColor(0xff, 0xe2, 0x3a));
    glass.setColorAt(1.0, QColor(0xe0, 0x9a, 0x00));
  } else {
    glass.setColorAt(0.0, QColor(0xf6, 0xf7, 0xf8));
    glass.setColorAt(0.4, QColor(0xc9, 0xcd, 0xd2));
    glass.setColorAt(1.0, QColor(0x8a, 0x90, 0x97));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(glass);
  p.drawEllipse(centre, lens, lens);

  QFont font = CaptionFont(12);
  QFontMetricsF metrics(font);
  p.setFont(font);
  const double x = centre.x() - metrics.horizontalAdvance(letter) / 2.0;
  const double baseline = std::round(centre.y() + metrics.capHeight() / 2.0);
  p.setPen(lit ? QColor(255, 255, 255, 120) : QColor(255, 255, 255, 140));
  p.drawText(QPointF(x, baseline + 1), letter);
  p.setPen(lit ? QColor(0x4a, 0x33, 0x00) : QColor(0x3a, 0x3f, 0x45));
  p.drawText(QPointF(x, baseline), letter);
  return image;
}

QImage Block(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(0, 0, 0));
  return image;
}

// Result badges 72 x 23 and icons 23 x 23; the connection indicator fits
// the 70-pixel ribbon cell, the run buttons the full 140-pixel row.
constexpr int kBadgeW = 72;
constexpr int kBadgeH = 23;
constexpr int kIcon = 23;
constexpr int kLinkW = 70;
constexpr int kRunW = 140;

QImage Draw(PictureId id) {
  switch (id) {
    case PictureId::ButtonConnected:
      return Badge(kLinkW, kBadgeH, kGreen, Symbol::LampOn, "CONNECTED", 10, true, 7);
    case PictureId::ButtonNoConnect:
      return Badge(kLinkW, kBadgeH, kSlate, Symbol::LampOff, "NO LINK", 10, true, 7);
    case PictureId::ButtonAGrey: return Lamp(kIcon, "A", false);
    case PictureId::ButtonAYellow: return Lamp(kIcon, "A", true);
    case PictureId::ButtonBGrey: return Lamp(kIcon, "B", false);
    case PictureId::ButtonBYellow: return Lamp(kIcon, "B", true);
    case PictureId::Good: return Badge(kBadgeW, kBadgeH, kGreen, Symbol::Tick, "GOOD");
    case PictureId::GoodGrey: return Badge(kBadgeW, kBadgeH, kGrey, Symbol::Tick, "GOOD");
    case PictureId::Bad: return Badge(kBadgeW, kBadgeH, kRed, Symbol::Cross, "BAD");
    case PictureId::BadGrey: return Badge(kBadgeW, kBadgeH, kGrey, Symbol::Cross, "BAD");
    case PictureId::NoSig: return Badge(kBadgeW, kBadgeH, kPink, Symbol::None, "NO SIG");
    case PictureId::NoTest: return Badge(kBadgeW, kBadgeH, kWhite, Symbol::None, "NO TEST");
    case PictureId::QuestionMark:
      return Badge(kBadgeW, kBadgeH, kYellow, Symbol::Question, "", 11, false, 14);
    case PictureId::GoodSmall: return Badge(kIcon, kIcon, kGreen, Symbol::Tick, "", 11, false, 14);
    case PictureId::BadSmall: return Badge(kIcon, kIcon, kRed, Symbol::Cross, "", 11, false, 14);
    case PictureId::NoSigSmall:
      return Badge(kIcon, kIcon, kPink, Symbol::NoSignal, "", 11, false, 14);
    case PictureId::NoTestSmall:
      return Badge(kIcon, kIcon, kWhite, Symbol::Dash, "", 11, false, 14);
    case PictureId::QuestionMarkSmall:
      return Badge(kIcon, kIcon, kYellow, Symbol::Question, "", 11, false, 14);
    case PictureId::BlockSmall: return Block(kIcon);
    case PictureId::SingleCaptureGreen:
      return Badge(kBadgeW, kBadgeH, kGreen, Symbol::Dot, "CAPTURE", 11, false, 9);
    case PictureId::SingleCaptureGrey:
      return Badge(kBadgeW, kBadgeH, kGrey, Symbol::Dot, "CAPTURE", 11, false, 9);
    case PictureId::AutoCaptureYellow:
      return Badge(kRunW, kBadgeH, kYellow, Symbol::Play, "AUTO CAPTURE", 11, false, 11);
    case PictureId::CaptureInProgressGreen:
      return Badge(kRunW, kBadgeH, kGreen, Symbol::Stop, "CAPTURING...", 11, false, 11);
    case PictureId::AutoTestYellow:
      return Badge(kRunW, kBadgeH, kYellow, Symbol::Play, "AUTO TEST", 11, false, 11);
    case PictureId::TestInProgressGreen:
      return Badge(kRunW, kBadgeH, kGreen, Symbol::Stop, "TESTING...", 11, false, 11);
  }
  return {};
}

// What the board view shows for a plan without a photograph: a neutral
// grey square with a struck-out picture symbol and a caption, so it reads
// as "nothing here" at any zoom and leaves the coloured markers legible.
QImage NoImage() {
  constexpr int kSide = 640;
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(QColor(0x80, 0x80, 0x80));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const QColor ink(0xa8, 0xa8, 0xa8);
  const QPointF centre(kSide / 2.0, kSide / 2.0 - 30);

  // A framed landscape: the usual sign for a picture.
  const QRectF frame(centre.x() - 90, centre.y() - 65, 180, 130);
  p.setPen(QPen(ink, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(frame, 10, 10);
  QPainterPath hills;
  hills.moveTo(frame.left() + 14, frame.bottom() - 16);
  hills.lineTo(frame.left() + 70, frame.top() + 58);
  hills.lineTo(frame.left() + 108, frame.bottom() - 44);
  hills.lineTo(frame.left() + 130, frame.top() + 76);
  hills.lineTo(frame.right() - 14, frame.bottom() - 16);
  p.drawPath(hills);
  p.drawEllipse(QPointF(frame.right() - 42, frame.top() + 34), 12, 12);
  // Struck through.
  p.drawLine(QPointF(frame.left() - 20, frame.bottom() + 20),
             QPointF(frame.right() + 20, frame.top() - 20));

  QFont font = CaptionFont(34);
  p.setFont(font);
  QFontMetricsF metrics(font);
  const QString caption = "NO IMAGE";
  p.setPen(ink);
  p.drawText(QPointF((kSide - metrics.horizontalAdvance(caption)) / 2.0, frame.bottom() + 90),
             caption);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs fonts but no screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures OUTDIR\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  if (!root.mkpath("graphics")) {
    std::fprintf(stderr, "make_pictures: cannot create %s/graphics\n", argv[1]);
    return 1;
  }
  for (std::size_t i = 0; i < vanto::kPictureCount; ++i) {
    const QString path = root.filePath(QString::fromLatin1(vanto::kPicturePaths[i]));
    QImage image = Draw(static_cast<PictureId>(i));
    if (image.isNull() || !image.save(path, "PNG")) {
      std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  const QString noImagePath = root.filePath(QString::fromLatin1(vanto::kNoImagePicture));
  if (!NoImage().save(noImagePath, "PNG")) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(noImagePath));
    return 1;
  }
  return 0;
}
