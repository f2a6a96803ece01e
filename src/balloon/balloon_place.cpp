#include "balloon/balloon_place.h"

#include <algorithm>

namespace {

// The body's start along one axis: centred on `centre`, pushed within
// [low, high), at `low` when longer than the span.
int CentredWithin(int centre, int length, int low, int high) {
  const int start = centre - length / 2;
  return std::max(low, std::min(start, high - length));
}

BalloonBox BodyOn(BalloonSide side, const BalloonBox& figure, BalloonSpot anchor, const BalloonSize& size,
                  const BalloonBox& work) {
  BalloonBox body{};
  switch (side) {
    case BalloonSide::kAbove:
    case BalloonSide::kBelow:
      body.left = CentredWithin(anchor.x, size.width, work.left, work.right);
      body.top = side == BalloonSide::kAbove ? figure.top - size.tail - size.height : figure.bottom + size.tail;
      break;
    case BalloonSide::kLeft:
    case BalloonSide::kRight:
      body.left = side == BalloonSide::kLeft ? figure.left - size.tail - size.width : figure.right + size.tail;
      body.top = CentredWithin(anchor.y, size.height, work.top, work.bottom);
      break;
  }
  body.right = body.left + size.width;
  body.bottom = body.top + size.height;
  return body;
}

// How far the body on `side` lies within the work area along the side's
// axis: not negative where it fits whole.
int RoomLeft(BalloonSide side, const BalloonBox& body, const BalloonBox& work) {
  switch (side) {
    case BalloonSide::kAbove:
      return body.top - work.top;
    case BalloonSide::kBelow:
      return work.bottom - body.bottom;
    case BalloonSide::kLeft:
      return body.left - work.left;
    case BalloonSide::kRight:
      return work.right - body.right;
  }
  return 0;
}

bool FitsAcross(BalloonSide side, const BalloonSize& size, const BalloonBox& work) {
  const bool vertical = side == BalloonSide::kAbove || side == BalloonSide::kBelow;
  return vertical ? size.width <= work.width() : size.height <= work.height();
}

BalloonBox PushedWithin(BalloonBox body, const BalloonBox& work) {
  const int width = body.width();
  const int height = body.height();
  body.left = std::max(work.left, std::min(body.left, work.right - width));
  body.top = std::max(work.top, std::min(body.top, work.bottom - height));
  body.right = body.left + width;
  body.bottom = body.top + height;
  return body;
}

// The tail's base on the body's edge facing the figure, centred as near the
// tip as the rounded corners allow, and set into the body by `inset` so the
// two join without a seam.
void SetTail(BalloonPlacement* placement, const BalloonSize& size, BalloonSpot tip) {
  const BalloonBox& body = placement->body;
  placement->tip = tip;
  const bool vertical = placement->side == BalloonSide::kAbove || placement->side == BalloonSide::kBelow;
  const int low = (vertical ? body.left : body.top) + size.cornerRadius + size.tailHalf;
  const int high = (vertical ? body.right : body.bottom) - size.cornerRadius - size.tailHalf;
  const int along = low <= high ? std::clamp(vertical ? tip.x : tip.y, low, high)
                                : ((vertical ? body.left + body.right : body.top + body.bottom) / 2);
  const int inset = std::max(1, size.tail / 4);
  switch (placement->side) {
    case BalloonSide::kAbove:
      placement->hasTail = tip.y >= body.bottom;
      placement->tailFrom = {along - size.tailHalf, body.bottom - inset};
      placement->tailTo = {along + size.tailHalf, body.bottom - inset};
      break;
    case BalloonSide::kBelow:
      placement->hasTail = tip.y < body.top;
      placement->tailFrom = {along - size.tailHalf, body.top + inset};
      placement->tailTo = {along + size.tailHalf, body.top + inset};
      break;
    case BalloonSide::kLeft:
      placement->hasTail = tip.x >= body.right;
      placement->tailFrom = {body.right - inset, along - size.tailHalf};
      placement->tailTo = {body.right - inset, along + size.tailHalf};
      break;
    case BalloonSide::kRight:
      placement->hasTail = tip.x < body.left;
      placement->tailFrom = {body.left + inset, along - size.tailHalf};
      placement->tailTo = {body.left + inset, along + size.tailHalf};
      break;
  }
  placement->window = body;
  if (placement->hasTail) {
    placement->window.left = std::min(body.left, tip.x);
    placement->window.top = std::min(body.top, tip.y);
    placement->window.right = std::max(body.right, tip.x + 1);
    placement->window.bottom = std::max(body.bottom, tip.y + 1);
  }
}

// Where the tail points from `side`: the figure's edge facing the balloon,
// in line with the head.
BalloonSpot TipOn(BalloonSide side, const BalloonBox& figure, BalloonSpot anchor) {
  const int x = std::clamp(anchor.x, figure.left, std::max(figure.left, figure.right - 1));
  const int y = std::clamp(anchor.y, figure.top, std::max(figure.top, figure.bottom - 1));
  switch (side) {
    case BalloonSide::kAbove:
      return {x, figure.top};
    case BalloonSide::kBelow:
      return {x, figure.bottom - 1};
    case BalloonSide::kLeft:
      return {figure.left, y};
    case BalloonSide::kRight:
      return {figure.right - 1, y};
  }
  return anchor;
}

}  // namespace

BalloonPlacement PlaceBalloon(const BalloonBox& figure, BalloonSpot anchor, const BalloonSize& size,
                              const BalloonBox& work) {
  const bool leftFirst = figure.left - work.left >= work.right - figure.right;
  const BalloonSide order[] = {BalloonSide::kAbove, leftFirst ? BalloonSide::kLeft : BalloonSide::kRight,
                               leftFirst ? BalloonSide::kRight : BalloonSide::kLeft, BalloonSide::kBelow};
  BalloonPlacement placement;
  int bestRoom = 0;
  bool found = false;
  for (const BalloonSide side : order) {
    const BalloonBox body = BodyOn(side, figure, anchor, size, work);
    const int room = FitsAcross(side, size, work) ? RoomLeft(side, body, work) : RoomLeft(side, body, work) - 1000000;
    if (room >= 0) {
      placement.side = side;
      placement.body = body;
      SetTail(&placement, size, TipOn(side, figure, anchor));
      return placement;
    }
    if (!found || room > bestRoom) {
      found = true;
      bestRoom = room;
      placement.side = side;
      placement.body = body;
    }
  }
  placement.body = PushedWithin(placement.body, work);
  SetTail(&placement, size, TipOn(placement.side, figure, anchor));
  if (placement.hasTail) {
    // The tip, too, stays within the work area; where it cannot, no tail.
    const BalloonSpot tip = placement.tip;
    placement.hasTail = tip.x >= work.left && tip.x < work.right && tip.y >= work.top && tip.y < work.bottom;
    if (!placement.hasTail) placement.window = placement.body;
  }
  return placement;
}

BalloonSpot BalloonAnchor(int characterX, int characterY, int characterWidth, bool hasPosition, int xPos, int yPos,
                          double factor) {
  const double x = characterX + (hasPosition ? xPos : characterWidth / 2.0);
  const double y = characterY + (hasPosition ? yPos : 0);
  return {static_cast<int>(x * factor + 0.5), static_cast<int>(y * factor + 0.5)};
}
