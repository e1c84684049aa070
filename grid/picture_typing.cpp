#include "grid/picture_typing.h"
#include "dataset/picture_mask.h"
#include <QApplication>

TPictureTyping TypeThroughPicture(const TPictureKey& key, const QString& mask, bool autoFill)
{
    using TAction = TPictureTyping::TAction;
    // A picture places one 16-bit character at a time: a character beyond
    // 16 bits (its first half stands for it) has no place in one.
    if (key.Key.isSurrogate()) return {TAction::Drop, {}, 0, false, true};
    const int oldLength = int(key.Text.size());
    const bool wholeSelected = key.SelLength > 0 && key.SelLength == oldLength;
    QString wouldBe = key.Text;
    wouldBe.replace(key.SelStart, key.SelLength, key.Key);
    if (key.MaxLength > 0 && wouldBe.size() > key.MaxLength && oldLength < wouldBe.size())
        return {TAction::Drop, {}, 0, false, false};

    QString checked = wouldBe;
    const TPicResult result = TwwPictureValidator(mask, autoFill).Picture(checked, autoFill);
    const int newLength = int(checked.size());
    if (result == prComplete) {
        int caret = key.SelStart + newLength - oldLength;
        if (wholeSelected) caret = newLength;
        else if (newLength <= oldLength) caret = key.SelStart + 1;
        return {TAction::Replace, checked, std::clamp(caret, 0, newLength), true, false};
    }
    if (result == prIncomplete) {
        int caret = key.SelStart + newLength - oldLength;
        if (wholeSelected) caret = newLength;
        else if (key.CaretAfterKeyInSelection && key.SelLength > 0) caret = key.SelStart + 1;
        return {TAction::Replace, checked, std::clamp(caret, 0, newLength), false, false};
    }
    if (result == prError && key.SelStart + key.SelLength >= oldLength) return {TAction::Drop, {}, 0, false, true};
    // Inside the text the key goes in as typed.
    return {TAction::PassOn, {}, 0, false, false};
}

bool IsTextCompleteForPicture(const QString& text, const QString& mask)
{
    if (text.isEmpty() || mask.isEmpty()) return true;
    QString checked = text;
    return TwwPictureValidator(mask, false).Picture(checked, false) == prComplete;
}

bool ApplyPictureTyping(const TPictureTyping& typed, QChar& key,
                        const std::function<void(const TPictureTyping&)>& replace,
                        const std::function<void(bool complete)>& reportCheck)
{
    switch (typed.Action) {
    case TPictureTyping::TAction::Replace:
        replace(typed);
        key = QChar();
        reportCheck(typed.Complete);
        return true;
    case TPictureTyping::TAction::Drop:
        if (typed.Beep) QApplication::beep();
        key = QChar();
        return true;
    case TPictureTyping::TAction::PassOn: break;
    }
    // Inside the text the edit takes the key as it stands.
    reportCheck(false);
    return false;
}
