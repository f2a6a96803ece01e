#include "clockface/draw_hands_win32.h"

#include <cstdint>
#include <iterator>

#include "clockface/hands.h"

namespace {

// One pen, made for this polyline and released after it.
void DrawPolyline(HDC dc, int width, std::uint32_t colour, const POINT* points, int count) {
  HPEN pen = CreatePen(PS_SOLID, width, static_cast<COLORREF>(colour));
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

POINT Shifted(HandPoint p, int offset) { return {p.x + offset, p.y + offset}; }

}  // namespace

void DrawClockHands(HDC dc, int xCenter, int yCenter, double scale, int nSize, int hour, int minute, int second,
                    bool active) {
  const HandTips tips = ComputeHandTips(xCenter, yCenter, scale, hour, minute, second);
  const HandPoint centre{xCenter, yCenter};
  const HandColours colours = HandPenColours(active);
  const int width = HandPenWidth(nSize);

  const POINT shadow[] = {Shifted(tips.hour, kShadowOffset), Shifted(centre, kShadowOffset),
                          Shifted(tips.minute, kShadowOffset)};
  DrawPolyline(dc, width, colours.shadow, shadow, static_cast<int>(std::size(shadow)));
  const POINT hands[] = {Shifted(tips.hour, 0), Shifted(centre, 0), Shifted(tips.minute, 0)};
  DrawPolyline(dc, width, colours.hands, hands, static_cast<int>(std::size(hands)));
  const POINT secondHand[] = {Shifted(centre, 0), Shifted(tips.second, 0)};
  DrawPolyline(dc, 1, colours.second, secondHand, static_cast<int>(std::size(secondHand)));
}
