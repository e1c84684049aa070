#pragma once
// Push buttons, bit buttons of a kind, check boxes and speed buttons.
#include "platform/rtl/presenter.h"
#include <QCheckBox>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <functional>

// A glyph may hold NumGlyphs pictures side by side (up, disabled, down, ...):
// the first, which a button shows.
QPixmap FirstGlyph(const QPixmap& glyph, int numGlyphs);

// A bit button's kind gives it its caption, its picture and its modal result;
// OK and Yes are default buttons, Cancel and No cancel buttons.
enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkYes, bkNo };

class TButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
public:
    explicit TButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    // Enter presses the default button of the form, Escape its cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Pressing the button sets its form's ModalResult, which ends a modal form.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);
    void SetGlyph(const QPixmap& glyph, int numGlyphs = 1);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // What a press does: sets the form's ModalResult, then runs OnClick. A
    // derived button may do more.
    virtual void Click();

    std::function<void(QObject* sender)> OnClick;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = mrNone;
    int tag_ = 0;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

// The class library's bitmap button is this button with a kind or a glyph.
using TBitBtn = TButton;

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
public:
    explicit TCheckBox(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);
    // Grayed is a third state a click passes through only when allowed.
    bool AllowGrayed() const { return isTristate(); }
    void SetAllowGrayed(bool allow) { setTristate(allow); }

    // Fires whenever the state changes, by the user or by code.
    std::function<void(QObject* sender)> OnClick;
};

// A tool-like button. With a GroupIndex it stays down when pressed and lets
// the other buttons of its group (same parent, same index) up; a down button
// of the group goes up again only when AllowAllUp.
class TSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }
    void SetGlyph(const QPixmap& glyph, int numGlyphs = 1);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool Down() const { return isChecked(); }
    void SetDown(bool down);
    void SetHint(const QString& hint) { setToolTip(hint); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    std::function<void(QObject* sender)> OnClick;

protected:
    void nextCheckState() override;

private:
    void ReleaseGroup();

    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    int tag_ = 0;
};
