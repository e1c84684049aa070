#pragma once
// TwwInplaceEdit: the grid's in-place editor. Typed characters are checked
// against the current field's picture mask (the dataset's PictureMasks): a
// character the mask refuses at the end of the text is dropped with a beep,
// and literals the mask fills in appear as the user types.
#include "platform/ui/inplace_edit.h"

class TwwCustomDBGrid;

class TwwInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TwwInplaceEdit(TwwCustomDBGrid* grid);

    const QString& PictureMask() const { return pictureMask_; }
    bool AutoFill() const { return autoFill_; }
    // Whether the column may be left while its text fails the mask.
    bool AllowInvalidExit() const { return allowInvalidExit_; }
    void SetAllowInvalidExit(bool on) { allowInvalidExit_ = on; }
    // The current text passes: empty, no mask, or complete under it.
    bool IsTextValid() const;
    // Checks the text and reports it through the grid's OnCheckValue.
    void CheckText();
    // Reads the current field's mask.
    void LoadPictureMask();

protected:
    void CreateParams(TEditStyle& style) const override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool MaskInUse() const { return useMask_ && !pictureMask_.isEmpty(); }
    // Types Key through the mask; false when the key is left to the edit.
    bool TypeThroughMask(QChar& key);
    void ReportCheck(bool passed);

    TwwCustomDBGrid* wwGrid_;
    QString pictureMask_;
    bool autoFill_ = true;
    bool useMask_ = true;
    bool allowInvalidExit_ = false;
};
