#include "grid/lookup_combo.h"
#include <QScrollBar>
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/text_helpers.h"
#include "dataset/ww_table.h"
#include "grid/combo_button.h"
#include "platform/ui/control_services.h"
#include "grid/popup_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/rtl/presenter.h"
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr char kDuplicateSource[] = "Unable to use duplicate DataSource and LookupSource";

// Sets a flag for the lifetime of the object, restoring it on every way out.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = old_; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
    const bool old_;
};

int ScrollBarWidth(const QWidget& widget)
{
    return widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
}

}  // namespace

TwwDBCustomLookupCombo::TwwDBCustomLookupCombo(QWidget* parent) : TCustomEdit(parent)
{
    resize(width(), 25);
    searchTimer_.setInterval(SearchDelay);
    connect(&searchTimer_, &QTimer::timeout, this, [this] { SearchTimerFired(); });

    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { EditingChange(); };
    link_.OnUpdateData = [this] { UpdateData(); };
    link_.OnActiveChange = [this] { ActiveChange(); };

    buttonPanel_ = new QWidget(this);
    buttonPanel_->setCursor(Qt::ArrowCursor);
    button_ = new TwwComboButton(*this, buttonPanel_);

    grid_ = new TwwPopupGrid(*this);
    grid_->OnClick = [this](QObject*) {
        AcceptRow();
        CloseUp(true);
    };
    LayoutButton();
    UpdateReadOnlyState();
}

TwwDBCustomLookupCombo::~TwwDBCustomLookupCombo()
{
    searchTimer_.stop();
    link_.OnDataChange = nullptr;
    link_.OnEditingChange = nullptr;
    link_.OnUpdateData = nullptr;
    link_.OnActiveChange = nullptr;
    delete grid_;   // a floating window: it goes before the combo's children are torn down
}

// ---- Properties.

TwwLookupBinding& TwwDBCustomLookupCombo::Binding() const
{
    return grid_->Binding();
}

void TwwDBCustomLookupCombo::SetDataSource(TDataSource* source)
{
    if (source && LookupTable() && source->DataSet() == LookupTable())
        throw EInvalidOperation(QString::fromLatin1(kDuplicateSource));
    link_.SetDataSource(source);
    UpdateReadOnlyState();
}

void TwwDBCustomLookupCombo::SetDataField(const QString& name)
{
    link_.SetFieldName(name);
    UpdateReadOnlyState();
}

TDataSet* TwwDBCustomLookupCombo::LookupTable() const
{
    return grid_->LookupTable();
}

void TwwDBCustomLookupCombo::SetLookupTable(TDataSet* table)
{
    if (table && DataSource() && DataSource()->DataSet() == table)
        throw EInvalidOperation(QString::fromLatin1(kDuplicateSource));
    grid_->SetLookupTable(table);
    DataChange();
}

QString TwwDBCustomLookupCombo::LookupField() const
{
    return grid_->LookupField();
}

void TwwDBCustomLookupCombo::SetLookupField(const QString& names)
{
    grid_->SetLookupField(names);
    DataChange();
}

TStrings* TwwDBCustomLookupCombo::Selected() const
{
    return &grid_->Selected();
}

void TwwDBCustomLookupCombo::SetSelected(TStrings* lines)
{
    grid_->Selected().Clear();
    if (lines) grid_->Selected().AddStrings(*lines);
    grid_->BindLookupFields(false);
    DataChange();
}

TwwDBLookupListOptions TwwDBCustomLookupCombo::Options() const
{
    return grid_->LookupOptions();
}

void TwwDBCustomLookupCombo::SetOptions(TwwDBLookupListOptions options)
{
    grid_->SetLookupOptions(options);
}

void TwwDBCustomLookupCombo::SetAutoSize(bool on)
{
    autoSize_ = on;
    LayoutButton();
}

void TwwDBCustomLookupCombo::SetStyle(TwwDBLookupComboStyle style)
{
    style_ = style;
    UpdateReadOnlyState();
}

void TwwDBCustomLookupCombo::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    UpdateReadOnlyState();
}

void TwwDBCustomLookupCombo::SetAutoDropDown(bool on)
{
    autoDropDown_ = on;
    UpdateReadOnlyState();
}

void TwwDBCustomLookupCombo::SetShowButton(bool on)
{
    showButton_ = on;
    LayoutButton();
}

void TwwDBCustomLookupCombo::SetUseTFields(bool on)
{
    useTFields_ = on;
    grid_->SetUseTFields(on);
}

void TwwDBCustomLookupCombo::SetSeqSearchOptions(TwwSeqSearchOptions options)
{
    seqSearchOptions_ = options;
    grid_->SetCaseSensitive(options & ssoCaseSensitive);
}

QString TwwDBCustomLookupCombo::LookupValue() const
{
    return Binding().Value(0);
}

bool TwwDBCustomLookupCombo::IsDroppedDown() const
{
    return grid_->isVisible();
}

// ---- State.

bool TwwDBCustomLookupCombo::Editable() const
{
    return IsDroppedDown() || style_ != csDropDownList || autoDropDown_;
}

bool TwwDBCustomLookupCombo::ListOnly() const
{
    return style_ == csDropDownList && !autoDropDown_;
}

bool TwwDBCustomLookupCombo::DataSetLookupField() const
{
    return Binding().OnDataSetLookupField();
}

int TwwDBCustomLookupCombo::DetailMasterFieldCount() const
{
    const auto* table = qobject_cast<const TwwTable*>(LookupTable());
    return table && table->HasMasterLink() ? int(table->MasterFields().count(QLatin1Char(';'))) + 1 : 0;
}

bool TwwDBCustomLookupCombo::CanChangeValue() const
{
    if (readOnly_) return false;
    if (!IsDroppedDown() && style_ == csDropDownList && !autoDropDown_) return false;
    if (!DataSource() || DataField().isEmpty()) return true;
    if (link_.Editing() && Editable()) return true;
    if (DataSetLookupField()) {
        const TDataSetState state = DataSource()->State();
        return state == dsEdit || state == dsInsert || DataSource()->AutoEdit();
    }
    return false;
}

bool TwwDBCustomLookupCombo::EditRecord()
{
    // A combo that takes no typing leaves the record as it is.
    if (Editable() && DataSource() && link_.Field() && !link_.Editing()) link_.Edit();
    return CanChangeValue();
}

void TwwDBCustomLookupCombo::UpdateReadOnlyState()
{
    // A dataset lookup field is never written itself: its link fields are.
    const TDataSet* dataSet = DataSource() ? DataSource()->DataSet() : nullptr;
    const bool fieldLocked = link_.Field() && (DataSetLookupField() ? !(dataSet && dataSet->CanModify())
                                                                    : !link_.CanModify());
    TCustomEdit::SetReadOnly(readOnly_ || !Editable() || fieldLocked);
}

void TwwDBCustomLookupCombo::LayoutButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    setMinimumHeight(autoSize_ ? fontMetrics().height() + 2 * frame + 1 : 0);
    const int panelWidth = std::max(ScrollBarWidth(*this) + 4, 17);
    const int buttonWidth = std::max(ScrollBarWidth(*this), 15);
    const QRect inner = contentsRect();
    buttonPanel_->setGeometry(inner.right() + 1 - panelWidth, inner.top(), panelWidth, inner.height());
    button_->setGeometry(panelWidth - buttonWidth, 0, buttonWidth, inner.height());
    buttonPanel_->setVisible(showButton_);
    setTextMargins(0, 0, showButton_ ? panelWidth : 0, 0);
}

void TwwDBCustomLookupCombo::PaintButton(QPainter& painter, const QRect& rect, bool pressed)
{
    DrawComboButton(painter, *button_, rect, pressed, 0, isEnabled());
}

// ---- The value.

void TwwDBCustomLookupCombo::SetLookupValue(const QString& value)
{
    if (LookupTable() && DataSource() && DataSource()->DataSet() == LookupTable())
        throw EInvalidOperation(QString::fromLatin1(kDuplicateSource));
    ShowLookupValue(value);
    // Without a field the value set is the one the combo stands on (a
    // picker names what its window shows): Escape goes back to it, not to
    // what the combo showed before.
    if (!link_.Field()) {
        savedText_ = Text();
        savedValue_ = value;
    }
}

void TwwDBCustomLookupCombo::ShowLookupValue(const QString& value)
{
    const TFlagGuard setting(settingValue_);
    Binding().SetValue(0, value);
    if (LookupTable() && LookupTable()->Active() && Binding().Bound()) {
        grid_->SetValue(value);
        SetText(Binding().DisplayValue());
    } else {
        SetText(value);
    }
}

bool TwwDBCustomLookupCombo::WriteValues()
{
    TDataSet* dataSet = DataSource() ? DataSource()->DataSet() : nullptr;
    // The box of a record that refuses the values takes the focus away, and
    // leaving the combo asks it to write them: the write under way answers
    // for them, so the refusal is shown once.
    if (!dataSet || writingField_) return false;
    // A record that refuses the value (a posted row) says so once: the combo
    // shows what the record holds again, so that leaving it writes nothing more.
    try {
        const TFlagGuard writing(writingField_);
        bool written = false;
        TwwLookupBinding& binding = Binding();
        if (DataSetLookupField()) {
            // The lookup values go into this dataset's link fields; those that
            // a detail lookup table takes from its master are the master's to
            // say, so only the fields after them are written.
            for (int i = DetailMasterFieldCount(); i < binding.LookupFieldCount(); ++i) {
                TField* target = dataSet->FindField(binding.LinkField(i));
                if (!target || target->AsString() == binding.Value(i)) continue;
                if (dataSet->State() != dsEdit && dataSet->State() != dsInsert) dataSet->Edit();
                target->SetAsString(binding.Value(i));
                written = true;
            }
            return written;
        }
        if (grid_->ChosenRow() >= 0 || grid_->Found()) {
            for (int i = 1; i < binding.LookupFieldCount(); ++i) {
                TField* target = dataSet->FindField(binding.LookupField(i)->FieldName());
                if (target && target->AsString() != binding.Value(i)) {
                    target->SetAsString(binding.Value(i));
                    written = true;
                }
            }
        }
        if (TField* field = link_.Field(); field && field->AsString() != binding.Value(0)) {
            if (binding.Value(0).isEmpty())
                field->Clear();
            else
                field->SetAsString(binding.Value(0));
            written = true;
        }
        return written;
    } catch (...) {
        link_.Reset();
        throw;
    }
}

void TwwDBCustomLookupCombo::RestoreSaved()
{
    const TFlagGuard setting(settingValue_);
    Binding().SetValue(0, savedValue_);
    SetText(savedText_);
    if (hasFocus() && Editable()) selectAll();
}

void TwwDBCustomLookupCombo::FireNotInList(bool& accept)
{
    accept = true;
    const TFlagGuard pending(notInListPending_);
    OnNotInList(this, LookupTable(), Text(), accept);
    ReleaseMouseButton();
}

// ---- Drop-down and close-up.

void TwwDBCustomLookupCombo::DropDown()
{
    TDataSet* table = LookupTable();
    if (!table) {
        MessageDlg(QStringLiteral("No lookup table specified!"), TMsgDlgType::mtWarning, mbOK);
        return;
    }
    if (!table->Active()) {
        MessageDlg(QStringLiteral("Lookup table is not active!"), TMsgDlgType::mtWarning, mbOK);
        return;
    }
    if (IsDroppedDown() || width() < 21) return;

    grid_->SetChosenRow(-1);
    grid_->BindLookupFields(true);
    EnsureSelected();
    TStrings& selected = grid_->Selected();
    if (!keySearch_) {
        // A dataset lookup field shows a result; the row is found by its link values.
        const bool ownValue = link_.Field() && !DataSetLookupField();
        const QString value = ownValue ? link_.Field()->AsString() : Binding().Value(0);
        if (!value.isEmpty()) grid_->SetValue(value);
    }
    if (useTFields_) ApplySelectedToFields(*table, selected);
    grid_->SetUseTFields(useTFields_);
    grid_->LayoutChanged();
    if (OnDropDown) OnDropDown(this);

    PlaceGrid();
    UpdateReadOnlyState();
    if (!keySearch_ && Editable()) selectAll();
}

// A list without columns shows the field the combo shows.
void TwwDBCustomLookupCombo::EnsureSelected()
{
    TStrings& selected = grid_->Selected();
    const TField* field = Binding().DisplayField();
    if (selected.Count() > 0 || !field) return;
    selected.Add(field->FieldName() + QLatin1Char('\t') + QString::number(field->DisplayWidth()) + QLatin1Char('\t') +
                 field->DisplayLabel());
}

void TwwDBCustomLookupCombo::PlaceGrid()
{
    TDataSet* table = LookupTable();
    int rows = std::max(1, dropDownCount_);
    const int lineWidth = grid_->GridLineWidth();
    const int rowHeight = grid_->DefaultRowHeight() + lineWidth;
    const int titleHeight = grid_->TitleRows() > 0 ? grid_->RowHeights(0) + lineWidth : 0;
    const int frame = 2 * grid_->frameWidth();
    const auto heightFor = [&](int count) { return titleHeight + count * rowHeight + 5 + frame; };

    int width = dropDownWidth_;
    if (width == 0) {
        for (int col = 0; col < grid_->ColCount(); ++col) width += grid_->ColWidths(col) + lineWidth;
        width += ScrollBarWidth(*grid_) + 1 + frame;
    }
    grid_->resize(width, heightFor(rows));
    // The grid lays out its rows when it is shown; then the records it holds are counted.
    grid_->show();
    // Fewer records than rows: the list is as high as its records, where
    // counting them is cheap (the grid's window holds them already).
    auto* ww = qobject_cast<TwwTable*>(table);
    const bool countable = !(ww && (ww->NarrowSearch() || (ww->IsSQLBased() && ww->SyncSQLByRange())));
    if (countable) {
        const int records = grid_->DataLink().RecordCount();
        if (records < rows) rows = std::max(1, records);
    }
    grid_->resize(width, heightFor(rows));
    // Columns wider than a list of a given width bring a horizontal scroll
    // bar: the list grows by its height rather than hide a row behind it.
    if (grid_->horizontalScrollBar()->isVisible())
        grid_->resize(width, heightFor(rows) + grid_->horizontalScrollBar()->height());

    const QPoint below = mapToGlobal(QPoint(0, height() - (hasFrame() ? 1 : 0)));
    const QRect area = screen() ? screen()->availableGeometry() : GetDesktopWorkArea();
    int top = below.y();
    if (top + grid_->height() > area.bottom() + 1) {
        top = mapToGlobal(QPoint(0, 0)).y() + 1 - grid_->height();
        if (top < area.top()) top = below.y();
    }
    int left = below.x();
    if (dropDownAlignment_ == taRightJustify) left = mapToGlobal(QPoint(this->width(), 0)).x() + 1 - grid_->width();
    grid_->move(left, top);
}

void TwwDBCustomLookupCombo::CloseUp(bool modified)
{
    if (closingUp_) return;
    const TFlagGuard closing(closingUp_);
    searchTimer_.stop();

    if (!IsDroppedDown()) {
        // Leaving a typed text: it must name a row, or the handler takes it.
        if (OnNotInList && Text() != savedText_ && !notInListPending_) {
            {
                const TFlagGuard byKey(keySearch_);
                lastSearched_.clear();
                PerformSearch();
            }
            if (!found_ && !Text().isEmpty()) {
                bool accept = true;
                FireNotInList(accept);
                if (!accept) RestoreSaved();
            }
        }
        savedText_ = Text();
        return;
    }

    bool wasFound = found_;
    grid_->hide();
    update();
    found_ = true;
    if (!modified) {
        RestoreSaved();
        link_.Reset();
        UpdateReadOnlyState();
        if (OnCloseUp) OnCloseUp(this, LookupTable(), DataSource() ? DataSource()->DataSet() : nullptr, false);
        return;
    }
    if (!wasFound && OnNotInList && !Text().isEmpty()) {
        bool accept = true;
        FireNotInList(accept);
        if (!accept) {
            RestoreSaved();
            UpdateReadOnlyState();
            return;
        }
        savedText_ = Text();
        // The handler may have added the row: it is taken when it is there now.
        const TFlagGuard byKey(keySearch_);
        lastSearched_.clear();
        PerformSearch();
        wasFound = found_;
    }

    TwwLookupBinding& binding = Binding();
    if (!binding.DisplayIsLookup()) {
        if (wasFound) binding.ReadCurrentRow();
    } else {
        binding.SetValue(0, Text());
        binding.SetDisplayValue(Text());
    }

    bool written = false;
    if (DataSource() && (link_.Editing() || DataSetLookupField())) {
        written = wasFound || binding.DisplayIsLookup() ? WriteValues() : false;
        if (written && style_ == csDropDownList && !binding.DisplayIsLookup()) SetText(binding.DisplayValue());
    } else if (!DataSource()) {
        written = wasFound;
        if (wasFound && !binding.DisplayIsLookup()) SetText(binding.DisplayValue());
    }
    // A list-style combo shows only what its list holds, bound or not: a text
    // that named no row gives way to the text and value it had before.
    if (!written && !wasFound && style_ == csDropDownList && !binding.DisplayIsLookup()) RestoreSaved();

    UpdateReadOnlyState();
    if (written) {
        savedText_ = Text();
        savedValue_ = binding.Value(0);
    }
    // The next key typed starts a new search.
    if (hasFocus() && Editable()) selectAll();
    SetModified(written);
    if (OnCloseUp) OnCloseUp(this, LookupTable(), DataSource() ? DataSource()->DataSet() : nullptr, written);
}

void TwwDBCustomLookupCombo::AcceptRow()
{
    found_ = true;
    if (DataSource() && !link_.Editing()) {
        if (!Modified() && !IsDroppedDown()) return;
        link_.Edit();
        if (!link_.Editing() && !DataSetLookupField()) return;
    }
    link_.Modified();
    const TFlagGuard setting(settingValue_);
    SetText(Binding().DisplayValue());
    if (Editable()) selectAll();
    setFocus();
    savedText_ = Text();
}

// ---- The data field.

void TwwDBCustomLookupCombo::DataChange()
{
    if (writingField_ || skipDataChange_) return;
    if (TField* field = link_.Field()) {
        // Looked up now, the value would not be found; the table's own change,
        // once it has followed, shows it.
        if (LookupTableBehindMaster()) return;
        const TwwDBLookupList::TRefreshScope refreshing(*grid_);
        grid_->BindLookupFields(false);
        if (DataSetLookupField())
            ShowLinkedValues();
        else
            ShowValue(field->AsString());
    } else if (DataSource() && !DataField().isEmpty()) {
        const TFlagGuard setting(settingValue_);
        SetText(QString());
        if (hasFocus()) selectAll();
    }
}

bool TwwDBCustomLookupCombo::LookupTableBehindMaster() const
{
    const auto* table = qobject_cast<const TwwTable*>(LookupTable());
    const TDataSet* dataSet = DataSource() ? DataSource()->DataSet() : nullptr;
    if (!table || !dataSet || table->MasterSource() != DataSource() || !table->Active() || table->IsEmpty() ||
        table->IndexFieldCount() == 0)
        return false;
    const TField* master = dataSet->FindField(SplitFieldNames(table->MasterFields()).value(0));
    return master && table->IndexFields(0)->AsString() != master->AsString();
}

void TwwDBCustomLookupCombo::ShowValue(const QString& value)
{
    const QString shown = Text();
    SetLookupValue(value);
    // Typing into a focused combo replaces what another record showed; the
    // same text (the record going into edit state under the user's key)
    // keeps the caret where the user put it.
    if (hasFocus() && Editable() && Text() != shown) selectAll();
    if (!Binding().Bound() || !LookupTable() || !LookupTable()->Active()) return;
    if (value.isEmpty()) {
        Binding().ClearValues();
        const TFlagGuard setting(settingValue_);
        SetText(QString());
    }
}

// A dataset lookup field shows the row its link fields name.
void TwwDBCustomLookupCombo::ShowLinkedValues()
{
    const TDataSet& dataSet = *DataSource()->DataSet();
    TwwLookupBinding& binding = Binding();
    for (int i = 0; i < binding.LookupFieldCount(); ++i) {
        const TField* link = dataSet.FindField(binding.LinkField(i));
        binding.SetValue(i, link ? link->AsString() : QString());
    }
    ShowValue(binding.Value(0));
}

void TwwDBCustomLookupCombo::EditingChange()
{
    UpdateReadOnlyState();
}

void TwwDBCustomLookupCombo::UpdateData()
{
    WriteValues();
}

void TwwDBCustomLookupCombo::ActiveChange()
{
    grid_->BindLookupFields(false);
    UpdateReadOnlyState();
}

// ---- Text, focus and mouse.

void TwwDBCustomLookupCombo::Change()
{
    if (!settingValue_ && link_.Editing()) link_.Modified();
    TCustomEdit::Change();
}

void TwwDBCustomLookupCombo::DoEnter()
{
    savedText_ = Text();
    savedValue_ = Binding().Value(0);
    if (Editable()) selectAll();
    TCustomEdit::DoEnter();
}

void TwwDBCustomLookupCombo::focusInEvent(QFocusEvent* event)
{
    if (regainingFocus_) {
        // Back from the drop-down's window: the edit goes on where it was.
        regainingFocus_ = false;
        QLineEdit::focusInEvent(event);
        return;
    }
    TCustomEdit::focusInEvent(event);
}

void TwwDBCustomLookupCombo::focusOutEvent(QFocusEvent* event)
{
    if (IsDroppedDown() && QApplication::activeWindow() == grid_) {
        // A window system that activates the drop-down when it shows: the
        // keys still belong to the combo.
        regainingFocus_ = true;
        window()->activateWindow();
        QLineEdit::focusOutEvent(event);
        return;
    }
    // A pop-up menu that comes and goes does not end the edit.
    if (event->reason() != Qt::PopupFocusReason) CloseUp(false);
    TCustomEdit::focusOutEvent(event);
}

void TwwDBCustomLookupCombo::DoExit()
{
    if (!notInListPending_) {
        try {
            link_.UpdateRecord();
        } catch (...) {
            // The field refused the value: show it again, as it still is.
            link_.Reset();
            TCustomEdit::DoExit();
            throw;
        }
        SetSelStart(0);
    }
    TCustomEdit::DoExit();
}

void TwwDBCustomLookupCombo::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ListOnly()) {
        setFocus(Qt::MouseFocusReason);
        if (IsDroppedDown())
            CloseUp(found_);
        else
            DropDown();
        event->accept();
        return;
    }
    TCustomEdit::mousePressEvent(event);
}

void TwwDBCustomLookupCombo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ListOnly()) {
        mousePressEvent(event);
        return;
    }
    TCustomEdit::mouseDoubleClickEvent(event);
}

void TwwDBCustomLookupCombo::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && ListOnly() && IsDroppedDown()) {
        DragIntoGrid(event->globalPosition().toPoint(), false);
        return;
    }
    TCustomEdit::mouseMoveEvent(event);
}

void TwwDBCustomLookupCombo::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ListOnly() && IsDroppedDown()) {
        DragIntoGrid(event->globalPosition().toPoint(), true);
        return;
    }
    TCustomEdit::mouseReleaseEvent(event);
}

void TwwDBCustomLookupCombo::DragIntoGrid(const QPoint& global, bool released)
{
    if (!IsDroppedDown()) return;
    const QPoint inGrid = grid_->viewport()->mapFromGlobal(global);
    if (!grid_->viewport()->rect().contains(inGrid)) return;
    if (released)
        grid_->PickAt(inGrid);
    else
        grid_->TrackMouse(inGrid);
}

void TwwDBCustomLookupCombo::hideEvent(QHideEvent* event)
{
    // A list left open over a window that went away.
    if (IsDroppedDown()) CloseUp(false);
    TCustomEdit::hideEvent(event);
}

void TwwDBCustomLookupCombo::resizeEvent(QResizeEvent* event)
{
    TCustomEdit::resizeEvent(event);
    LayoutButton();
}

void TwwDBCustomLookupCombo::moveEvent(QMoveEvent* event)
{
    TCustomEdit::moveEvent(event);
    if (IsDroppedDown()) PlaceGrid();
}

void TwwDBCustomLookupCombo::paintEvent(QPaintEvent* event)
{
    // The drop-down button, a child, paints in this same pass; asking it to
    // update from here would paint the combo again, and so on for ever.
    TCustomEdit::paintEvent(event);
    if (Editable() || !hasFocus()) return;
    // A closed list-style combo shows its focus as a highlighted text.
    QPainter painter(this);
    QRect text = contentsRect().adjusted(2, 2, -2, -2);
    if (showButton_) text.setRight(buttonPanel_->x() - 2);
    painter.fillRect(text, palette().highlight());
    painter.setPen(palette().highlightedText().color());
    painter.drawText(text.adjusted(1, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Text());
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = text;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
