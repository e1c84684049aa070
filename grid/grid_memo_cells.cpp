// TwwDBGrid: memo fields show "(Memo)" (or, with mGridShow, their text) and
// open in the memo dialog on F2 or a double click.
#include "grid/ww_db_edit.h"
#include "grid/ww_db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"

bool TwwDBGrid::IsMemoCell(int col)
{
    const TField* field = GetColField(col - IndicatorOffset());
    return field && field->DataType() == TFieldType::ftMemo;
}

void TwwDBGrid::SetMemoAttributes(TMemoAttributes attributes)
{
    memoAttributes_ = attributes;
    InvalidateGrid();
}

QString TwwDBGrid::GetFieldCellText(int dataCol)
{
    TField* field = GetColField(dataCol);
    if (!field) return {};
    if (field->DataType() == TFieldType::ftMemo) {
        if (DataSet()->IsEmpty() && DataSet()->State() != dsInsert) return {};
        return (memoAttributes_ & mGridShow) ? field->AsString() : QStringLiteral("(Memo)");
    }
    // Drawn with another row's record current: no control is borrowed here.
    if (auto* edit = qobject_cast<TwwDBCustomEdit*>(LentCellControl(IndicatorOffset() + dataCol))) {
        QString text;
        if (edit->GetCustomDisplayText(*field, text)) return text;
    }
    return TwwCustomDBGrid::GetFieldCellText(dataCol);
}

void TwwDBGrid::OpenMemoDialog()
{
    TField* field = SelectedField();
    if ((memoAttributes_ & mDisableDialog) || !field) return;
    TwwMemoDialog dialog;
    dialog.SetDataSource(DataSource());
    dialog.SetDataField(field->FieldName());
    TMemoAttributes attributes = memoAttributes_;
    if (!CellEditable() || field->ReadOnly() || !DataSet()->CanModify()) attributes |= mViewOnly;
    dialog.SetMemoAttributes(attributes);
    dialog.SetCaption(field->DisplayLabel().replace(u'~', u' '));
    dialog.Font() = Font().Font();
    if (OnMemoOpen) OnMemoOpen(*this, dialog);
    const bool ok = dialog.Execute();
    if (OnMemoClose) OnMemoClose(*this, !ok);
    InvalidateCell(Col(), Row());
    HideEditor();
}
