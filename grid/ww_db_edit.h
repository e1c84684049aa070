#pragma once
// TwwDBEdit: the library's edit on one field of a dataset. Typing goes
// through the field's picture mask (the dataset's PictureMasks line); the
// space key completes a date or time with today's date or the time now, one
// part per press; leaving writes the field, and a text that fails its picture
// or is no value of the field keeps the focus, with a box that says why.
// Unbound, it edits a text of the kind UnboundDataType says.
#include "grid/date_time_completion.h"
#include "grid/ww_custom_mask_edit.h"
#include "platform/db/data_source.h"
#include "platform/ui/control_services.h"
#include "platform/ui/db_controls.h"

class TCustomGrid;

class TwwDBCustomEdit : public TwwCustomMaskEdit, public TDBFieldControl {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TwwDBCustomEdit(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* source);
    void SetDataField(const QString& name);
    bool ReadOnly() const { return TDBFieldControl::ReadOnly(); }
    void SetReadOnly(bool readOnly);

    bool AutoFillDate() const { return autoFillDate_; }
    void SetAutoFillDate(bool on) { autoFillDate_ = on; }
    TwwEditDataType UnboundDataType() const { return unboundDataType_; }
    void SetUnboundDataType(TwwEditDataType type) { unboundDataType_ = type; }
    bool UsePictureMask() const { return usePictureMask_; }
    void SetUsePictureMask(bool on) { usePictureMask_ = on; }
    // Enter starts a new line of a multi-line edit (word-wrapped, or without
    // a border) instead of going on to the form.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool on) { wantReturns_ = on; }
    // A multi-line edit shows a vertical scroll bar.
    bool ShowVertScrollBar() const { return showVertScrollBar_; }
    void SetShowVertScrollBar(bool on);
    // csPaintCopy while the edit is painted as a copy into a grid cell: it
    // then shows its field's display text, not what it is editing.
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state);

    // The kind of value the edit holds: from its field, else UnboundDataType.
    TwwEditDataType DataKind() const;
    // Text and picture, and for a date or time edit a valid date or time.
    bool IsTextValid() const override;
    // The text a grid shows for Field in a cell edited by this control; false
    // leaves it to the field's DisplayText.
    virtual bool GetCustomDisplayText(TField& field, QString& text);
    // The text the edit's own painting shows: painted as a copy, its field's
    // display text (a memo's whole text), else its own text.
    virtual QString GetDisplayText();

    TDataSet* PictureDataSet() const override;
    QString PictureDataField() const override;

protected:
    bool MaskInUse() const override;
    // Whether the edit may change the dataset's field: it puts the dataset
    // into edit mode when it can.
    virtual bool IsEditable();
    // The field's value back, all selected, nothing modified.
    virtual void Reset();
    bool EditCanModify() override;
    void CreateParams(TEditStyle& style) const override;

    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void Change() override;
    void ValidateExit() override;
    void DoExit() override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool Bound() const { return DataSource() && DataSource()->DataSet() && !DataField().isEmpty(); }
    // The grid the edit serves in as an in-cell control, or null.
    TCustomGrid* Grid() const;
    void UpdateReadOnly();
    void ShowField();
    void WriteField();
    // The space key: true when it added to the text.
    bool CompleteDateTime();
    // A key that would change the text: may it?
    bool CheckEditable();
    // Whether the user could type into the edit now: its field can be changed.
    bool CanEdit() const;
    // The text drawn as the edit's own picture: unfocused, read-only or as a copy.
    void PaintOwnText();

    bool autoFillDate_ = true;
    TwwEditDataType unboundDataType_ = TwwEditDataType::wwDefault;
    bool usePictureMask_ = true;
    bool wantReturns_ = false;
    bool showVertScrollBar_ = false;
    TControlState controlState_ = 0;
    bool focused_ = false;
    bool pastingWhole_ = false;   // a paste is being checked key by key, to meet the picture as a whole
};

class TwwDBEdit : public TwwDBCustomEdit {
    Q_OBJECT
public:
    using TwwDBCustomEdit::TwwDBCustomEdit;
};
