#pragma once
// TwwDBGrid: the grid the windows place. It accepts only the library's
// datasets, can freeze data columns at the left (FixedCols), and draws the
// three-dimensional cell edges.
#include "grid/ww_custom_db_grid.h"

class TwwDBGrid : public TwwCustomDBGrid {
    Q_OBJECT
public:
    explicit TwwDBGrid(QWidget* parent = nullptr);

    // Data columns frozen at the left, besides the indicator column.
    int FixedCols() const { return frozenCols_; }
    void SetFixedCols(int count);

protected:
    void LinkActive(bool active) override;
    void SetColumnAttributes() override;
    TColor GetFieldColor(int col) const override;
    void DrawCell(int col, int row, const QRect& rect, TGridDrawState state) override;

private:
    // After a cell, with DefaultDrawing: the three-dimensional cell edges.
    void DrawCellLines(int col, int row, const QRect& rect, TGridDrawState state);
    // Refuses a dataset that is not the library's, and tidies the settings
    // of one that is.
    void CheckDataSet();

    int frozenCols_ = 0;
    bool checkingDataSet_ = false;
};
