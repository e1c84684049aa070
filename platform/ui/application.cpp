#include "platform/ui/application.h"
#include "platform/ui/design_fonts.h"
#include "platform/ui/form.h"
#include <QFileInfo>
#include <QMouseEvent>

TApplication* Application = nullptr;

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), title_(QFileInfo(applicationFilePath()).completeBaseName())
{
    Application = this;
    // Only the main window's closing ends the program; hidden splash and About
    // windows must not keep it alive or end it.
    setQuitOnLastWindowClosed(false);
    MapDesignFaces();
    SetPresenter(&presenter_);
    installEventFilter(this);
}

TApplication::~TApplication()
{
    DestroyComponents();
    if (&Presenter() == &presenter_)
        SetPresenter(nullptr);
    Application = nullptr;
}

void TApplication::InsertComponent(QObject* component)
{
    components_.emplace_back(component);
}

void TApplication::DestroyComponents()
{
    while (!components_.empty()) {
        QPointer<QObject> component = components_.back();
        components_.pop_back();
        delete component.data();
    }
}

void TApplication::ProcessMessages()
{
    processEvents();
}

int TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    return exec();
}

void TApplication::Terminate()
{
    quit();
}

void TApplication::HandleException(std::exception_ptr error) noexcept
{
    ++refusals_;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            ShowException(e);
        } catch (const std::exception& e) {
            ShowException(Exception(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            ShowException(Exception(QStringLiteral("Unknown error")));
        }
    } catch (const std::exception& e) {
        // The error box itself failed: the log is all that is left.
        qCritical("%s", e.what());
    } catch (...) {
        qCritical("Unknown error while showing an error");
    }
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // Qt gives the focus for a press before it delivers the press; the filter
    // below sees whether giving it was refused.
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    const int outerPress = refusalsAtPress_;
    if (press)
        refusalsAtPress_ = refusals_;
    try {
        const bool handled = QApplication::notify(receiver, event);
        if (press)
            refusalsAtPress_ = outerPress;
        return handled;
    } catch (...) {
        if (press)
            refusalsAtPress_ = outerPress;
        HandleException(std::current_exception());
        return false;
    }
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The release of a button let go of while the refusal's box was up
        // went to the blocked window and never comes here: only a button
        // still held has a release to swallow, and a new press forgets any.
        const auto button = static_cast<QMouseEvent*>(event)->button();
        swallowRelease_ = Qt::NoButton;
        if (refusalsAtPress_ >= 0 && refusals_ != refusalsAtPress_) {
            if (mouseButtons() & button)
                swallowRelease_ = button;
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (swallowRelease_ != Qt::NoButton && static_cast<QMouseEvent*>(event)->button() == swallowRelease_) {
            swallowRelease_ = Qt::NoButton;
            return true;
        }
        break;
    default:
        break;
    }
    return QApplication::eventFilter(watched, event);
}
