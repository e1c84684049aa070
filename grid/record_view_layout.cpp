// The record-view form laid out from the field list: one control per field,
// chosen by the field's kind and its ControlType line, in a column beside
// right-aligned labels (vertical style) or in rows under their labels
// (horizontal style); the form takes the size its controls need.
#include "dataset/control_type_settings.h"
#include "dataset/property_reflection.h"
#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "grid/selected_line.h"
#include "grid/ww_db_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/control_services.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace {

bool IsType(const QString& type, const char* name)
{
    return type.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

TwwRecordViewForm::TLoan::TLoan(TCustomEdit& control)
    : Loan(control), Source(qvariant_cast<TDataSource*>(control.property("DataSource"))),
      Field(control.property("DataField").toString())
{
}

TwwRecordViewForm::TLoan::~TLoan()
{
    if (TCustomEdit* control = Loan.Control()) {
        SetControlDataSource(control, Source.data());
        SetControlDataField(control, Field);
    }
}

std::vector<TwwRecordViewItem> TwwRecordViewForm::Items() const
{
    std::vector<TwwRecordViewItem> items;
    const TDataSet* dataSet = dialog_.link_.DataSet();
    const TStrings& selected = dialog_.Selected();
    if (selected.Count() == 0) {
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            TField* field = dataSet->Fields(i);
            if (field->Visible()) items.push_back({field, field->DisplayWidth(), field->DisplayLabel()});
        }
    } else {
        for (int i = 0; i < selected.Count(); ++i) {
            const TSelectedLine line = TSelectedLine::Parse(selected[i]);
            TField* field = dataSet->FindField(line.FieldName);
            const int width = line.Characters().value_or(field ? field->DisplayWidth() : 0);
            const QString title = line.HasTitle || !field ? line.Title : field->DisplayLabel();
            items.push_back({field, width, title});
        }
    }
    for (TwwRecordViewItem& item : items) item.Title.replace(u'~', u' ');
    return items;
}

bool TwwRecordViewForm::Shows(TField& field)
{
    if ((dialog_.Options & rvoHideReadOnly) && field.ReadOnly()) return false;
    if ((dialog_.Options & rvoHideCalculated) && field.Calculated()) return false;
    bool accept = true;
    dialog_.DoBeforeCreateControl(*this, field, accept);
    return accept;
}

TCustomEdit* TwwRecordViewForm::FindBorrowable(const QString& name) const
{
    // The form that owns the data source; else the window the dialog was opened from.
    TCustomEdit* control = FindEditNamed(GetOwnerForm(dialog_.DataSource()), name);
    if (!control) control = FindEditNamed(origin_.data(), name);
    // A control that another record view holds stays there.
    if (control && qobject_cast<const TwwRecordViewForm*>(control->window())) return nullptr;
    return control;
}

QWidget* TwwRecordViewForm::BorrowControl(const QString& name, TField& field, int displayWidth)
{
    TCustomEdit* control = FindBorrowable(name);
    if (!control) return nullptr;
    // The loan is noted before anything changes, so that a failure half way
    // gives the control back as it was.
    borrowed_.push_back(std::make_unique<TLoan>(*control));
    control->hide();
    // Its form's key and exit handlers serve that form (or the grid it was lent to), not this one.
    control->OnKeyDown = nullptr;
    control->OnExit = nullptr;
    control->setParent(canvas_);
    control->setFrame(true);
    if (SetControlDataSource(control, dialog_.DataSource()) && SetControlDataField(control, field.FieldName())) {
        const bool richEdit = InheritsFromClassName(control->metaObject(), QStringLiteral("TwwCustomRichEdit"));
        const int controlWidth = richEdit ? width() - editLeft_ - dialog_.Margin.RightOffset - 20
                                          : (displayWidth + 1) * charWidth_ + 3;
        control->resize(controlWidth, control->height());
    }
    control->show();
    return control;
}

QWidget* TwwRecordViewForm::CreateMemo(TField& field)
{
    auto* memo = new TDBMemo(canvas_);
    memo->SetDataSource(dialog_.DataSource());
    memo->SetDataField(field.FieldName());
    memo->setEnabled(!field.ReadOnly());
    if (dialog_.Options & rvoEnterToTab) memo->SetWantReturns(false);
    const int height = 2 * QFontMetrics(font()).height() + 8;
    memo->resize(std::max(width() - editLeft_ - dialog_.Margin.RightOffset - 20, 40), height);
    return memo;
}

QWidget* TwwRecordViewForm::CreateEdit(TField& field, int displayWidth)
{
    auto* edit = new TwwDBEdit(canvas_);
    edit->SetDataSource(dialog_.DataSource());
    edit->SetDataField(field.FieldName());
    if (field.DataType() == TFieldType::ftString && field.Size() > 0) edit->SetMaxLength(field.Size());
    if (field.ReadOnly() || field.Calculated()) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, ToQColor(dialog_.ReadOnlyColor, palette));
        edit->setPalette(palette);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    edit->resize(displayWidth * charWidth_ + 3, edit->sizeHint().height());
    return edit;
}

void TwwRecordViewForm::FitWidth(QWidget& control) const
{
    const int left = dialog_.Style == TwwRecordViewStyle::rvsVertical ? editLeft_ : dialog_.Margin.LeftOffset;
    const int room = width() - left - dialog_.Margin.RightOffset - 20;
    if ((dialog_.Options & rvoShortenEditBox) && control.width() > room) control.resize(room, control.height());
    if ((dialog_.Options & rvoConsistentEditWidth) && control.width() < room) control.resize(room, control.height());
}

QWidget* TwwRecordViewForm::CreateControl(const TwwRecordViewItem& item, TwwLabel*& label)
{
    TField& field = *item.Field;
    label = nullptr;
    QWidget* control = nullptr;
    QString type, parameters;
    if ((dialog_.Options & rvoUseCustomControls)
        && GetFieldControlType(dialog_.link_.DataSet(), field.FieldName(), type, parameters)) {
        const QStringList parts = parameters.split(u';');
        if (IsType(type, "CheckBox") && parts.size() >= 2) {
            auto* box = new TDBCheckBox(canvas_);
            box->SetDataSource(dialog_.DataSource());
            box->SetDataField(field.FieldName());
            box->SetValueChecked(parts[0]);
            box->SetValueUnchecked(parts[1]);
            box->setText(item.Title);
            box->adjustSize();
            control = box;
        } else if (IsCustomEditControlType(type) || IsType(type, "RichEdit")) {
            control = BorrowControl(parts[0].trimmed(), field, item.DisplayWidth);
        }
    }
    if (!control) control = field.DataType() == TFieldType::ftMemo ? CreateMemo(field) : CreateEdit(field, item.DisplayWidth);
    FitWidth(*control);
    if (!qobject_cast<TDBCheckBox*>(control)) {
        label = new TwwLabel(canvas_);
        label->setFont(dialog_.LabelFont);
        label->SetCaption(item.Title);
        label->SetFocusControl(control);
        labels_.push_back(label);
    }
    edits_.push_back(control);
    editFields_.push_back(&field);
    return control;
}

void TwwRecordViewForm::LayOut()
{
    charWidth_ = QFontMetrics(font()).horizontalAdvance(u'0');
    if (dialog_.FormPosition.Width > 0) resize(dialog_.FormPosition.Width, height());
    const int rows = dialog_.Style == TwwRecordViewStyle::rvsVertical ? LayOutVertical() : LayOutHorizontal();
    int contentWidth = 0;
    for (QWidget* edit : edits_) contentWidth = std::max(contentWidth, edit->geometry().right() + 1);
    SizeForm(contentWidth + dialog_.Margin.RightOffset, rows);
    ClearModified();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        dialog_.DoAfterCreateControl(*this, editFields_[i], *edits_[i]);
    }
    for (TwwLabel* label : labels_) dialog_.DoAfterCreateControl(*this, nullptr, *label);
    if (!edits_.empty()) edits_.front()->setFocus();
}

int TwwRecordViewForm::LayOutVertical()
{
    const TwwMargin& margin = dialog_.Margin;
    const TwwVertEditSpacing& spacing = dialog_.EditSpacing.VerticalView;
    std::vector<TwwRecordViewItem> shown;
    const QFontMetrics labelMetrics(dialog_.LabelFont);
    int labelWidth = 0;
    for (const TwwRecordViewItem& item : Items()) {
        if (!item.Field || !Shows(*item.Field)) continue;
        shown.push_back(item);
        labelWidth = std::max(labelWidth, labelMetrics.horizontalAdvance(item.Title));
    }
    editLeft_ = margin.LeftOffset + labelWidth + spacing.BetweenLabelEdit;
    int top = margin.TopOffset;
    for (const TwwRecordViewItem& item : shown) {
        TwwLabel* label = nullptr;
        QWidget* control = CreateControl(item, label);
        control->move(editLeft_, top);
        if (label) {
            label->adjustSize();
            label->move(margin.LeftOffset + labelWidth - label->width(), top);
        }
        top += control->height() + spacing.BetweenRow;
    }
    return top - spacing.BetweenRow + margin.BottomOffset;
}

int TwwRecordViewForm::LayOutHorizontal()
{
    const TwwMargin& margin = dialog_.Margin;
    const TwwHorzEditSpacing& spacing = dialog_.EditSpacing.HorizontalView;
    editLeft_ = margin.LeftOffset;
    int left = margin.LeftOffset;
    int top = margin.TopOffset;
    int rowHeight = 0;
    const auto newRow = [&] {
        top += rowHeight;
        left = margin.LeftOffset;
        rowHeight = 0;
    };
    for (const TwwRecordViewItem& item : Items()) {
        if (!item.Field) {
            if (rowHeight > 0) newRow();
            continue;
        }
        if (!Shows(*item.Field)) continue;
        TwwLabel* label = nullptr;
        QWidget* control = CreateControl(item, label);
        int labelHeight = 0;
        int itemWidth = control->width();
        if (label) {
            label->adjustSize();
            labelHeight = label->height();
            itemWidth = std::max(itemWidth, label->width());
        }
        if (rowHeight > 0 && left + itemWidth > width() - margin.RightOffset) newRow();
        if (label) label->move(left + spacing.LabelIndent, top);
        control->move(left, top + labelHeight + spacing.BetweenLabelEdit);
        left += itemWidth + spacing.BetweenEditsInRow;
        rowHeight = std::max(rowHeight, labelHeight + spacing.BetweenLabelEdit + control->height() + spacing.BetweenRow);
    }
    return top + rowHeight - (rowHeight > 0 ? dialog_.EditSpacing.HorizontalView.BetweenRow : 0) + margin.BottomOffset;
}

void TwwRecordViewForm::SizeForm(int contentWidth, int rowsHeight)
{
    const TwwMargin& margin = dialog_.Margin;
    const TwwFormPosition& position = dialog_.FormPosition;
    const QRect work = GetDesktopWorkArea();
    const int frame = 2 * RecordPanel->BevelWidth() + 2;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int formWidth = frame + contentWidth + 14;
    if (Navigator) formWidth = std::max(formWidth, Navigator->width() + 14 + margin.RightOffset);
    if (OKBtn) formWidth = std::max(formWidth, OKBtn->width() + CancelBtn->width() + 41);
    computedWidth_ = formWidth;

    const int panels = (NavigatorPanel ? NavigatorPanel->height() : 0) + (UserPanel ? UserPanel->height() : 0);
    int formHeight = panels + rowsHeight + frame + 8;
    computedHeight_ = formHeight;
    if (position.Height > 0) formHeight = std::min(formHeight, position.Height);
    if (!work.isEmpty()) formHeight = std::min(formHeight, work.height() - 12);
    // Rows that do not fit scroll, and the scroll bar takes its width beside them.
    if (rowsHeight > formHeight - panels - frame) formWidth += scrollBar;
    if (position.Width > 0) formWidth = position.Width;
    if (!work.isEmpty()) formWidth = std::min(formWidth, work.width() - margin.RightOffset - 14);
    if (formWidth < computedWidth_) formHeight += scrollBar;
    if (!work.isEmpty()) formHeight = std::min(formHeight, work.height() - 12);
    resize(formWidth, formHeight);
    canvas_->resize(std::max(contentWidth, 1), rowsHeight);
    FormResize();
}
