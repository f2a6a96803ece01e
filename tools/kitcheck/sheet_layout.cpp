#include "kitcheck/sheet_layout.h"

#include <algorithm>
#include <cstddef>

SheetLayout LayOutSheet(const std::vector<SheetCellSizes>& cells) {
  SheetLayout layout;
  if (cells.empty()) return layout;
  int y = kSheetMargin;
  for (std::size_t first = 0; first < cells.size(); first += kSheetColumns) {
    const std::size_t end = std::min(cells.size(), first + kSheetColumns);
    int rowHeight = 0;
    for (std::size_t i = first; i < end; ++i) {
      rowHeight = std::max({rowHeight, cells[i].normalHeight, cells[i].smallHeight});
    }
    int x = kSheetMargin;
    for (std::size_t i = first; i < end; ++i) {
      const SheetCellSizes& cell = cells[i];
      const int cellWidth = cell.normalWidth + kSheetGap + cell.smallWidth;
      layout.cells.push_back({x, y + rowHeight - cell.normalHeight, x + cell.normalWidth + kSheetGap,
                              y + rowHeight - cell.smallHeight, x + cellWidth / 2, y + rowHeight + 4});
      x += cellWidth + kSheetGap;
    }
    layout.width = std::max(layout.width, x - kSheetGap + kSheetMargin);
    y += rowHeight + kSheetLabelHeight + kSheetGap;
  }
  layout.height = y - kSheetGap + kSheetMargin;
  return layout;
}
