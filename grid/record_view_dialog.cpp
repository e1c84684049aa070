#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "platform/db/dataset.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/control_services.h"
#include <QApplication>
#include <memory>

TwwRecordViewDialog::TwwRecordViewDialog(TComponent* owner) : TComponent(owner) {}

TwwRecordViewDialog::~TwwRecordViewDialog()
{
    // A modeless form still up goes with its dialog.
    delete form_.data();
}

TwwRecordViewForm* TwwRecordViewDialog::Form() const
{
    return form_.data();
}

void TwwRecordViewDialog::DoBeforeCreateControl(TwwRecordViewForm& form, TField& field, bool& accept)
{
    if (OnBeforeCreateControl) OnBeforeCreateControl(form, field, accept);
}

void TwwRecordViewDialog::DoAfterCreateControl(TwwRecordViewForm& form, TField* field, QWidget& control)
{
    if (OnAfterCreateControl) OnAfterCreateControl(form, field, control);
}

void TwwRecordViewDialog::DoInitDialog(TwwRecordViewForm& form)
{
    if (OnInitDialog) OnInitDialog(form);
}

void TwwRecordViewDialog::DoCloseDialog(TwwRecordViewForm& form)
{
    if (OnCloseDialog) OnCloseDialog(form);
}

void TwwRecordViewDialog::DoCancelWarning(TForm& form, bool& canClose)
{
    if (OnCancelWarning) OnCancelWarning(form, canClose);
}

void TwwRecordViewDialog::OKBtnClick()
{
    closeReason_ = TwwRecordViewCloseReason::OKButton;
    if (!form_) return;
    form_->SetModalResult(mrOk);
    if (form_ && !form_->Modal()) form_->Close();
}

void TwwRecordViewDialog::CancelBtnClick()
{
    closeReason_ = TwwRecordViewCloseReason::CancelButton;
    if (!form_) return;
    form_->SetModalResult(mrCancel);
    if (form_ && !form_->Modal()) form_->Close();
}

bool TwwRecordViewDialog::Execute()
{
    const TDataSet* dataSet = link_.DataSet();
    if (!dataSet) {
        MessageDlg(QStringLiteral("DataSource or DataSource.DataSet not defined."), TMsgDlgType::mtWarning, mbOK);
        return false;
    }
    if (!dataSet->Active()) {
        MessageDlg(QStringLiteral("DataSet must be active."), TMsgDlgType::mtWarning, mbOK);
        return false;
    }
    closeReason_ = TwwRecordViewCloseReason::Other;
    if (form_) {
        // The modeless form is up already: it comes to the front.
        form_->raise();
        form_->activateWindow();
        return true;
    }

    // Owned here until shown: a failure while it is laid out frees it and
    // gives back whatever it borrowed.
    auto form = std::make_unique<TwwRecordViewForm>(*this);
    form_ = form.get();
    form->LayOut();
    const QRect work = GetDesktopWorkArea();
    const int left = FormPosition.Left > 0 ? FormPosition.Left : work.left() + (work.width() - form->width()) / 2;
    const int top = FormPosition.Top > 0 ? FormPosition.Top : work.top() + (work.height() - form->height()) / 2;
    form->move(left, top);

    if (Options & rvoModalForm) return form->ShowModal() == mrOk;
    // A modeless form frees itself when it closes.
    form.release()->Show();
    return true;
}
