#include "platform/ui/qt_presenter.h"
#include "platform/ui/application.h"
#include "platform/ui/modal_stacking.h"
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// The buttons a box can offer, in the order the caller's set names them.
// Help is not offered: the program ships no help file to open.
struct ButtonKind {
    TMsgDlgBtn Button;
    QMessageBox::StandardButton Standard;
    TModalResult Result;
};
constexpr ButtonKind ButtonKinds[] = {
    {mbYes, QMessageBox::Yes, mrYes},          {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},             {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::NoButton, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll}, {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
};

QString Caption(const QString& requested)
{
    if (!requested.isEmpty())
        return requested;
    return Application ? Application->Title() : QCoreApplication::applicationName();
}

TMsgDlgBtn DefaultButton(TMsgDlgButtons buttons)
{
    if (buttons & mbOK) return mbOK;
    if (buttons & mbYes) return mbYes;
    return mbRetry;
}

TMsgDlgBtn EscapeButton(TMsgDlgButtons buttons)
{
    if (buttons & mbCancel) return mbCancel;
    if (buttons & mbNo) return mbNo;
    return mbOK;
}

// Runs box modally above every window of the program, with the keyboard in it.
void Exec(QMessageBox& box)
{
    // Setting the modality gives the box its dialog flags anew: it comes first.
    box.setWindowModality(Qt::ApplicationModal);
    const TModalStacking stacking(box, box.parentWidget());
    box.show();
    box.activateWindow();
    box.exec();
}

} // namespace

void WriteErrorLine(const QString& text)
{
    // One line, so that a script reading standard error gets one message per error.
    const QString line = Caption({}) + QStringLiteral(": ") + text.simplified() + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

TQtPresenter::~TQtPresenter()
{
    SetHourglass(false);
}

QMessageBox::Icon MessageIcon(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// A box is shown over the active window. A box that follows another at once
// comes before the window manager has made that window active again: it is
// shown over the window the box before it was, so that it stands over that
// window and that window gets the keyboard back when it has gone.
QWidget* TQtPresenter::BoxOwner()
{
    if (QWidget* active = QApplication::activeWindow())
        lastBoxOwner_ = active;
    return lastBoxOwner_ && lastBoxOwner_->isVisible() ? lastBoxOwner_.data() : nullptr;
}

int TQtPresenter::ShowMessage(const TMessageRequest& request)
{
    QMessageBox box(MessageIcon(request.Type), Caption(request.Caption), request.Text,
                    QMessageBox::NoButton, BoxOwner());
    box.setTextFormat(Qt::PlainText);
    if (request.Type == TMsgDlgType::mtError)
        WriteErrorLine(request.Text);
    std::map<const QAbstractButton*, int> results;
    const TMsgDlgButtons offered = (request.Buttons & ~unsigned(mbHelp)) ? request.Buttons : mbOK;
    for (const ButtonKind& kind : ButtonKinds) {
        if (!(offered & kind.Button))
            continue;
        QPushButton* button = kind.Standard != QMessageBox::NoButton
                                  ? box.addButton(kind.Standard)
                                  : box.addButton(QStringLiteral("&All"), QMessageBox::YesRole);
        results[button] = kind.Result;
        if (kind.Button == DefaultButton(offered))
            box.setDefaultButton(button);
        if (kind.Button == EscapeButton(offered))
            box.setEscapeButton(button);
    }
    Exec(box);
    const auto found = results.find(box.clickedButton());
    return found != results.end() ? found->second : mrCancel;
}

void TQtPresenter::ShowException(const Exception& error)
{
    if (dynamic_cast<const EAbort*>(&error))
        return;
    WriteErrorLine(error.Message);
    QMessageBox box(QMessageBox::Critical, Caption({}), error.Message, QMessageBox::Ok,
                    BoxOwner());
    box.setTextFormat(Qt::PlainText);
    Exec(box);
}

void TQtPresenter::SetHourglass(bool on)
{
    if (on == hourglassShown_ || !Screen)
        return;
    if (on) {
        cursorBeforeHourglass_ = Screen->Cursor();
        Screen->SetCursor(crHourGlass);
    } else {
        Screen->SetCursor(cursorBeforeHourglass_);
    }
    hourglassShown_ = on;
}

void TQtPresenter::SetProgressMax(int max)
{
    if (progressBar_)
        progressBar_->setMaximum(max);
}

void TQtPresenter::SetProgressPosition(int position)
{
    // A position past either end shows as that end, where the bar would
    // otherwise ignore it and keep showing the step before.
    if (progressBar_)
        progressBar_->setValue(std::clamp(position, progressBar_->minimum(), progressBar_->maximum()));
}

void TQtPresenter::SetProgressVisible(bool visible)
{
    if (!progressBar_)
        return;
    progressBar_->setVisible(visible);
    // The work that follows keeps the event loop away: paint the bar now.
    if (visible)
        progressBar_->repaint();
}

void TQtPresenter::ProcessMessages()
{
    QCoreApplication::processEvents();
}
