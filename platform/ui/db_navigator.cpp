#include "platform/ui/db_navigator.h"
#include "platform/db/data_source.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/custom_grid.h"
#include "platform/ui/db_controls.h"
#include <QEvent>
#include <QPainter>
#include <QToolButton>

namespace {

const char* const Hints[NavigateButtonCount] = {
    "First record", "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data",
};

// The button's picture, drawn small in the button text colour: arrows with or
// without a bar, plus, minus, an up-pointing edit mark, a tick, a cross, a round arrow.
QPixmap NavigatorGlyph(TNavigateBtn button, const QColor& ink)
{
    constexpr int size = 12;
    QPixmap glyph(size, size);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(ink);
    const auto triangle = [&](qreal tipX, qreal baseX) {
        painter.drawPolygon(QPolygonF{QPointF(tipX, 6), QPointF(baseX, 2), QPointF(baseX, 10)});
    };
    switch (button) {
    case nbFirst: painter.drawLine(QPointF(2.5, 2), QPointF(2.5, 10)); triangle(4, 9); break;
    case nbPrior: triangle(3, 8); break;
    case nbNext: triangle(9, 4); break;
    case nbLast: triangle(8, 3); painter.drawLine(QPointF(9.5, 2), QPointF(9.5, 10)); break;
    case nbInsert: painter.drawLine(QPointF(6, 1.5), QPointF(6, 10.5)); painter.drawLine(QPointF(1.5, 6), QPointF(10.5, 6)); break;
    case nbDelete: painter.drawLine(QPointF(1.5, 6), QPointF(10.5, 6)); break;
    case nbEdit: painter.drawPolygon(QPolygonF{QPointF(6, 3), QPointF(2, 9), QPointF(10, 9)}); break;
    case nbPost:
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF{QPointF(1.5, 6.5), QPointF(4.5, 9.5), QPointF(10.5, 2.5)});
        break;
    case nbCancel: painter.drawLine(QPointF(2, 2), QPointF(10, 10)); painter.drawLine(QPointF(10, 2), QPointF(2, 10)); break;
    case nbRefresh: {
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(2, 2, 8, 8), 90 * 16, 270 * 16);
        painter.setBrush(ink);
        painter.drawPolygon(QPolygonF{QPointF(6, 0.5), QPointF(9, 2), QPointF(6, 3.5)});
        break;
    }
    }
    return glyph;
}

// The data source a control shows: the field controls of this library say
// so themselves, the grids and controls built on it publish it as their
// DataSource property.
TDataSource* SourceShownBy(QWidget* control)
{
    if (auto* fieldControl = dynamic_cast<TDBFieldControl*>(control))
        return fieldControl->DataSource();
    return control->property("DataSource").value<TDataSource*>();
}

bool ShowsSource(QWidget* control, TDataSource* source)
{
    return control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus &&
           SourceShownBy(control) == source;
}

} // namespace

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent)
{
    for (int i = 0; i < NavigateButtonCount; ++i) {
        const auto kind = static_cast<TNavigateBtn>(i);
        auto* button = new QToolButton(this);
        button->setIcon(QIcon(NavigatorGlyph(kind, palette().color(QPalette::ButtonText))));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(kind == nbPrior || kind == nbNext);
        connect(button, &QToolButton::clicked, this, [this, kind] { BtnClick(kind); });
        buttons_[i] = button;
    }
    resize(240, 25);
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::SetDataSource(TDataSource* source)
{
    dataLink_.SetDataSource(source);
    UpdateButtons();
}

void TDBNavigator::SetVisibleButtons(TButtonSet buttons)
{
    visibleButtons_ = buttons;
    ArrangeButtons();
}

void TDBNavigator::SetFlat(bool flat)
{
    flat_ = flat;
    for (QToolButton* button : buttons_)
        button->setAutoRaise(flat);
}

void TDBNavigator::SetShowHint(bool show)
{
    for (int i = 0; i < NavigateButtonCount; ++i)
        buttons_[i]->setToolTip(show ? QString::fromLatin1(Hints[i]) : QString());
}

void TDBNavigator::resizeEvent(QResizeEvent*)
{
    ArrangeButtons();
}

void TDBNavigator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtons();
}

void TDBNavigator::ArrangeButtons()
{
    // The visible buttons share the width; the remainder goes to the first ones.
    int shown = 0;
    for (int i = 0; i < NavigateButtonCount; ++i)
        shown += visibleButtons_.Contains(static_cast<TNavigateBtn>(i)) ? 1 : 0;
    if (shown == 0) {
        for (QToolButton* button : buttons_)
            button->hide();
        return;
    }
    const int each = width() / shown;
    int extra = width() % shown;
    int x = 0;
    for (int i = 0; i < NavigateButtonCount; ++i) {
        QToolButton* button = buttons_[i];
        if (!visibleButtons_.Contains(static_cast<TNavigateBtn>(i))) {
            button->hide();
            continue;
        }
        const int w = each + (extra-- > 0 ? 1 : 0);
        button->setGeometry(x, 0, w, height());
        button->show();
        x += w;
    }
}

void TDBNavigator::UpdateButtons()
{
    // As the class library's navigator: moving follows the ends of the
    // dataset, changing needs a dataset that can be modified, and Post and
    // Cancel need one in edit or insert mode.
    const bool active = isEnabled() && dataLink_.Active();
    TDataSet* dataSet = active ? dataLink_.DataSet() : nullptr;
    const bool up = dataSet && !dataSet->Bof();
    const bool down = dataSet && !dataSet->Eof();
    const bool canModify = dataSet && dataSet->CanModify();
    const bool editing = canModify && dataLink_.Editing();
    const bool enabled[NavigateButtonCount] = {
        up, up, down, down,
        canModify,
        canModify && !(dataSet->Bof() && dataSet->Eof()),
        canModify && !editing,
        editing, editing,
        canModify,
    };
    for (int i = 0; i < NavigateButtonCount; ++i)
        buttons_[i]->setEnabled(enabled[i]);
}

void TDBNavigator::BtnClick(TNavigateBtn button)
{
    TDataSet* dataSet = dataLink_.Active() ? dataLink_.DataSet() : nullptr;
    if (!dataSet)
        return;
    if (BeforeAction)
        BeforeAction(this, button);
    switch (button) {
    case nbFirst: dataSet->First(); break;
    case nbPrior: dataSet->Prior(); break;
    case nbNext: dataSet->Next(); break;
    case nbLast: dataSet->Last(); break;
    case nbInsert: dataSet->Insert(); FocusDataControl(); break;
    case nbEdit: dataSet->Edit(); FocusDataControl(); break;
    case nbPost: dataSet->Post(); break;
    case nbCancel: dataSet->Cancel(); break;
    case nbRefresh: dataSet->Refresh(); break;
    case nbDelete:
        if (!confirmDelete_
            || MessageDlg(QStringLiteral("Delete record?"), TMsgDlgType::mtConfirmation, mbYesNo) == mrYes)
            dataSet->Delete();
        break;
    }
    if (OnClick)
        OnClick(this, button);
}

void TDBNavigator::FocusDataControl()
{
    // Already in a control of this data (a cell's editor counts as its grid): it stays there.
    QWidget* top = window();
    for (QWidget* control = top->focusWidget(); control && control != top; control = control->parentWidget())
        if (ShowsSource(control, DataSource()))
            return;
    QWidget* first = nullptr;
    for (QWidget* control = top->nextInFocusChain(); control != top; control = control->nextInFocusChain()) {
        if (control->window() != top || !ShowsSource(control, DataSource()))
            continue;
        if (qobject_cast<TCustomGrid*>(control)) {
            first = control;
            break;
        }
        if (!first)
            first = control;
    }
    if (first)
        first->setFocus(Qt::OtherFocusReason);
}
