// The lookup combo's keyboard: which keys search, open and close the
// drop-down, take a row, clear the value or put the saved text back.
#include "dataset/property_reflection.h"
#include "dataset/field_text.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/popup_grid.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/data_source.h"
#include <QApplication>
#include <QKeyEvent>

namespace {

constexpr QChar kEnter(13);
constexpr QChar kEscape(27);
constexpr QChar kBackspace(8);

bool IsClearKey(int key)
{
    return key == Qt::Key_Backspace || key == Qt::Key_Delete;
}

bool IsListKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

// The class library's key codes of a Qt key, for the search-key test.
int VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Space: return 32;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    // Other printable characters (punctuation, letters beyond A to Z).
    if (key > 32 && key < 0x01000000) return 0x92;
    return 0;
}

}  // namespace

// The whole text deleted with AllowClearKey: the field is written empty.
void TwwDBCustomLookupCombo::ClearValue()
{
    if (DataSource() && link_.Field()) {
        if (!EditRecord()) return;
        SetText(QString());
        Binding().ClearValues();
        link_.Modified();
    } else {
        ShowLookupValue(QString());
    }
}

TwwCustomDBGrid* TwwDBCustomLookupCombo::ParentGrid() const
{
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget())
        if (auto* grid = qobject_cast<TwwCustomDBGrid*>(parent)) return grid;
    return nullptr;
}

// Editing a grid cell, the combo leaves the keys that move between cells and
// records to the grid while its list is closed.
bool TwwDBCustomLookupCombo::PassKeyToGrid(int key, Qt::KeyboardModifiers shift)
{
    TwwCustomDBGrid* grid = ParentGrid();
    if (!grid || IsDroppedDown()) return false;
    bool pass = false;
    switch (key) {
    case Qt::Key_Insert:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F2:
        pass = !(shift & Qt::AltModifier);
        break;
    case Qt::Key_Escape: pass = !Modified(); break;
    case Qt::Key_Home:
    case Qt::Key_Left: pass = SelStart() == 0 && SelLength() == 0; break;
    case Qt::Key_End:
    case Qt::Key_Right: pass = SelStart() == Text().size() && SelLength() == 0; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: pass = true; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: pass = true; break;
    default: break;
    }
    if (!pass) return false;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (grid->KeyOptions() & dgEnterToTab)) key = Qt::Key_Tab;
    grid->setFocus(Qt::OtherFocusReason);
    QKeyEvent forwarded(QEvent::KeyPress, key, shift);
    QApplication::sendEvent(grid, &forwarded);
    return true;
}

// A closed list that completes the typed text shows a whole row's text (an
// account's name, say): Backspace and Delete would leave a text that names no
// row, so they do nothing until the list is open.
bool TwwDBCustomLookupCombo::KeepsShownText(int key) const
{
    return style_ == csDropDownList && showMatchText_ && !allowClearKey_ && !IsDroppedDown() && IsClearKey(key);
}

bool TwwDBCustomLookupCombo::IsSearchKey(int key) const
{
    return IsTextEditKey(VirtualKey(key));
}

void TwwDBCustomLookupCombo::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    pressedKeys_.insert(key);
    TCustomEdit::KeyDown(key, shift);
    if (key == 0) return;
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Return && key != Qt::Key_Enter &&
        PassKeyToGrid(key, shift)) {
        key = 0;
        return;
    }
    const bool alt = shift & Qt::AltModifier;
    const bool open = IsDroppedDown();

    if (autoDropDown_ && !open && IsSearchKey(key)) keySearch_ = true;
    if (showMatchText_ && IsClearKey(key)) {
        // The next search runs, and fills in no match text.
        if (open) lastSearched_ = QStringLiteral("~~~~");
    } else if (!IsSearchKey(key)) {
        lastSearched_.clear();
    }

    // Pasting and cutting change the text: the record goes into edit first.
    const bool pasteOrCut = (shift & Qt::ControlModifier) && (key == Qt::Key_V || key == Qt::Key_X);
    if (pasteOrCut && !EditRecord()) {
        key = 0;
        return;
    }
    if (allowClearKey_ && IsClearKey(key) && !open && !Text().isEmpty() && SelLength() == Text().size()) {
        ClearValue();
        key = 0;
        return;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Insert || key == Qt::Key_Delete) {
        // The change begins (the record goes into edit) even where the
        // closed list keeps its text whole.
        if ((Editable() && !EditRecord() && !(allowClearKey_ && IsClearKey(key))) || KeepsShownText(key)) key = 0;
        return;
    }
    if (!Editable() && (key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left || key == Qt::Key_Right)) {
        key = 0;
        return;
    }
    if (IsListKey(key)) {
        if (!open && alt) {
            DropDown();
        } else if (open) {
            // The list moves; the text keeps the focus.
            searchTimer_.stop();
            QKeyEvent forwarded(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(grid_, &forwarded);
            Binding().ReadCurrentRow();
            found_ = !LookupTable()->IsEmpty();
        }
        key = 0;
    }
}

void TwwDBCustomLookupCombo::KeyUp(int& key, Qt::KeyboardModifiers shift)
{
    TCustomEdit::KeyUp(key, shift);
    // The key search that the key-down marked ends with its key.
    keySearch_ = false;
    if (!pressedKeys_.remove(key)) return;
    if (key == 0 || !IsSearchKey(key)) return;
    if (KeepsShownText(key)) {
        key = 0;
        return;
    }
    const bool open = IsDroppedDown();

    if (allowClearKey_ && IsClearKey(key)) {
        if (open && Text().isEmpty() && !DataSetLookupField()) {
            if (DataSource() && link_.Field()) link_.Edit();
            Binding().ClearValues();
            grid_->SetChosenRow(-1);
            grid_->viewport()->update();
            key = 0;
            return;
        }
    }
    if (showMatchText_ && IsClearKey(key) && Text().isEmpty()) {
        auto* table = qobject_cast<TwwTable*>(LookupTable());
        if (table && table->NarrowSearch() && !HasQueryLines(table)) table->CancelRangeOrReopen();
    }

    if (Text() == lastSearched_ && Text().size() != 1) return;
    if (open) {
        RestartSearchTimer();
        return;
    }
    if (!Text().isEmpty()) {
        if (autoDropDown_) {
            keySearch_ = true;
            PerformSearch();
            DropDown();
            keySearch_ = false;
        } else if (showMatchText_ && !IsClearKey(key)) {
            keySearch_ = true;
            PerformSearch();
            keySearch_ = false;
        }
    }
    keySearch_ = false;
    if (link_.Editing()) link_.Modified();
}

void TwwDBCustomLookupCombo::KeyPress(QChar& key)
{
    TCustomEdit::KeyPress(key);
    if (key.isNull()) return;
    const bool open = IsDroppedDown();

    if (key == kEnter) {
        if (!open && PassKeyToGrid(Qt::Key_Return, Qt::NoModifier)) {
            key = QChar();
            return;
        }
        if (open) {
            if (searchTimer_.isActive()) {
                PerformSearch();
            } else if (!LookupTable()->IsEmpty()) {
                Binding().ReadCurrentRow();
            }
            if (found_) AcceptRow();
            CloseUp(true);
        }
        key = QChar();
        return;
    }
    if (key == kEscape) {
        searchTimer_.stop();
        // Nothing to undo: the key goes on to the form (a dialog's Cancel).
        if (!open && !Modified() && Text() == savedText_) return;
        if (open) {
            CloseUp(false);
        } else if (!link_.Field()) {
            RestoreSaved();
        } else {
            RestoreSaved();
            SetModified(false);
            skipDataChange_ = true;
            link_.Reset();
            skipDataChange_ = false;
        }
        key = QChar();
        return;
    }
    const bool printable = key.unicode() >= 32;
    if (printable && !open && !autoDropDown_ && !showMatchText_ && Editable() && DataSource() &&
        link_.Field() && !link_.CanModify()) {
        QApplication::beep();
        key = QChar();
        return;
    }
    if ((printable || key == kBackspace) && !EditRecord()) key = QChar();
}

bool TwwDBCustomLookupCombo::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const bool tab = keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab;
        if (tab && IsDroppedDown()) {
            // Tab takes the row and goes on to the next control.
            if (searchTimer_.isActive()) PerformSearch();
            if (found_) AcceptRow();
            CloseUp(true);
        }
        if (tab && PassKeyToGrid(keyEvent->key(), keyEvent->modifiers())) return true;
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Escape and Enter belong to an open drop-down before any dialog sees them.
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (IsDroppedDown() && (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            event->accept();
            return true;
        }
    }
    return TCustomEdit::event(event);
}
