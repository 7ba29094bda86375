#include "ui/qt/scope_badges.h"

#include <QPainter>
#include <string_view>

#include "testplan/record_cells.h"

namespace vanto {

ScopeBadges MakeScopeBadges(const std::function<QImage(PictureId)>& picture) {
  ScopeBadges badges;
  badges.main =
      BadgeSet{picture(PictureId::Good), picture(PictureId::Bad), picture(PictureId::QuestionMark),
               picture(PictureId::NoTest), picture(PictureId::NoSig)};
  badges.mini = BadgeSet{picture(PictureId::GoodSmall), picture(PictureId::BadSmall),
                         picture(PictureId::QuestionMarkSmall), picture(PictureId::NoTestSmall),
                         picture(PictureId::NoSigSmall)};
  return badges;
}

const QImage* RecordBadge(const BadgeSet& badges, const TestPlan& table, int row) {
  if (table.CellView(row, cell::kSignature) != cell::kYes) return &badges.noSig;
  const std::string_view result = table.CellView(row, cell::kStatus);
  if (result == cell::kGood) return &badges.good;
  if (result == cell::kBad) return &badges.bad;
  if (result == cell::kUntested) return &badges.untested;
  if (result == cell::kNoTest) return &badges.noTest;
  return nullptr;
}

void DrawBadge(QImage& target, const QImage* badge, int width, int height) {
  if (badge == nullptr || badge->isNull()) return;
  QPainter painter(&target);
  painter.drawImage(QRect(0, 0, width, height), *badge);
}

}  // namespace vanto
