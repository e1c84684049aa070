#include "dataset/intl.h"

TwwIntl::TwwIntl(TComponent* owner) : TComponent(owner) {}

void TwwIntl::SetConnected(bool value)
{
    connected_ = value;
    if (value) CopyToGlobal();
}

void TwwIntl::SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle value)
{
    checkBoxInGridStyle_ = value;
    TwwIntl& global = GlobalIntl();
    if (connected_ && &global != this) global.checkBoxInGridStyle_ = value;
}

// Connected itself stays with this component: the global object is the target, never a source.
void TwwIntl::CopyToGlobal() const
{
    TwwIntl& global = GlobalIntl();
    if (&global == this) return;
    global.SearchDialog = SearchDialog;
    global.LocateDialog = LocateDialog;
    global.FilterDialog = FilterDialog;
    global.RichEdit = RichEdit;
    global.UserMessages = UserMessages;
    global.okCancelBitmapped_ = okCancelBitmapped_;
    global.btnOKCaption_ = btnOKCaption_;
    global.btnCancelCaption_ = btnCancelCaption_;
    global.checkBoxInGridStyle_ = checkBoxInGridStyle_;
    global.useLocateMethodForSearch_ = useLocateMethodForSearch_;
    global.dialogFontStyle_ = dialogFontStyle_;
}

TwwIntl& GlobalIntl()
{
    static TwwIntl global;
    return global;
}
