#include "grid/ww_db_edit.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/field_text.h"
#include "dataset/picture_mask.h"
#include "grid/picture_typing.h"
#include "grid/word_wrap.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/colors.h"
#include "platform/ui/custom_grid.h"
#include <QApplication>
#include <QClipboard>
#include <QScopedValueRollback>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QRegularExpression>
#include <optional>

namespace {

// Under an edit mask: what was typed before the caret, when nothing after it
// is filled in and it has no gaps.
std::optional<QString> TypedBeforeCaret(const TEditMask& mask, const QString& editText, int caret)
{
    for (int pos = 0; pos < editText.size(); ++pos)
        if (!mask.IsLiteral(pos) && (editText[pos] == mask.Blank()) == (pos < caret)) return std::nullopt;
    return editText.left(caret);
}

// A completion ("07/", "07/12/", "07/12/2026") laid into an edit mask part by
// part, each padded with leading zeros to its run of positions, the rest left
// blank; the edit text and the caret after it, or nothing when it does not fit.
std::optional<std::pair<QString, int>> FitToMask(const TEditMask& mask, const QString& completed)
{
    static const QRegularExpression separators(QStringLiteral("[^0-9A-Za-z]+"));
    const QStringList parts = completed.split(separators, Qt::SkipEmptyParts);
    QString edit = mask.BlankText();
    int caret = 0;
    qsizetype part = 0;
    for (int pos = 0; pos < mask.Length() && part < parts.size();) {
        if (mask.IsLiteral(pos)) {
            ++pos;
            continue;
        }
        int end = pos;
        while (end < mask.Length() && !mask.IsLiteral(end)) ++end;
        if (parts[part].size() > end - pos) return std::nullopt;
        const QString value = parts[part++].rightJustified(end - pos, QLatin1Char('0'));
        for (int i = 0; i < value.size(); ++i) {
            const std::optional<QChar> accepted = mask.Accept(pos + i, value[i]);
            if (!accepted) return std::nullopt;
            edit[pos + i] = *accepted;
        }
        caret = pos = end;
    }
    if (part != parts.size()) return std::nullopt;
    // A completion that ends on a separator goes on to the next part.
    if (!completed.isEmpty() && !completed.back().isLetterOrNumber()) {
        const int next = mask.NextEditPos(caret);
        caret = next < 0 ? mask.Length() : next;
    }
    return std::pair{edit, caret};
}

// What a value of the kind is called in the conversion's error.
QString KindName(TwwEditDataType kind)
{
    switch (kind) {
    case TwwEditDataType::wwEdtTime: return QStringLiteral("time");
    case TwwEditDataType::wwEdtDateTime: return QStringLiteral("date and time");
    case TwwEditDataType::wwEdtDate:
    case TwwEditDataType::wwDefault: break;
    }
    return QStringLiteral("date");
}

} // namespace

TwwDBCustomEdit::TwwDBCustomEdit(QWidget* parent) : TwwCustomMaskEdit(parent)
{
    dataLink_.OnDataChange = [this] { ShowField(); };
    dataLink_.OnEditingChange = [this] { UpdateReadOnly(); };
    dataLink_.OnUpdateData = [this] { WriteField(); };
    dataLink_.OnFocusControl = [this] { setFocus(); };
}

void TwwDBCustomEdit::SetDataSource(TDataSource* source)
{
    TDBFieldControl::SetDataSource(source);
    UpdateReadOnly();
}

void TwwDBCustomEdit::SetDataField(const QString& name)
{
    // A length limit that came from the old field goes with it.
    if (const TField* field = Field(); field && field->DataType() == TFieldType::ftString && MaxLength() == field->Size())
        SetMaxLength(0);
    TDBFieldControl::SetDataField(name);
    UpdateReadOnly();
}

// Bound, the edit takes typing only while its field is being edited.
void TwwDBCustomEdit::UpdateReadOnly()
{
    QLineEdit::setReadOnly(Bound() ? !dataLink_.Editing() : ReadOnly());
}

void TwwDBCustomEdit::SetReadOnly(bool readOnly)
{
    TDBFieldControl::SetReadOnly(readOnly);
    if (!Bound()) QLineEdit::setReadOnly(readOnly);
}

TwwEditDataType TwwDBCustomEdit::DataKind() const
{
    const TField* field = Field();
    if (!field) return unboundDataType_;
    switch (field->DataType()) {
    case TFieldType::ftDate: return TwwEditDataType::wwEdtDate;
    case TFieldType::ftTime: return TwwEditDataType::wwEdtTime;
    case TFieldType::ftDateTime: return TwwEditDataType::wwEdtDateTime;
    default: return TwwEditDataType::wwDefault;
    }
}

bool TwwDBCustomEdit::IsTextValid() const
{
    if (!TwwCustomMaskEdit::IsTextValid()) return false;
    const QString value = Text().trimmed();
    if (value.isEmpty()) return true;
    switch (DataKind()) {
    case TwwEditDataType::wwEdtDate: return IsValidTextForFieldType(TFieldType::ftDate, value);
    case TwwEditDataType::wwEdtTime: return IsValidTextForFieldType(TFieldType::ftTime, value);
    case TwwEditDataType::wwEdtDateTime: return IsValidTextForFieldType(TFieldType::ftDateTime, value);
    case TwwEditDataType::wwDefault: break;
    }
    return true;
}

bool TwwDBCustomEdit::GetCustomDisplayText(TField&, QString&)
{
    return false;
}

TDataSet* TwwDBCustomEdit::PictureDataSet() const
{
    return DataSource() ? DataSource()->DataSet() : nullptr;
}

QString TwwDBCustomEdit::PictureDataField() const
{
    return DataField();
}

bool TwwDBCustomEdit::MaskInUse() const
{
    return usePictureMask_ && TwwCustomMaskEdit::MaskInUse();
}

TCustomGrid* TwwDBCustomEdit::Grid() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* grid = qobject_cast<TCustomGrid*>(w)) return grid;
    return nullptr;
}

// ---- showing and writing the field

void TwwDBCustomEdit::ShowField()
{
    TField* field = Field();
    if (!field) {
        if (Bound() || DataSource()) SetText(QString());
        return;
    }
    if (!MaskInUse() && field->EditMask() != EditMask()) SetEditMask(field->EditMask());
    if (field->DataType() == TFieldType::ftString && MaxLength() == 0) SetMaxLength(field->Size());
    setAlignment(field->Alignment() == taRightJustify ? Qt::AlignRight
                 : field->Alignment() == taCenter      ? Qt::AlignHCenter
                                                       : Qt::AlignLeft);
    if ((focused_ || field->DataType() == TFieldType::ftMemo) && dataLink_.CanModify())
        SetText(field->Text());
    else
        SetEditText(field->DisplayText());
    setModified(false);
}

void TwwDBCustomEdit::WriteField()
{
    TField* field = Field();
    if (!field || ReadOnly()) return;
    if (!MaskInUse()) {
        ValidateEdit();
    } else if (GetDataSetValidateWithMask(dataLink_.DataSet()) && !TwwCustomMaskEdit::IsTextValid()) {
        const TwwInvalidValueEvent onInvalid = GetDataSetOnInvalidValue(dataLink_.DataSet());
        if (!onInvalid) throw EDBEditError(QString::fromLatin1(SMaskEditErr));
        onInvalid(*dataLink_.DataSet(), *field);
    }
    field->SetText(Text());
}

void TwwDBCustomEdit::Reset()
{
    if (Bound()) dataLink_.Reset();
    else setModified(false);
    selectAll();
}

// ---- typing

bool TwwDBCustomEdit::IsEditable()
{
    if (!Bound()) return !ReadOnly();
    TField* field = Field();
    if (field && IsCalculatedField(*field)) {
        if (ReadOnly() || !dataLink_.DataSet()->CanModify()) return false;
        if (!IsEditState(dataLink_.DataSet()->State())) dataLink_.DataSet()->Edit();
        QLineEdit::setReadOnly(false);
        return true;
    }
    return dataLink_.Edit();
}

bool TwwDBCustomEdit::EditCanModify()
{
    return IsEditable();
}

// A key that would change the text: may it?
bool TwwDBCustomEdit::CheckEditable()
{
    if (QLineEdit::isReadOnly() && DataSource() && !DataSource()->AutoEdit() && !IsEditState(DataSource()->State()))
        return false;
    if (!Bound()) {
        if (!ReadOnly()) QLineEdit::setReadOnly(false);
        return !ReadOnly();
    }
    return true;
}

bool TwwDBCustomEdit::CompleteDateTime()
{
    const TwwEditDataType kind = DataKind();
    if (kind == TwwEditDataType::wwDefault) return false;
    const bool wholeSelected = SelLength() > 0 && SelLength() == text().size();
    QString current;
    if (IsMasked()) {
        const std::optional<QString> typed = TypedBeforeCaret(Mask(), text(), cursorPosition());
        if (!wholeSelected && (SelLength() > 0 || !typed)) return false;
        current = wholeSelected ? QString() : *typed;
    } else {
        if (!wholeSelected && (SelLength() > 0 || cursorPosition() != text().size())) return false;
        current = wholeSelected ? QString() : text();
    }
    const QString completed = CompleteDateTimeText(current, kind, Now());
    if (completed == current) return false;
    std::optional<std::pair<QString, int>> shown{std::pair{completed, int(completed.size())}};
    if (IsMasked()) shown = FitToMask(Mask(), completed);
    if (!shown) return false;
    if (!IsEditable()) {
        QApplication::beep();
        return false;
    }
    ReplaceText(shown->first, shown->second);
    return true;
}

void TwwDBCustomEdit::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TwwCustomMaskEdit::KeyDown(key, shift);
    const bool ctrl = shift & Qt::ControlModifier;
    const bool paste = (key == Qt::Key_V && ctrl) || (key == Qt::Key_Insert && (shift & Qt::ShiftModifier));
    const bool cut = (key == Qt::Key_X && ctrl) || (key == Qt::Key_Delete && (shift & Qt::ShiftModifier));
    if (!paste && !cut && key != Qt::Key_Delete) return;
    if (!IsEditable()) {
        key = 0;
        return;
    }
    if (!paste || !MaskInUse()) return;
    // Pasted text passes the key checks as typed, then the picture as a
    // whole; the caret keeps its distance from the end.
    {
        const QScopedValueRollback pastingWhole(pastingWhole_, true);
        InsertTyped(TypedText(QApplication::clipboard()->text()));
    }
    const int fromEnd = int(text().size()) - cursorPosition();
    QString checked = text();
    TwwPictureValidator(Picture().PictureMask(), Picture().AutoFill()).Picture(checked, Picture().AutoFill());
    ReplaceText(checked, int(checked.size()) - fromEnd);
    CheckValue();
    key = 0;
}

void TwwDBCustomEdit::KeyPress(QChar& key)
{
    TwwCustomMaskEdit::KeyPress(key);
    if (key.isNull()) return;
    const ushort code = key.unicode();
    if ((code >= 32 || code == 8) && !CheckEditable()) {
        key = QChar();
        return;
    }
    if (key == QLatin1Char(' ') && autoFillDate_ && !pastingWhole_ && !(MaskInUse() && Picture().AutoFill())
        && CompleteDateTime()) {
        key = QChar();
        CheckValue();
        return;
    }
    switch (code) {
    case 27:
        Reset();
        key = QChar();
        if (TCustomGrid* grid = Grid()) grid->setFocus();
        return;
    case 13:
        // A new line of the text: the record goes into edit state first.
        if (wantReturns_) {
            if (!IsEditable()) key = QChar();
            else if (Bound()) dataLink_.Modified();
            return;
        }
        // Outside a grid Enter goes on to the form's default button.
        if (Grid()) key = QChar();
        return;
    default: break;
    }
    if (!IsEditable()) {
        key = QChar();
        return;
    }
    if (code == 8) {
        if (OnCheckValue && MaskInUse()) {
            QString after = text();
            if (hasSelectedText()) after.remove(selectionStart(), selectedText().size());
            else if (cursorPosition() > 0) after.remove(cursorPosition() - 1, 1);
            DoCheckValue(IsTextCompleteForPicture(after, Picture().PictureMask()));
        }
        return;
    }
    if (code < 32) return;
    if (MaskInUse()) {
        // A paste meets the picture as a whole, after these checks; a
        // character beyond 16 bits has no place in a picture either way.
        if (pastingWhole_ && key.isSurrogate()) {
            key = QChar();
            return;
        }
        if (!pastingWhole_ && TypeThroughPicture(key, true)) return;
    }
    if (Field() && !Field()->IsValidChar(key)) {
        QApplication::beep();
        key = QChar();
    }
}

void TwwDBCustomEdit::Change()
{
    // Typing through an edit mask sets the text as a whole, which Qt does not
    // count as the user's; the edit's own flag does.
    if (isModified() || Modified()) dataLink_.Modified();
    TwwCustomMaskEdit::Change();
}

// ---- focus

void TwwDBCustomEdit::focusInEvent(QFocusEvent* event)
{
    focused_ = true;
    // Back after a refused exit, the refused text stays to be mended; back
    // with its window, the text stays as it was.
    if (Bound() && !InvalidExit() && !ComingBack(event)) dataLink_.Reset();
    TwwCustomMaskEdit::focusInEvent(event);
}

// The text is checked before it is written: a text that fails its picture,
// or no value of the field (an impossible date, a number that is none),
// stays in the edit with the focus and never reaches the field.
void TwwDBCustomEdit::ValidateExit()
{
    TwwCustomMaskEdit::ValidateExit();
    // Bound, the field's own conversion says why it refuses the text.
    if (Bound())
        dataLink_.UpdateRecord();
    else if (Modified() && !Picture().AllowInvalidExit() && !IsTextValid())
        throw EConvertError(
            QStringLiteral("%1 is not a valid %2").arg(QuotedInput(Text().trimmed()), KindName(DataKind())));
}

void TwwDBCustomEdit::DoExit()
{
    if (RefuseExit([this] { ValidateExit(); })) return;
    focused_ = false;
    if (Bound()) dataLink_.Reset();
    // Not the mask edit's own exit check: ValidateExit has made it.
    TCustomEdit::DoExit();
}

// ---- styles and painting

void TwwDBCustomEdit::SetShowVertScrollBar(bool on)
{
    if (on == showVertScrollBar_) return;
    showVertScrollBar_ = on;
    RecreateWnd();
}

void TwwDBCustomEdit::CreateParams(TEditStyle& style) const
{
    TwwCustomMaskEdit::CreateParams(style);
    style.WantReturn = wantReturns_;
    style.VertScrollBar = showVertScrollBar_;
}

void TwwDBCustomEdit::SetControlState(TControlState state)
{
    controlState_ = state;
    update();
}

QString TwwDBCustomEdit::GetDisplayText()
{
    TField* field = Field();
    if (!InPaintCopyState(controlState_) || !field) return text();
    if (field->DataType() == TFieldType::ftMemo) return field->AsString();
    QString custom;
    return GetCustomDisplayText(*field, custom) ? custom : field->DisplayText();
}

bool TwwDBCustomEdit::CanEdit() const
{
    return Bound() ? dataLink_.CanModify() : !ReadOnly();
}

// Focused where the user can type, the edit shows its caret and selection;
// otherwise it draws its text itself, in the colours of where it stands.
void TwwDBCustomEdit::paintEvent(QPaintEvent* event)
{
    if (!InPaintCopyState(controlState_) && hasFocus() && CanEdit()) {
        TwwCustomMaskEdit::paintEvent(event);
        return;
    }
    PaintOwnText();
}

void TwwDBCustomEdit::PaintOwnText()
{
    QPainter painter(this);
    QRect area = rect();
    if (hasFrame()) {
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        panel.palette.setColor(QPalette::Base, Qt::white);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        area.adjust(frame, frame, -frame, -frame);
    }
    const auto* grid = qobject_cast<const TwwDBGrid*>(Grid());
    // Over the current cell of a focused grid it is that cell, selected.
    const bool highlighted = grid && grid->hasFocus() && !InPaintCopyState(controlState_);
    painter.fillRect(area, highlighted ? palette().highlight() : palette().base());
    QColor color = palette().color(QPalette::Active, QPalette::Text);
    if (!isEnabled())
        color = ToQColor(clGrayText);
    else if (highlighted)
        color = palette().color(QPalette::Active, QPalette::HighlightedText);
    else if (grid)
        color = ToQColor(grid->Font().Color());
    painter.setPen(color);
    painter.setFont(font());

    const QRect textArea = FormatRect();
    const Qt::Alignment across = alignment() & Qt::AlignHorizontal_Mask;
    const QString shown = GetDisplayText();
    if (!WordWrap()) {
        painter.drawText(textArea, int(across | Qt::AlignVCenter), shown);
        return;
    }
    const QFontMetrics metrics(font());
    int y = textArea.top();
    for (const QString& line : WrapText(shown, textArea.width(), [&metrics](const QString& piece) {
             return metrics.horizontalAdvance(piece);
         })) {
        if (y != textArea.top() && y + metrics.height() > textArea.bottom() + 1) break;
        painter.drawText(QRect(textArea.left(), y, textArea.width(), metrics.height()), int(across | Qt::AlignTop),
                         line.trimmed());
        y += metrics.height();
    }
}
