#pragma once
// TInplaceEdit: the grid's in-place editor, a mask edit without a border that
// sits over the current cell. It takes the cell's mask, length limit and text
// from the grid, writes each change back through the grid's SetEditText, asks
// the grid whether a key may change the text, and hands the keys that move
// between cells to the grid.
#include "platform/ui/mask_edit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TCustomGrid* grid);

    TCustomGrid* Grid() const { return grid_; }
    // Loads the grid's current cell: mask, limit and text, all selected.
    virtual void UpdateContents();

    bool EditCanModify() override;

protected:
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void Change() override;
    // The grid checks the cell's text when it moves; leaving the editor does not.
    void DoExit() override;
    bool event(QEvent* event) override;

private:
    TCustomGrid* grid_;
};
