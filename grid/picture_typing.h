#pragma once
// One character typed into an edit whose text follows a picture mask: the
// text the key would give is checked (and, with auto-fill, has its literals
// filled in), and the edit takes the checked text, drops the key or lets it
// through as typed.
#include <QString>
#include <functional>

struct TPictureTyping {
    enum class TAction { Replace, Drop, PassOn };
    TAction Action = TAction::PassOn;
    QString Text;        // with Replace: the edit's new text
    int Caret = 0;       // with Replace: where the caret goes
    bool Complete = false;
    bool Beep = false;   // with Drop
};

struct TPictureKey {
    QString Text;         // the edit's text before the key
    int SelStart = 0;
    int SelLength = 0;
    QChar Key;
    int MaxLength = 0;    // 0: no limit
    // An incomplete result typed over part of the text leaves the caret just
    // after the key (the data edit's rule) rather than after what was filled in.
    bool CaretAfterKeyInSelection = false;
};

TPictureTyping TypeThroughPicture(const TPictureKey& key, const QString& mask, bool autoFill);

// Carries a typing result out on an edit: Replace hands the new text to
// Replace, Drop beeps when asked, and both swallow the key; the check of
// completeness is reported either way. True when the key was taken.
bool ApplyPictureTyping(const TPictureTyping& typed, QChar& key,
                        const std::function<void(const TPictureTyping&)>& replace,
                        const std::function<void(bool complete)>& reportCheck);

// Empty, or complete under the mask.
bool IsTextCompleteForPicture(const QString& text, const QString& mask);
