#include "support/language.h"

#include <windows.h>

bool JapaneseRun() { return GetACP() == 932; }

const wchar_t* InRunLanguage(const wchar_t* japanese, const wchar_t* english) {
  return JapaneseRun() ? japanese : english;
}

bool HasJapanese(const std::wstring& text) {
  for (wchar_t c : text) {
    const bool punctuationOrKana = c >= 0x3000 && c <= 0x30FF;  // 、。「」 and both kana
    const bool kanji = (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
    const bool fullOrHalfWidth = c >= 0xFF00 && c <= 0xFFEF;  // ＭＳ, ３０, ﾗﾝﾀﾞﾑ
    if (punctuationOrKana || kanji || fullOrHalfWidth) return true;
  }
  return false;
}
