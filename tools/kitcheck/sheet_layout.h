// Where each figure and its name go on the kit sheet.
#ifndef TAVELIN_KITCHECK_SHEET_LAYOUT_H
#define TAVELIN_KITCHECK_SHEET_LAYOUT_H

#include <vector>

constexpr int kSheetMargin = 16;       // around the whole sheet
constexpr int kSheetGap = 16;          // between the two sizes, between cells and between rows
constexpr int kSheetLabelHeight = 24;  // the name's strip under each row of figures
constexpr int kSheetColumns = 4;

// One character's window sizes at the normal and the small size.
struct SheetCellSizes {
  int normalWidth;
  int normalHeight;
  int smallWidth;
  int smallHeight;
};

// Top-left corners of the two figures and the top centre of the name.
struct SheetCellPlace {
  int normalX;
  int normalY;
  int smallX;
  int smallY;
  int labelCentreX;
  int labelY;
};

struct SheetLayout {
  int width = 0;
  int height = 0;
  std::vector<SheetCellPlace> cells;
};

// Cells of two figures side by side, kSheetColumns to a row, the figures of a
// row standing on one line with the names in a strip below it.
SheetLayout LayOutSheet(const std::vector<SheetCellSizes>& cells);

#endif
