#include "balloon/balloon_layout.h"

#include <algorithm>

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == 0x3000; }

// Punctuation that may not begin a line.
bool ClosesLine(wchar_t c) {
  static const wchar_t kClosing[] = L".,!?:;)]}\x3001\x3002\xFF0C\xFF0E\xFF01\xFF1F\x300D\x300F\xFF09\x30FC\x3063\x30C3";
  for (const wchar_t* p = kClosing; *p != L'\0'; ++p)
    if (*p == c) return true;
  return false;
}

int ColumnsOfText(const std::wstring& text) {
  int columns = 0;
  for (const wchar_t c : text) columns += ColumnsOf(c);
  return columns;
}

// The pieces a line may break between: a word of narrow characters, one wide
// character, or a run of spaces; closing punctuation clings to what precedes it.
std::vector<std::wstring> Pieces(const std::wstring& paragraph) {
  std::vector<std::wstring> pieces;
  for (std::size_t i = 0; i < paragraph.size();) {
    std::size_t end = i + 1;
    const wchar_t c = paragraph[i];
    if (IsSpace(c)) {
      while (end < paragraph.size() && IsSpace(paragraph[end])) ++end;
    } else if (ColumnsOf(c) == 1) {
      while (end < paragraph.size() && !IsSpace(paragraph[end]) && ColumnsOf(paragraph[end]) == 1) ++end;
    }
    while (end < paragraph.size() && ClosesLine(paragraph[end])) ++end;
    pieces.push_back(paragraph.substr(i, end - i));
    i = end;
  }
  return pieces;
}

void TrimRight(std::wstring* line) {
  while (!line->empty() && IsSpace(line->back())) line->pop_back();
}

void WrapParagraph(const std::wstring& paragraph, int columns, std::vector<std::wstring>* lines) {
  std::wstring line;
  int used = 0;
  for (const std::wstring& piece : Pieces(paragraph)) {
    const int width = ColumnsOfText(piece);
    if (IsSpace(piece[0])) {
      if (used > 0) {
        line += piece;
        used += width;
      }
      continue;
    }
    std::wstring trimmed = line;
    TrimRight(&trimmed);
    const int trimmedUsed = ColumnsOfText(trimmed);
    if (trimmedUsed > 0 && used + width > columns) {
      lines->push_back(trimmed);
      line.clear();
      used = 0;
    }
    // A word longer than a whole line is cut where the line is full.
    std::size_t from = 0;
    while (ColumnsOf(piece[from]) == 1 && width > columns && ColumnsOfText(piece.substr(from)) + used > columns) {
      std::size_t take = 0;
      int taken = 0;
      while (from + take < piece.size() && taken + used + ColumnsOf(piece[from + take]) <= columns) {
        taken += ColumnsOf(piece[from + take]);
        ++take;
      }
      if (take == 0) take = 1;
      lines->push_back(line + piece.substr(from, take));
      line.clear();
      used = 0;
      from += take;
    }
    line += piece.substr(from);
    used += ColumnsOfText(piece.substr(from));
  }
  TrimRight(&line);
  lines->push_back(line);
}

int Scaled(int length, int dpi) { return (length * dpi + 48) / 96; }

}  // namespace

int ColumnsOf(wchar_t c) {
  if (c >= 0xFF61 && c <= 0xFFDC) return 1;  // half-width katakana and Hangul
  if ((c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF))
    return 2;
  return 1;
}

std::vector<std::wstring> WrapBalloonText(const std::wstring& text, int columns) {
  columns = std::max(columns, 2);
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(L'\n', start);
    std::wstring paragraph = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.pop_back();
    WrapParagraph(paragraph, columns, &lines);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return lines;
}

BalloonLayout LayOutBalloon(const BalloonLayoutInput& input) {
  const int dpi = input.dpi > 0 ? input.dpi : 96;
  BalloonLayout layout;
  const int margin = Scaled(14, dpi);
  const int gap = Scaled(8, dpi);
  const int buttonPad = Scaled(14, dpi);
  const int buttonMin = Scaled(64, dpi);
  const int buttonHeight = input.lineHeight + Scaled(10, dpi);
  layout.size.cornerRadius = Scaled(12, dpi);
  layout.size.tail = Scaled(18, dpi);
  layout.size.tailHalf = Scaled(9, dpi);
  layout.outline = dpi / 96.0 * 1.25;

  int textWidth = 0;
  for (const int w : input.lineWidths) textWidth = std::max(textWidth, w);
  const int textHeight = static_cast<int>(input.lineWidths.size()) * input.lineHeight;
  const int count = std::clamp(input.buttonCount, 0, 2);
  int buttonWidths[2] = {0, 0};
  int rowWidth = 0;
  for (int i = 0; i < count; ++i) {
    buttonWidths[i] = std::max(buttonMin, input.buttonTextWidths[i] + 2 * buttonPad);
    rowWidth += buttonWidths[i] + (i > 0 ? gap : 0);
  }
  const int inner = std::max(textWidth, rowWidth);
  layout.size.width = inner + 2 * margin;
  layout.size.height = margin + textHeight + (count > 0 ? gap + buttonHeight : 0) + margin;
  layout.text = {margin, margin, margin + inner, margin + textHeight};
  int right = margin + inner;
  const int top = margin + textHeight + gap;
  for (int i = count - 1; i >= 0; --i) {
    layout.buttons[i] = {right - buttonWidths[i], top, right, top + buttonHeight};
    right -= buttonWidths[i] + gap;
  }
  return layout;
}
