// The result pictures drawn in the top-left corner of the scopes: the
// picture of each badge kind, and the set of pictures the renderer is handed (so it
// needs no picture store of its own).
#pragma once

#include <QImage>
#include <functional>

#include "foundation/resources.h"
#include "ui/record_badge.h"

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

// The picture of a badge kind (ChooseRecordBadge); nullptr for None.
const QImage* BadgeImage(const BadgeSet& badges, RecordBadge badge);

// Draws the badge at (0, 0), fitted to width x height; nothing for nullptr.
void DrawBadge(QImage& target, const QImage* badge, int width, int height);

}  // namespace vanto
