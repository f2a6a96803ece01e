// The language of a test run. Every Win32 test runs under the Japanese
// locale (code page 932, Japanese interface), and some run again under the
// English one (code page 1252, English interface); the program's texts come
// from the matching block of its resources.
#ifndef TAVELIN_TESTS_WIN32_LANGUAGE_H
#define TAVELIN_TESTS_WIN32_LANGUAGE_H

#include <string>

// True under the Japanese locale.
bool JapaneseRun();

// The text the program shows in this run's language.
const wchar_t* InRunLanguage(const wchar_t* japanese, const wchar_t* english);

// Whether `text` holds a character of Japanese writing: kana (full-width or
// half-width), kanji, Japanese punctuation or full-width forms.
bool HasJapanese(const std::wstring& text);

#endif
