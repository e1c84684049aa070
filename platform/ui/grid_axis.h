#pragma once
// One axis of a grid (its columns or its rows) as the client area shows it:
// fixed cells first, then the scrollable cells from the first one in view.
// Every walk stops at the edge of the client area, so the cost follows the
// cells in view, never the cell count.
#include <vector>

struct TGridAxis {
    const std::vector<int>* sizes = nullptr;  // empty: every cell has DefaultSize
    int defaultSize = 0;
    int count = 0;
    int fixed = 0;
    int first = 0;      // first scrollable cell in view
    int line = 0;       // width of the line after each cell
    int extent = 0;     // client width or height

    int Size(int i) const { return sizes->empty() ? defaultSize : (*sizes)[i]; }
    int FixedExtent() const;
    // Start of cell I in the client area; -1 when it is out of view.
    int Start(int i) const;
    // The cell under Pos (its trailing line included); -1 when none.
    int At(int pos) const;
    // The last scrollable cell wholly in view (First - 1 when none is).
    int LastFullVisible() const;
    // The last cell at least partly in view, and the end of its line.
    int LastPartVisible() const;
    int End() const;
    // The smallest first cell that shows cell Last wholly.
    int FirstShowing(int last) const;
    // The line boundary nearest Pos within Slop pixels: the index of the cell
    // it ends, or -1.
    int BoundaryAt(int pos, int slop) const;
};
