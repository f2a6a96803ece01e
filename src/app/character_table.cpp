#include "app/character_table.h"

#include "resource.h"

const CharacterEntry CharacterTable[kCharacterCount] = {
    {"&1. Aduvi", "Aduvi"},   {"&2. Belmoa", "Belmoa"}, {"&3. Cirrat", "Cirrat"},
    {"&4. Dovane", "Dovane"}, {"&5. Esmuka", "Esmuka"}, {"&6. Fornel", "Fornel"},
    {"&7. Gavoni", "Gavoni"}, {"&8. Hesket", "Hesket"}, {"&9. Ilvora", "Ilvora"},
    {"&A. Jemsut", "Jemsut"}, {"&B. Kaltra", "Kaltra"}, {"&C. Lunavi", "Lunavi"},
};

int CharacterIndexForChoice(int nChara, int drawnValue) {
  if (nChara >= IDM_CHARA_FIRST && nChara <= IDM_CHARA_LAST) return nChara - IDM_CHARA_FIRST;
  return drawnValue % kCharacterCount;
}
