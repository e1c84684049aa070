#include "widgets/date_edit.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "widgets/date_glyphs.h"
#include "widgets/month_calendar_form.h"
#include "widgets/year_calendar_form.h"
#include <QPainter>

namespace {

constexpr int ButtonWidth = 20;

// The focus goes on from the date edit to the next control of its window in
// tab order, as after any finished entry.
void FocusNextControl(TVrDateEdit& dateEdit)
{
    QWidget* const start = dateEdit.Edit();
    for (QWidget* next = start->nextInFocusChain(); next && next != start; next = next->nextInFocusChain()) {
        const bool inside = next == &dateEdit || dateEdit.isAncestorOf(next);
        if (!inside && next->window() == dateEdit.window() && (next->focusPolicy() & Qt::TabFocus)
            && next->isEnabled() && next->isVisibleTo(next->window())) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// Opens a pop-up of type TPopUp under the date edit that is the button's
// parent and lets the user pick in it. The record goes into edit mode first,
// whatever the user then chooses; the pop-up writes the field itself.
template <class TPopUp> void OpenPopUp(QWidget* button, TPopUp*& global)
{
    auto* const dateEdit = static_cast<TVrDateEdit*>(button->parentWidget());
    if (!dateEdit->Field())
        return;
    dateEdit->DataSource()->Edit();
    const QPoint below = dateEdit->mapToGlobal(QPoint(0, dateEdit->height()));
    const std::unique_ptr<TPopUp> popUp = std::make_unique<TPopUp>(dateEdit);
    global = popUp.get();
    popUp->move(below);
    popUp->ShowModal();
    global = nullptr;
    FocusNextControl(*dateEdit);
}

} // namespace

TMonthDateButton::TMonthDateButton(QWidget* parent) : TBitBtn(parent)
{
    SetGlyph(MonthButtonGlyph());
    setFocusPolicy(Qt::NoFocus);
}

void TMonthDateButton::Click()
{
    OpenPopUp(this, CalMonthform);
    TBitBtn::Click();
}

TYearDateButton::TYearDateButton(QWidget* parent) : TBitBtn(parent)
{
    SetGlyph(YearButtonGlyph());
    setFocusPolicy(Qt::NoFocus);
}

void TYearDateButton::Click()
{
    OpenPopUp(this, CalYearForm);
    TBitBtn::Click();
}

TVrDateEdit::TVrDateEdit(QWidget* parent) : QWidget(parent)
{
    resize(123, 24);
    setFocusPolicy(Qt::NoFocus);
    monthButton_ = new TMonthDateButton(this);
    yearButton_ = new TYearDateButton(this);
    edit_ = new TDBEdit(this);
    edit_->OnKeyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        EditKeyDown(sender, key, shift);
    };
    setFocusProxy(edit_);
    SetColor(clWhite);
}

void TVrDateEdit::SetDataSource(TDataSource* source)
{
    edit_->SetDataSource(source);
    dataSource_ = source;
}

void TVrDateEdit::SetDataField(const QString& name)
{
    edit_->SetDataField(name);
    dataField_ = name;
}

void TVrDateEdit::SetColor(TColor color)
{
    color_ = color;
    // The edit takes its parent's colour.
    QPalette colours = edit_->palette();
    colours.setColor(QPalette::Base, ToQColor(color));
    edit_->setPalette(colours);
    update();
}

TField* TVrDateEdit::Field() const
{
    if (!dataSource_ || dataField_.isEmpty())
        return nullptr;
    const TDataSet* const dataSet = dataSource_->DataSet();
    return dataSet && dataSet->Active() ? dataSet->FindField(dataField_) : nullptr;
}

void TVrDateEdit::SetFocus()
{
    edit_->setFocus();
}

void TVrDateEdit::EditKeyDown(QObject*, int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        monthButton_->Click();
        key = 0;
    }
}

void TVrDateEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    monthButton_->setGeometry(w - 2 * ButtonWidth, 1, ButtonWidth, h - 2);
    yearButton_->setGeometry(w - ButtonWidth - 1, 1, ButtonWidth, h - 2);
    edit_->setGeometry(1, 1, w - 2 * ButtonWidth, h - 2);
}

void TVrDateEdit::paintEvent(QPaintEvent*)
{
    // A sunken edge on the top, a light one on the right and bottom; the
    // children cover the rest of the face.
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setPen(ToQColor(clGray));
    painter.drawLine(0, 0, w - 1, 0);
    painter.setPen(ToQColor(clWhite));
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(w - 1, h - 1, 0, h - 1);
}
