// The status line on scopes of every size the layouts give: it starts at
// its fixed place and ends inside the scope, broken or smaller when the
// scope is narrow, unchanged when the line fits.
#include "ui/qt/scope_status_line.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_pixels.h"
#include "ui/qt/scope_text.h"

namespace vanto {
namespace {

using testing::InkBox;

const QString kClassification = QStringLiteral("O/C, Count: 0, Prev: 0.00%, Threshold: 1.50%");
const QString kLongest = QStringLiteral(
    "Unstable, Count: 120, Prev: 19.99%, Threshold: 1.50%, Golden at 10V/10k, applied "
    "400mV/10k");

struct ScopeCase {
  int size;  // the main scope's width and height
  QString text;
};

void PrintTo(const ScopeCase& c, std::ostream* out) {
  *out << c.size << " px, \"" << c.text.toStdString() << "\"";
}

class StatusLineOnScope : public ::testing::TestWithParam<ScopeCase> {};

TEST_P(StatusLineOnScope, StartsAtItsPlaceAndEndsInsideTheScope) {
  const int size = GetParam().size;
  QImage scope(size, size, QImage::Format_RGB32);
  scope.fill(Qt::black);
  DrawStatusText(scope, size, size, kScopeMargin, GetParam().text, ScopeFont());

  const QRect ink = InkBox(scope, {qRgb(0, 0, 0)});
  ASSERT_FALSE(ink.isEmpty());
  const int x = size / 2 + 20;
  const int y = size - kScopeMargin / 2 - 20;
  const ScopeGeometry plot = MakeScopeGeometry(size, size);
  // The first letter sits at the start (a glyph's side bearing apart), and
  // the last line stands at it.
  EXPECT_GE(ink.left(), x);
  EXPECT_LE(ink.left(), x + 3);
  EXPECT_GE(ink.bottom(), y);
  // Nothing runs past the plot's right edge, below it into the axis labels
  // or above it.
  EXPECT_LT(ink.right(), plot.right) << GetParam().text.toStdString();
  EXPECT_LT(ink.bottom(), plot.bottom) << GetParam().text.toStdString();
  EXPECT_GT(ink.top(), plot.top) << GetParam().text.toStdString();
}

// A line that fits keeps its place exactly: it starts at the start point.
TEST(StatusLineOnScope, ALineThatFitsStartsAtThePoint) {
  QImage scope(697, 697, QImage::Format_RGB32);
  scope.fill(Qt::black);
  DrawStatusText(scope, 697, 697, kScopeMargin, kClassification, ScopeFont());
  const QRect ink = InkBox(scope, {qRgb(0, 0, 0)});
  EXPECT_GE(ink.top(), 697 - kScopeMargin / 2 - 20);
  EXPECT_LT(ink.bottom(), 697 - kScopeMargin / 2 - 20 + QFontMetrics(ScopeFont()).height());
}

// 384: the compact and Basic-Auto scope (534 wide window); 697: the
// Advanced one; 240: a window made narrower still.
INSTANTIATE_TEST_SUITE_P(Sizes, StatusLineOnScope,
                         ::testing::Values(ScopeCase{384, kClassification},
                                           ScopeCase{384, kLongest},
                                           ScopeCase{697, kClassification},
                                           ScopeCase{697, kLongest},
                                           ScopeCase{240, kClassification}));

TEST(FitStatusLine, ALineThatFitsStaysWholeInTheScopeFont) {
  const StatusLineFit fit = FitStatusLine(kClassification, ScopeFont(), 697 - 368 - 2, 43);
  EXPECT_EQ(fit.lines, QStringList{kClassification});
  EXPECT_EQ(fit.font.pixelSize(), ScopeFont().pixelSize());
}

TEST(FitStatusLine, ANarrowRoomBreaksAfterCommasAndLosesNothing) {
  for (const QString& text : {kClassification, kLongest}) {
    const int roomWidth = 384 - 212 - 2;
    const StatusLineFit fit = FitStatusLine(text, ScopeFont(), roomWidth, 43);
    EXPECT_GT(fit.lines.size(), 1);
    EXPECT_EQ(fit.lines.join(QLatin1Char(' ')), text);
    const QFontMetrics metrics(fit.font);
    for (const QString& line : fit.lines) {
      EXPECT_LE(metrics.horizontalAdvance(line), roomWidth) << line.toStdString();
    }
    EXPECT_LE(fit.lines.size() * metrics.height(), 43);
    EXPECT_GE(fit.font.pixelSize(), 9);
  }
}

}  // namespace
}  // namespace vanto
