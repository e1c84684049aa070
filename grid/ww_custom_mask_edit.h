#pragma once
// TwwCustomMaskEdit: a mask edit that also checks what is typed against a
// picture mask (the library's picture language, not the edit mask), reports
// each check through OnCheckValue, and keeps the focus, saying why in a box,
// when its text is left incomplete under the picture.
//
// TwwDBPicture is its picture. On an edit bound to a field of a dataset the
// mask and the auto-fill flag live in the dataset's PictureMasks, so that
// every control on that field types alike; on an unbound edit they live here.
#include "platform/ui/mask_edit.h"
#include <functional>

class TDataSet;
class TwwCustomMaskEdit;

class TwwDBPicture {
public:
    explicit TwwDBPicture(TwwCustomMaskEdit& owner) : owner_(owner) {}
    TwwDBPicture(const TwwDBPicture&) = delete;
    TwwDBPicture& operator=(const TwwDBPicture&) = delete;

    QString PictureMask() const;
    void SetPictureMask(const QString& mask);
    bool AutoFill() const;
    void SetAutoFill(bool on);
    // Whether the edit may be left while its text fails the picture; a bound
    // edit never may.
    bool AllowInvalidExit() const;
    void SetAllowInvalidExit(bool on) { allowInvalidExit_ = on; }
    // Copies the mask and the auto-fill flag.
    void Assign(const TwwDBPicture& source);

private:
    bool Bound() const;

    TwwCustomMaskEdit& owner_;
    QString pictureMask_;
    bool autoFill_ = true;
    bool allowInvalidExit_ = false;
};

class TwwCustomMaskEdit : public TCustomMaskEdit {
    Q_OBJECT
public:
    explicit TwwCustomMaskEdit(QWidget* parent = nullptr);

    TwwDBPicture& Picture() { return picture_; }
    const TwwDBPicture& Picture() const { return picture_; }

    // The text passes: empty, or complete under the picture in use.
    virtual bool IsTextValid() const;
    // Checks the text and reports the result through OnCheckValue.
    void CheckValue();
    // The last exit was refused because the text failed its check.
    bool InvalidExit() const { return ExitRefused(); }

    // The dataset and field whose PictureMasks line the picture reads; none
    // for an unbound edit.
    virtual TDataSet* PictureDataSet() const { return nullptr; }
    virtual QString PictureDataField() const { return {}; }

    std::function<void(QObject* sender, bool passed)> OnCheckValue;

protected:
    // Multi-line when word-wrapped, and without a border (as a grid's cell
    // control), scrolling sideways then; Enter is no new line.
    void CreateParams(TEditStyle& style) const override;
    virtual void DoCheckValue(bool passed);
    virtual bool MaskInUse() const;
    // Types Key through the picture; true when the key was used up (taken
    // into the text or dropped), false when it goes on to the edit.
    bool TypeThroughPicture(QChar& key, bool caretAfterKeyInSelection);
    // Replaces the text as the user's own change (Modified set) and places the caret.
    void ReplaceText(const QString& text, int caret);
    // Raises why the text cannot be taken when the edit is left: a changed
    // text that fails the picture (unless AllowInvalidExit).
    virtual void ValidateExit();
    void DoExit() override;

private:
    TwwDBPicture picture_{*this};
};
