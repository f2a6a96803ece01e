// Small pictures for the desktop tests: BMP files drawn by the tests
// themselves, and a Tavelin.ini naming them for every character.
#ifndef TAVELIN_TESTS_WIN32_DESKTOP_PICTURES_H
#define TAVELIN_TESTS_WIN32_DESKTOP_PICTURES_H

#include <cstdint>
#include <functional>
#include <string>

// A 24-bit bottom-up BMP; colour(x, y) returns 0xRRGGBB for each pixel.
void WriteTestBmp(const std::string& path, int width, int height,
                  const std::function<std::uint32_t(int x, int y)>& colour);

// In `folder`: face.bmp (150 x 150, a white disc on a green key colour) and
// one character picture per character, chara<i>.bmp, solid red on the same
// key, 160 + 4 * i pixels wide and 160 high, so the window's width tells which
// character was drawn. Returns the character sections for Tavelin.ini.
std::string WriteTestCharacters(const std::string& folder);

// Width of the window for character i at normal size (face at 0, 0).
inline int TestCharacterWidth(int index) { return 160 + 4 * index; }

#endif
