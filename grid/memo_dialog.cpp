#include "grid/memo_dialog.h"
#include "dataset/intl.h"
#include "grid/dialog_buttons.h"
#include "grid/scoped_assign.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/standard_controls.h"
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

bool IsTextBlob(const TField& field)
{
    return field.DataType() == TFieldType::ftMemo || field.DataType() == TFieldType::ftBlob;
}

} // namespace

// ---- TwwMemoDlg

TwwMemoDlg::TwwMemoDlg(TwwMemoDialog& dialog) : dialog_(dialog)
{
    Memo = new QPlainTextEdit(this);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setTabChangesFocus(false);
    Memo->installEventFilter(this);
    UserButtonPanel = new TPanel(this);
    UserButtonPanel->SetBevelOuter(TPanelBevel::bvNone);
    UserButtonPanel->hide();
    UserButton1 = new QPushButton(UserButtonPanel);
    UserButton2 = new QPushButton(UserButtonPanel);
    UserButton1->hide();
    UserButton2->hide();
    connect(UserButton1, &QPushButton::clicked, this, [this] {
        if (dialog_.OnUserButton1Click) dialog_.OnUserButton1Click(*this, *Memo);
    });
    connect(UserButton2, &QPushButton::clicked, this, [this] {
        if (dialog_.OnUserButton2Click) dialog_.OnUserButton2Click(*this, *Memo);
    });
    OKBtn = CreateDialogButton(this, TDialogButtonKind::OK);
    CancelBtn = CreateDialogButton(this, TDialogButtonKind::Cancel);
    // The memo takes Escape itself (also when Cancel is hidden).
    for (QShortcut* shortcut : CancelBtn->findChildren<QShortcut*>()) shortcut->setEnabled(false);
    setTabOrder(Memo, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    OnShow = [this](QObject*) { FormShow(); };
    OnResize = [this](QObject*) { ResizeControls(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    DoCreate();
}

bool TwwMemoDlg::MemoModified() const
{
    return Memo->document()->isModified();
}

void TwwMemoDlg::FormShow()
{
    if (shown_) return;
    shown_ = true;
    QFont font = dialog_.font_;
    const unsigned style = GlobalIntl().DialogFontStyle();
    font.setBold(style & TwwIntl::dfsBold);
    font.setItalic(style & TwwIntl::dfsItalic);
    font.setUnderline(style & TwwIntl::dfsUnderline);
    font.setStrikeOut(style & TwwIntl::dfsStrikeOut);
    setFont(font);
    SetCaption(dialog_.caption_);
    PlaceUserButtons();
    ResizeControls();
    dialog_.DoInitDialog();
    QTextCursor start = Memo->textCursor();
    start.movePosition(QTextCursor::Start);
    Memo->setTextCursor(start);
    Memo->setFocus();
}

void TwwMemoDlg::PlaceUserButtons()
{
    const QString captions[2] = {dialog_.UserButton1Caption, dialog_.UserButton2Caption};
    QPushButton* buttons[2] = {UserButton1, UserButton2};
    int right = 0;
    int left = 10;
    for (int i = 0; i < 2; ++i) {
        if (captions[i].isEmpty()) continue;
        buttons[i]->setText(captions[i]);
        buttons[i]->adjustSize();
        buttons[i]->move(left, 0);
        buttons[i]->show();
        right = left + buttons[i]->width();
        left = right + 15;
    }
    UserButtonPanel->setVisible(right > 0);
    if (right > 0) UserButtonPanel->resize(right + 10, UserButton1->height());
}

void TwwMemoDlg::ResizeControls()
{
    // The memo fills the window above one row of buttons.
    Memo->setGeometry(6, 6, std::max(width() - 14, 20), std::max(height() - 53, 20));
    const int memoBottom = Memo->geometry().bottom() + 1;
    const int buttonTop = memoBottom + 17;
    if (UserButtonPanel->isVisible()) UserButtonPanel->move(Memo->x() - 1, memoBottom + 2);
    const int okWidth = OKBtn->width();
    if (Memo->isReadOnly()) {
        const int left = UserButtonPanel->isVisible() ? Memo->x() + Memo->width() - okWidth - 25
                                                      : Memo->x() + Memo->width() / 2 - okWidth / 2;
        OKBtn->move(left, buttonTop);
    } else {
        OKBtn->move(Memo->width() - (okWidth + 20) * 2, buttonTop);
        CancelBtn->move(Memo->width() - (okWidth + 20), buttonTop);
        CancelBtn->show();
    }
    OKBtn->show();
}

void TwwMemoDlg::FormCloseQuery(bool& canClose)
{
    canClose = true;
    if (!MemoModified() || ModalResult() == mrOk) return;
    canClose = MessageDlg(GlobalIntl().UserMessages.MemoChangesWarning, TMsgDlgType::mtConfirmation, mbYesNo) == mrYes;
}

bool TwwMemoDlg::MemoKeyDown(const QKeyEvent& key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if ((enter && (key.modifiers() & Qt::ControlModifier)) || key.key() == Qt::Key_F2) {
        SetModalResult(mrOk);
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        SetModalResult(mrCancel);
        return true;
    }
    return false;
}

bool TwwMemoDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Memo && event->type() == QEvent::KeyPress && MemoKeyDown(*static_cast<QKeyEvent*>(event)))
        return true;
    return TForm::eventFilter(watched, event);
}

// ---- TwwMemoDialog

TwwMemoDialog::TwwMemoDialog(TComponent* owner) : TComponent(owner) {}

TwwMemoDialog::~TwwMemoDialog() = default;

TField* TwwMemoDialog::EditedField() const
{
    const TDataSet* dataSet = link_.DataSet();
    if (!dataSet || !dataSet->Active() || DataField().isEmpty()) return nullptr;
    return dataSet->FieldByName(DataField());
}

void TwwMemoDialog::DoInitDialog()
{
    if (OnInitDialog && form_) OnInitDialog(*form_);
}

void TwwMemoDialog::DoCloseDialog()
{
    if (OnCloseDialog && form_) OnCloseDialog(*form_);
}

bool TwwMemoDialog::Execute()
{
    TwwMemoDlg form(*this);
    const TScopedAssign<TwwMemoDlg*> showing(form_, &form);
    if (const auto* active = qobject_cast<const TForm*>(QApplication::activeWindow());
        active && active->FormStyle() == TFormStyle::fsStayOnTop)
        form.SetFormStyle(TFormStyle::fsStayOnTop);

    TField* field = EditedField();
    if (field) {
        form.Memo->setPlainText(IsTextBlob(*field) ? field->AsString() : field->Text());
        form.Memo->document()->setModified(false);
    }
    form.Memo->setLineWrapMode((attributes_ & mWordWrap) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // The size first: a dialog border keeps the size the form has.
    form.resize(DlgWidth, DlgHeight);
    form.SetBorderStyle((attributes_ & mSizeable) ? TFormBorderStyle::bsSizeable : TFormBorderStyle::bsDialog);
    if (DlgLeft >= 1 || DlgTop >= 1) {
        form.move(DlgLeft, DlgTop);
        form.SetPosition(TPosition::poDesigned);
    } else {
        form.SetPosition(TPosition::poScreenCenter);
    }
    const bool viewOnly = attributes_ & mViewOnly;
    if (viewOnly) {
        form.CancelBtn->hide();
        form.Memo->setReadOnly(true);
    }

    const bool ok = form.ShowModal() == mrOk;
    DoCloseDialog();
    // Only a changed memo is written: a look at a posted record leaves it posted.
    field = EditedField();
    if (ok && !viewOnly && field && form.MemoModified()) {
        TDataSet* dataSet = field->DataSet();
        if (!IsEditState(dataSet->State())) dataSet->Edit();
        if (IsTextBlob(*field)) field->SetAsString(form.Memo->toPlainText());
        else field->SetText(form.Memo->toPlainText());
    }
    return ok;
}
