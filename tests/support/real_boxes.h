#pragma once
// The program's real boxes, answered through real events from inside their
// own modal loop, as a user answers them: whatever the user does while a box
// is up (lets go of the mouse over the window behind it, types a key) reaches
// the application in the order it would on a desktop, and the button is
// clicked, not returned. Every box shown is recorded like the scripted
// presenter records it.
//
//   RealBoxes boxes;
//   boxes.WhileUp([&](QMessageBox&) { QTest::mouseRelease(...); });
//   boxes.Answer(mrNo);   // the next box: the release above, then No clicked
#include "platform/ui/qt_presenter.h"
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class RealBoxes : public TQtPresenter {
public:
    using Step = std::function<void(QMessageBox& box)>;

    RealBoxes() : previous_(&Presenter()) { SetPresenter(this); }
    ~RealBoxes() override { SetPresenter(previous_ == this ? nullptr : previous_); }
    RealBoxes(const RealBoxes&) = delete;
    RealBoxes& operator=(const RealBoxes&) = delete;

    // Something the user does while the next box is up, before its answer;
    // several run in order.
    void WhileUp(Step step) { OpenScript().steps.push_back(std::move(step)); }

    // Clicks the button that gives result on the next box. A box with no
    // answer queued is answered with Enter, its default button.
    void Answer(int result)
    {
        OpenScript().answer = result;
        OpenScript().closed = true;
    }

    int ShowMessage(const TMessageRequest& request) override
    {
        shown.push_back(request);
        ArmAnswer(request.Text);
        return TQtPresenter::ShowMessage(request);
    }

    void ShowException(const Exception& error) override
    {
        if (dynamic_cast<const EAbort*>(&error))
            return;
        errors.push_back(error.Message);
        ArmAnswer(error.Message);
        TQtPresenter::ShowException(error);
    }

    QString LastText() const { return shown.empty() ? QString() : shown.back().Text; }
    // Every box, messages and errors, in the order shown.
    int BoxCount() const { return int(shown.size() + errors.size()); }

    std::vector<TMessageRequest> shown;
    std::vector<QString> errors;

private:
    static QAbstractButton* ButtonFor(QMessageBox& box, int result)
    {
        QMessageBox::StandardButton standard = QMessageBox::NoButton;
        switch (result) {
        case mrOk: standard = QMessageBox::Ok; break;
        case mrCancel: standard = QMessageBox::Cancel; break;
        case mrYes: standard = QMessageBox::Yes; break;
        case mrNo: standard = QMessageBox::No; break;
        case mrAbort: standard = QMessageBox::Abort; break;
        case mrRetry: standard = QMessageBox::Retry; break;
        case mrIgnore: standard = QMessageBox::Ignore; break;
        case mrNoToAll: standard = QMessageBox::NoToAll; break;
        case mrYesToAll: standard = QMessageBox::YesToAll; break;
        default: break;
        }
        return standard != QMessageBox::NoButton ? box.button(standard) : nullptr;
    }

    static void ClickResult(QMessageBox& box, int result)
    {
        if (QAbstractButton* button = ButtonFor(box, result))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QTest::keyClick(&box, Qt::Key_Return);   // not offered: the default button
    }

    struct BoxScript {
        std::vector<Step> steps;
        int answer = -1;   // none: Enter
        bool closed = false;
    };

    BoxScript& OpenScript()
    {
        if (scripts_.empty() || scripts_.back().closed)
            scripts_.emplace_back();
        return scripts_.back();
    }

    // The box does not exist yet: the timer fires inside its loop, once the
    // box with this text is the modal window on top.
    void ArmAnswer(const QString& text)
    {
        BoxScript script;
        if (!scripts_.empty()) {
            script = std::move(scripts_.front());
            scripts_.pop_front();
        }
        QTimer::singleShot(0, [text, script = std::move(script)] { AnswerWhenUp(text, script, 0); });
    }

    static void AnswerWhenUp(const QString& text, const BoxScript& script, int tries)
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->text() != text) {
            // A box that never comes up (the code gave up before showing it)
            // must not leave a timer that answers a later box.
            if (tries < 2000)
                QTimer::singleShot(5, [text, script, tries] { AnswerWhenUp(text, script, tries + 1); });
            return;
        }
        QPointer<QMessageBox> alive(box);
        for (const Step& step : script.steps)
            if (alive && alive->isVisible())
                step(*alive);
        if (!alive || !alive->isVisible())
            return;
        if (script.answer >= 0)
            ClickResult(*alive, script.answer);
        else
            QTest::keyClick(alive.data(), Qt::Key_Return);
    }

    TPresenter* previous_;
    std::deque<BoxScript> scripts_;
};
