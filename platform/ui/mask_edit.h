#pragma once
// TCustomMaskEdit: an edit that types through the class library's edit mask
// (edit_mask.h). Each typed character is accepted or refused by the mask
// position under the caret, literals are stepped over and never deleted, and
// empty positions show the mask's blank character. EditText is what the edit
// shows; Text is what it reports (literals only with the mask's save flag).
// Without a mask it is a plain edit.
#include "platform/rtl/exceptions.h"
#include "platform/ui/custom_edit.h"
#include "platform/ui/edit_mask.h"

// The class library's error of an edit whose mask is not filled in.
class EDBEditError : public Exception { public: using Exception::Exception; };

extern const char* const SMaskEditErr;

class TCustomMaskEdit : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
public:
    explicit TCustomMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    // Reformats the current text for the new mask.
    void SetEditMask(const QString& mask);
    bool IsMasked() const { return !mask_.IsEmpty(); }
    const TEditMask& Mask() const { return mask_; }

    QString EditText() const { return text(); }
    void SetEditText(const QString& text);
    QString Text() const override;
    void SetText(const QString& text) override;

    // Raises EDBEditError, with the caret on the first unfilled required
    // position, when the text is incomplete. An empty mask edit is valid.
    virtual void ValidateEdit();
    // Typed into the mask character by character, as the keys would type it.
    void PasteText(const QString& text) override;
    // Whether a key may change the text; a derived edit may refuse.
    virtual bool EditCanModify() { return true; }

protected:
    // A masked edit holds exactly one character per mask position.
    int EditLimit() const override { return IsMasked() ? mask_.Length() : TCustomEdit::EditLimit(); }
    void HandleKey(QKeyEvent* event, QChar key) override;
    void DoExit() override;
    void focusOutEvent(QFocusEvent* event) override;

    // Overwrites the mask position at the caret (or the next editable one)
    // with Ch; false, with a beep, when the mask refuses it.
    bool TypeMaskChar(QChar ch);
    void DeleteMaskChars(bool backwards);

private:
    void SetMaskedText(const QString& editText, int caret);
    void SetMaskedEditText(const QString& editText);
    int CaretAfter(int pos) const;

    QString editMask_;
    TEditMask mask_;
    bool validateOnExit_ = false;
};

class TMaskEdit : public TCustomMaskEdit {
    Q_OBJECT
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
