#include "platform/rtl/presenter.h"
#include <exception>

namespace {

// Answers without a screen: OK when offered, else the first button offered.
class TSilentPresenter : public TPresenter {
public:
    int ShowMessage(const TMessageRequest& request) override { return DefaultAnswer(request.Buttons); }
    void ShowException(const Exception&) override {}
    void SetHourglass(bool) override {}
    void SetProgressMax(int) override {}
    void SetProgressPosition(int) override {}
};

TPresenter*& Installed()
{
    static TPresenter* presenter = nullptr;
    return presenter;
}

int hourglassDepth = 0;
int progressDepth = 0;

} // namespace

int DefaultAnswer(TMsgDlgButtons buttons)
{
    if (buttons & mbOK) return mrOk;
    static constexpr struct { TMsgDlgBtn button; TModalResult result; } order[] = {
        {mbYes, mrYes}, {mbNo, mrNo}, {mbCancel, mrCancel}, {mbAbort, mrAbort},
        {mbRetry, mrRetry}, {mbIgnore, mrIgnore}, {mbAll, mrAll}, {mbNoToAll, mrNoToAll},
        {mbYesToAll, mrYesToAll},
    };
    for (const auto& entry : order)
        if (buttons & entry.button) return entry.result;
    return mrOk;
}

TPresenter& Presenter()
{
    static TSilentPresenter silent;
    TPresenter* presenter = Installed();
    return presenter ? *presenter : silent;
}

void SetPresenter(TPresenter* presenter)
{
    Installed() = presenter;
}

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    TMessageRequest request;
    request.Text = text;
    request.Type = type;
    request.Buttons = buttons;
    request.HelpContext = helpContext;
    return Presenter().ShowMessage(request);
}

void ShowMessage(const QString& text)
{
    MessageDlg(text, TMsgDlgType::mtCustom, mbOK);
}

void ShowException(const Exception& error)
{
    if (dynamic_cast<const EAbort*>(&error)) return;
    Presenter().ShowException(error);
}

THourglass::THourglass()
{
    if (hourglassDepth++ == 0) Presenter().SetHourglass(true);
}

THourglass::~THourglass()
{
    if (--hourglassDepth == 0) Presenter().SetHourglass(false);
}

TProgress::TProgress(int max)
    : uncaught_(std::uncaught_exceptions())
{
    Presenter().SetProgressMax(max);
    if (progressDepth++ == 0) Presenter().SetProgressVisible(true);
}

TProgress::~TProgress()
{
    if (std::uncaught_exceptions() > uncaught_)
        Presenter().SetProgressPosition(0);
    if (--progressDepth == 0) Presenter().SetProgressVisible(false);
}

void TProgress::SetPosition(int position)
{
    Presenter().SetProgressPosition(position);
}

void TProgress::SetMax(int max)
{
    Presenter().SetProgressMax(max);
}
