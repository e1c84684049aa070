#include "app/transaction_page.h"
#include "app/control_in_view.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/field.h"

void TTransactionPage::SetAccountChoice(TwwDBLookupCombo* picker, TwwTable* master, const QString& codeField)
{
    picker_ = picker;
    master_ = master;
    codeField_ = codeField;
}

bool TTransactionPage::ShowAccount(const std::function<bool()>& findAccount, bool filtered)
{
    if (picker_->Text().isEmpty())
        return false;
    try {
        if (Table->Active())
            Table->CheckBrowseMode();
        if (!findAccount()) {
            picker_->SetLookupValue(shownPick_);
            return false;
        }
    } catch (...) {
        picker_->SetLookupValue(shownPick_);
        // The row being typed was refused: the keyboard goes back to its
        // cell for the user to mend it, as after any refusal of a row. The
        // grid takes it before the box, so that the window getting the
        // keyboard back once the box is answered finds the grid, not the
        // picker, and does not ask the grid to let the row go a second time
        // (the picker may have taken the keyboard while the window was
        // inactive, the grid none the wiser).
        if (IsEditState(Table->State()))
            ShowInView(*Grid);
        throw;
    }
    if (!Table->Active()) {
        Table->SetFiltered(filtered);
        Table->Open();
    }
    shownAccount_ = master_->FieldByName(codeField_)->Value();
    shownPick_ = picker_->LookupValue();
    // The picker stands on the account shown: Escape in it keeps naming it.
    picker_->SetLookupValue(shownPick_);
    Table->Refresh();
    return true;
}

void TTransactionPage::Restore()
{
    if (master_ && Table->Active()) {
        // A window opened the rows of a page whose account was never chosen:
        // with no account named, the page shows none.
        if (shownAccount_.isNull() || !master_->Active()) {
            Table->Close();
        } else {
            // The window may have renamed or deleted the account through a
            // table of its own, behind the master's current record.
            master_->Refresh();
            const bool shown = master_->FieldByName(codeField_)->Value() == shownAccount_ ||
                               master_->Locate(codeField_, shownAccount_);
            if (shown) {
                shownPick_ = master_->FieldByName(picker_->LookupField())->AsString();
                picker_->SetLookupValue(shownPick_);
                Table->Refresh();
            } else {
                // No other account's rows may stand in for it, and its picker
                // names it no more, so no row is begun for it.
                shownAccount_.clear();
                shownPick_.clear();
                picker_->SetLookupValue(QString());
                Table->Close();
            }
        }
    }
    // Rows may change colour with no change of data (a period close posts
    // them): the grid paints afresh, not only where the window lay over it.
    Grid->InvalidateGrid();
}
