#pragma once
// How the layers below the windows reach the screen: message boxes, the
// hourglass cursor and the progress bar. The application installs a presenter
// that shows them; tests install one that scripts the answers.
#include "platform/rtl/exceptions.h"
#include <QString>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3, mbAbort = 1u << 4,
    mbRetry = 1u << 5, mbIgnore = 1u << 6, mbAll = 1u << 7, mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9, mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// Modal results (the same numbers as the platform's dialog results).
enum TModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
    mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10,
};

struct TMessageRequest {
    QString Text;
    QString Caption;           // empty: the application's title
    TMsgDlgType Type = TMsgDlgType::mtInformation;
    TMsgDlgButtons Buttons = mbOK;
    int HelpContext = 0;
};

class TPresenter {
public:
    virtual ~TPresenter() = default;
    virtual int ShowMessage(const TMessageRequest& request) = 0;   // a TModalResult
    virtual void ShowException(const Exception& error) = 0;        // the default error box
    virtual void SetHourglass(bool on) = 0;
    virtual void SetProgressMax(int max) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetProgressVisible(bool) {}
    virtual void ProcessMessages() {}
};

// The presenter in force. Until one is installed a silent one answers mrOk /
// the first button offered, so that code without a screen never blocks.
TPresenter& Presenter();
void SetPresenter(TPresenter* presenter);   // nullptr restores the silent one

// The answer of a box nobody sees: mrOk when OK is offered, else the first
// button offered in the order Yes, No, Cancel, Abort, Retry, Ignore, All,
// NoToAll, YesToAll.
int DefaultAnswer(TMsgDlgButtons buttons);

int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
void ShowMessage(const QString& text);
void ShowException(const Exception& error);   // EAbort is shown nowhere

// Shows the hourglass for its lifetime; nests, and always restores on unwind.
class THourglass {
public:
    THourglass();
    ~THourglass();
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
};

// Drives the progress bar: shows it while the outermost TProgress lives (an
// inner one, a step of a larger task, leaves it shown). Finished work leaves
// the position where the work last set it (its end, as a rule); work that
// ends in an exception puts it back to 0.
class TProgress {
public:
    explicit TProgress(int max);
    ~TProgress();
    void SetPosition(int position);
    void SetMax(int max);
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

private:
    const int uncaught_;
};
