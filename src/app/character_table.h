// The twelve characters the clock knows by name. Index i belongs to the menu
// command IDM_CHARA_FIRST + i; the name is also the character's section in
// Tavelin.ini and appears in the tray tip.
#ifndef TAVELIN_APP_CHARACTER_TABLE_H
#define TAVELIN_APP_CHARACTER_TABLE_H

constexpr int kCharacterCount = 12;

struct CharacterEntry {
  const char* menuLabel;
  const char* name;
};

extern const CharacterEntry CharacterTable[kCharacterCount];

// Index of the character a load uses for the choice nChara: the drawn value
// modulo 12 for the random entry, nChara - IDM_CHARA_FIRST for a named one.
// Values outside the menu's range count as the random entry.
int CharacterIndexForChoice(int nChara, int drawnValue);

#endif
