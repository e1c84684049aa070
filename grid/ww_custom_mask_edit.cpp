#include "grid/ww_custom_mask_edit.h"
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "grid/picture_typing.h"

// ---- TwwDBPicture

bool TwwDBPicture::Bound() const
{
    return owner_.PictureDataSet() && !owner_.PictureDataField().isEmpty();
}

QString TwwDBPicture::PictureMask() const
{
    if (!Bound()) return pictureMask_;
    return GetFieldPictureMask(owner_.PictureDataSet(), owner_.PictureDataField()).Mask;
}

void TwwDBPicture::SetPictureMask(const QString& mask)
{
    if (!Bound()) {
        pictureMask_ = mask;
        return;
    }
    SetFieldPictureMask(owner_.PictureDataSet(), owner_.PictureDataField(), mask, autoFill_, true, true, false,
                        false);
}

bool TwwDBPicture::AutoFill() const
{
    if (!Bound()) return autoFill_;
    const TFieldPictureMask line = GetFieldPictureMask(owner_.PictureDataSet(), owner_.PictureDataField());
    return line.Mask.isEmpty() ? autoFill_ : line.AutoFill;
}

void TwwDBPicture::SetAutoFill(bool on)
{
    autoFill_ = on;
    if (Bound())
        SetFieldPictureMask(owner_.PictureDataSet(), owner_.PictureDataField(), QString(), on, true, false, true,
                            false);
}

bool TwwDBPicture::AllowInvalidExit() const
{
    return !Bound() && allowInvalidExit_;
}

void TwwDBPicture::Assign(const TwwDBPicture& source)
{
    SetPictureMask(source.PictureMask());
    SetAutoFill(source.AutoFill());
}

// ---- TwwCustomMaskEdit

TwwCustomMaskEdit::TwwCustomMaskEdit(QWidget* parent) : TCustomMaskEdit(parent) {}

void TwwCustomMaskEdit::CreateParams(TEditStyle& style) const
{
    TCustomMaskEdit::CreateParams(style);
    WordWrapStyle(style);
}

bool TwwCustomMaskEdit::MaskInUse() const
{
    return !picture_.PictureMask().isEmpty();
}

bool TwwCustomMaskEdit::IsTextValid() const
{
    return !MaskInUse() || IsTextCompleteForPicture(Text(), picture_.PictureMask());
}

void TwwCustomMaskEdit::DoCheckValue(bool passed)
{
    if (OnCheckValue) OnCheckValue(this, passed);
}

void TwwCustomMaskEdit::CheckValue()
{
    DoCheckValue(IsTextValid());
}

void TwwCustomMaskEdit::ReplaceText(const QString& newText, int caret)
{
    // As the user's own edit, so that Modified is set when the change is reported.
    if (newText != text()) {
        selectAll();
        insert(newText);
    }
    setModified(true);
    setCursorPosition(std::clamp(caret, 0, int(newText.size())));
}

bool TwwCustomMaskEdit::TypeThroughPicture(QChar& key, bool caretAfterKeyInSelection)
{
    const TPictureTyping typed = ::TypeThroughPicture(
        {text(), SelStart(), SelLength(), key, MaxLength(), caretAfterKeyInSelection}, picture_.PictureMask(),
        picture_.AutoFill());
    return ApplyPictureTyping(
        typed, key,
        [this](const TPictureTyping& result) {
            if (!ReadOnly()) ReplaceText(result.Text, result.Caret);
        },
        [this](bool complete) { DoCheckValue(complete); });
}

void TwwCustomMaskEdit::ValidateExit()
{
    if (Modified() && !picture_.AllowInvalidExit() && !TwwCustomMaskEdit::IsTextValid())
        throw EDBEditError(QString::fromLatin1(SMaskEditErr));
}

void TwwCustomMaskEdit::DoExit()
{
    if (RefuseExit([this] { ValidateExit(); })) return;
    TCustomMaskEdit::DoExit();
}
