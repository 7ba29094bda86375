#include "ui/qt/scope_badges.h"

#include <QPainter>

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

const QImage* BadgeImage(const BadgeSet& badges, RecordBadge badge) {
  switch (badge) {
    case RecordBadge::Good: return &badges.good;
    case RecordBadge::Bad: return &badges.bad;
    case RecordBadge::Untested: return &badges.untested;
    case RecordBadge::NoTest: return &badges.noTest;
    case RecordBadge::NoSignature: return &badges.noSig;
    case RecordBadge::None: break;
  }
  return nullptr;
}

void DrawBadge(QImage& target, const QImage* badge, int width, int height) {
  if (badge == nullptr || badge->isNull()) return;
  QPainter painter(&target);
  painter.drawImage(QRect(0, 0, width, height), *badge);
}

}  // namespace vanto
