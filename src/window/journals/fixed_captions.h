#pragma once
// The fixed row and column of a string grid on a QTableWidget: the
// captions stay in view while the other cells scroll.

class QTableWidget;

// Row 0 and column 0 keep their cells, which hold the captions as the
// table is exported, but are shown in the grid's headers, which do not
// scroll, with the caption of cell (0, 0) in the corner between them. The
// headers follow every change of those cells. Call it once the cells
// exist, with row 0 and column 0 at the sizes the headers are to take.
void FixCaptionRowAndColumn(QTableWidget& grid);
