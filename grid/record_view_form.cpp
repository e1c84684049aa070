// The record-view form: its panels and buttons, its keys, and what closing
// it does to the record.
#include "grid/record_view_form.h"
#include "dataset/intl.h"
#include "grid/dialog_buttons.h"
#include "grid/lookup_combo.h"
#include "grid/memo_dialog.h"
#include "grid/record_view_dialog.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/table.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/screen.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

namespace {

constexpr int NavigatorPanelHeight = 33;
constexpr int UserPanelHeight = 41;

bool WantsReturns(const QWidget* control)
{
    return control && control->property("WantReturns").toBool();
}

// Typing in the control that Escape would take back.
bool HoldsTyping(const QWidget* control)
{
    if (const auto* line = qobject_cast<const TCustomEdit*>(control)) return line->Modified();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) return memo->document()->isModified();
    return false;
}

// Escape belongs to the control first when it has something to undo: its
// typing, or a lookup list open over the form.
bool TakesEscape(const QWidget* control)
{
    if (const auto* combo = qobject_cast<const TwwDBCustomLookupCombo*>(control); combo && combo->IsDroppedDown())
        return true;
    return HoldsTyping(control);
}

} // namespace

// ---- TwwLabel

void TwwLabel::paintEvent(QPaintEvent* event)
{
    TLabel::paintEvent(event);
    const QWidget* control = FocusControl();
    if (!control || !control->hasFocus()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- TwwRecordViewForm

TwwRecordViewForm::TwwRecordViewForm(TwwRecordViewDialog& dialog)
    : dialog_(dialog),
      origin_(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow())
{
    setObjectName(QStringLiteral("wwRecordViewForm"));
    SetCaption(QStringLiteral("wwRecordViewForm"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetClientSize(454, 480);
    SetBorderStyle(dialog.BorderStyle);
    SetCaption(dialog.caption_);
    setFont(dialog.Font);
    SetKeyPreview(true);
    if (dialog.Options & rvoStayOnTopForm) SetFormStyle(TFormStyle::fsStayOnTop);
    CreatePanels();

    OnShow = [this](QObject*) {
        dialog_.DoInitDialog(*this);
        Screen->SetCursor(crDefault);
    };
    OnKeyDown = [this](QObject*, int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction& action) { FormClose(action); };
    OnResize = [this](QObject*) { FormResize(); };
    // The label of the focused control frames itself.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        for (TwwLabel* label : labels_) label->update();
    });
    DoCreate();
}

TwwRecordViewForm::~TwwRecordViewForm()
{
    // The labels go with the controls below; the focus moves as they go.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    GiveBackBorrowed();
}

void TwwRecordViewForm::CreatePanels()
{
    if (!(dialog_.Options & rvoHideNavigator)) {
        NavigatorPanel = new TPanel(this);
        NavigatorPanel->resize(NavigatorPanel->width(), NavigatorPanelHeight);
        SetAlign(NavigatorPanel, TAlign::alTop);
        Navigator = new TDBNavigator(NavigatorPanel);
        Navigator->setObjectName(QStringLiteral("Navigator"));
        Navigator->SetDataSource(dialog_.DataSource());
        Navigator->SetVisibleButtons(dialog_.NavigatorVisibleButtons);
        Navigator->SetShowHint(true);
        Navigator->SetFlat(dialog_.NavigatorFlat());
        int buttons = 0;
        for (int button = 0; button < NavigateButtonCount; ++button)
            if (dialog_.NavigatorVisibleButtons.Contains(static_cast<TNavigateBtn>(button))) ++buttons;
        Navigator->setGeometry(4, 4, buttons * 24, 25);
    }
    if (dialog_.OKCancelOptions & rvokShowOKCancel) {
        UserPanel = new TPanel(this);
        UserPanel->setObjectName(QStringLiteral("UserPanel"));
        UserPanel->resize(UserPanel->width(), UserPanelHeight);
        SetAlign(UserPanel, TAlign::alBottom);
        OKBtn = CreateDialogButton(this, TDialogButtonKind::OK);
        CancelBtn = CreateDialogButton(this, TDialogButtonKind::Cancel);
        // The dialog notes why the form closes before it does.
        for (QPushButton* button : {OKBtn, CancelBtn}) {
            disconnect(button, &QPushButton::clicked, this, nullptr);
            button->setParent(UserPanel);
            // A click leaves the focus where it is: the record is written
            // as the form closes, so a value the field refuses is told once,
            // not once as the edit is left and again as the form closes.
            button->setFocusPolicy(Qt::NoFocus);
            button->show();
        }
        // Escape is the form's: it asks before changes are dropped.
        for (QShortcut* shortcut : CancelBtn->findChildren<QShortcut*>()) shortcut->setEnabled(false);
        connect(OKBtn, &QPushButton::clicked, this, [this] { dialog_.OKBtnClick(); });
        connect(CancelBtn, &QPushButton::clicked, this, [this] { dialog_.CancelBtnClick(); });
    }
    RecordPanel = new TPanel(this);
    RecordPanel->setObjectName(QStringLiteral("RecordPanel"));
    RecordPanel->SetBevelInner(TPanelBevel::bvLowered);
    SetAlign(RecordPanel, TAlign::alClient);
    ScrollBox = new QScrollArea(RecordPanel);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->verticalScrollBar()->setSingleStep(6);
    SetAlign(ScrollBox, TAlign::alClient);
    canvas_ = new QWidget;
    ScrollBox->setWidget(canvas_);   // the scroll box owns it
}

QWidget* TwwRecordViewForm::EditOf(const TField& field) const
{
    for (std::size_t i = 0; i < edits_.size(); ++i)
        if (editFields_[i] == &field) return edits_[i];
    return nullptr;
}

bool TwwRecordViewForm::AnyEditModified() const
{
    return std::any_of(edits_.begin(), edits_.end(), HoldsTyping);
}

void TwwRecordViewForm::ClearModified()
{
    for (QWidget* edit : edits_) {
        if (auto* line = qobject_cast<TCustomEdit*>(edit)) {
            line->SetModified(false);
            line->setModified(false);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(edit)) {
            memo->document()->setModified(false);
        }
    }
}

void TwwRecordViewForm::OpenMemoDialog(TDBMemo& memo)
{
    TField* field = editFields_[std::find(edits_.begin(), edits_.end(), &memo) - edits_.begin()];
    // The dialog shows the field: what was typed here goes into it first.
    memo.DataLink().UpdateRecord();
    TwwMemoDialog dialog;
    dialog.SetDataSource(dialog_.DataSource());
    dialog.SetDataField(field->FieldName());
    const auto* table = qobject_cast<const TTable*>(field->DataSet());
    if (field->ReadOnly() || (table && table->ReadOnly()))
        dialog.SetMemoAttributes(dialog.MemoAttributes() | mViewOnly);
    dialog.Execute();
    // The field shown again through the memo's link, which then holds nothing
    // to write: a look that changed nothing leaves a browsing record with
    // nothing to post as the memo is left.
    memo.DataLink().Reset();
}

// ---- Keys

void TwwRecordViewForm::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (shift & Qt::AltModifier) return;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool enterToTab = dialog_.Options & rvoEnterToTab;
    QWidget* focused = focusWidget();
    if (enter && (shift & Qt::ControlModifier)) {
        if (Modal() && !enterToTab) {
            SetModalResult(mrOk);
            key = 0;
        }
        return;
    }
    if (key == Qt::Key_Escape) {
        // An edit that takes back its typing has used the key up: the form
        // cancels (and asks about the changes) only at the next Escape.
        if (TakesEscape(focused)) return;
        key = 0;
        SetModalResult(mrCancel);
        return;
    }
    if (auto* memo = qobject_cast<TDBMemo*>(focused);
        key == Qt::Key_F2 && memo && std::find(edits_.begin(), edits_.end(), focused) != edits_.end()) {
        key = 0;
        OpenMemoDialog(*memo);
        return;
    }
    if (enter && enterToTab && !WantsReturns(focused)) {
        key = 0;
        focusNextPrevChild(!(shift & Qt::ShiftModifier));
    }
}

void TwwRecordViewForm::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control left to the form.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_Escape) return;   // decided when the form saw it first
    if (enter && event->modifiers() == Qt::NoModifier && OKBtn && !(dialog_.Options & rvoEnterToTab)) {
        OKBtn->click();
        return;
    }
    TForm::keyPressEvent(event);
}

// ---- Closing

void TwwRecordViewForm::FormCloseQuery(bool& canClose)
{
    canClose = true;
    const TwwRecordViewCloseReason reason = dialog_.closeReason_;
    if (reason == TwwRecordViewCloseReason::Other && !(dialog_.Options & rvoCloseIsCancel)) {
        SetModalResult(mrOk);
        return;
    }
    if (reason == TwwRecordViewCloseReason::OKButton) {
        SetModalResult(mrOk);
        return;
    }
    if (ModalResult() == mrOk) return;
    const TDataSet* dataSet = dialog_.link_.DataSet();
    const bool browsing = !(dialog_.OKCancelOptions & rvokAutoCancelRec) || !dataSet
                          || dataSet->State() == dsBrowse || dataSet->State() == dsInactive;
    if ((!AnyEditModified() && browsing) || !(dialog_.Options & rvoConfirmCancel)) {
        SetModalResult(mrCancel);
        return;
    }
    if (dialog_.OnCancelWarning) {
        dialog_.DoCancelWarning(*this, canClose);
        return;
    }
    switch (MessageDlg(GlobalIntl().UserMessages.RecordViewExitWarning, TMsgDlgType::mtConfirmation, mbYesNoCancel)) {
    case mrYes: SetModalResult(mrOk); break;
    case mrNo: SetModalResult(mrCancel); break;
    default: canClose = false; break;
    }
}

void TwwRecordViewForm::FormClose(TCloseAction& action)
{
    dialog_.DoCloseDialog(*this);
    TDataSet* dataSet = dialog_.link_.DataSet();
    const bool editing = dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
    try {
        if (editing && (dialog_.OKCancelOptions & rvokAutoCancelRec) && ModalResult() == mrCancel)
            dataSet->Cancel();
        else if (editing && (dialog_.OKCancelOptions & rvokAutoPostRec) && ModalResult() == mrOk)
            dataSet->CheckBrowseMode();
    } catch (const Exception& error) {
        // A refused post (a required field, a duplicate) keeps the form up,
        // the record as the user left it, after the table's own message.
        ShowException(error);
        // A rule that dropped the row left nothing to save.
        if (dataSet->State() == dsBrowse) ClearModified();
        dialog_.closeReason_ = TwwRecordViewCloseReason::Other;
        action = TCloseAction::caNone;
        return;
    }
    GiveBackBorrowed();
    if (!Modal()) action = TCloseAction::caFree;
}

void TwwRecordViewForm::GiveBackBorrowed()
{
    // The last borrowed goes back first, so that each finds its place as it was.
    while (!borrowed_.empty()) borrowed_.pop_back();
}

// ---- Resizing

void TwwRecordViewForm::FormResize()
{
    const TwwRecordViewOptions options = dialog_.Options;
    if ((options & rvoConsistentEditWidth) && dialog_.Style == TwwRecordViewStyle::rvsVertical) {
        int room = width() - editLeft_ - 20 - dialog_.Margin.RightOffset;
        if (height() < computedHeight_) room -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (QWidget* edit : edits_) edit->resize(std::max(room, 20), edit->height());
    }
    if (OKBtn && CancelBtn) {
        const int okWidth = OKBtn->width();
        const int top = (UserPanel->height() - OKBtn->height()) / 2;
        if (okWidth + CancelBtn->width() + 31 > width() - 10) {
            OKBtn->move(5, top);
            CancelBtn->move(okWidth + 18, top);
        } else {
            OKBtn->move(width() - 10 - 2 * (okWidth + 13), top);
            CancelBtn->move(width() - 10 - (okWidth + 13), top);
        }
    }
}
