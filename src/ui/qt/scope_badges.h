// The result pictures drawn in the top-left corner of the scopes: which
// one a record gets, and the set of pictures the renderer is handed (so it
// needs no picture store of its own).
#pragma once

#include <QImage>
#include <functional>

#include "foundation/resources.h"
#include "testplan/test_plan.h"

namespace vanto {

// One picture per record state; a null image draws nothing.
struct BadgeSet {
  QImage good;
  QImage bad;
  QImage untested;
  QImage noTest;
  QImage noSig;
};

inline constexpr int kMainBadgeWidth = 72;
inline constexpr int kMainBadgeHeight = 23;
inline constexpr int kMiniBadgeSize = 23;

struct ScopeBadges {
  BadgeSet main;  // 72 x 23
  BadgeSet mini;  // 23 x 23
};

// The badges from the program's pictures ("graphics/good_72x23.png" and
// the rest), looked up by identifier.
ScopeBadges MakeScopeBadges(const std::function<QImage(PictureId)>& picture);

// The badge of a plan row: by its result when it holds a golden signature
// ("Signature" is "Yes"), the no-signature picture otherwise; nullptr for a
// golden with a result text of no known kind.
const QImage* RecordBadge(const BadgeSet& badges, const TestPlan& table, int row);

// Draws the badge at (0, 0), fitted to width x height; nothing for nullptr.
void DrawBadge(QImage& target, const QImage* badge, int width, int height);

}  // namespace vanto
