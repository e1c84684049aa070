#pragma once
// One transaction page of the main window: its grid on its table, the
// navigators, the Auto Edit box and the indexes its titles sort by. The bank
// and communication pages also own their account picker and the account they
// were last told to show, which they show again once a window that moved
// their master has gone.
#include "app/grid_colours.h"
#include <QString>
#include <QVariant>
#include <functional>
#include <span>

class TCheckBox;
class TDBNavigator;
class TPanel;
class TTabSheet;
class TTiledBitmap;
class TwwDBGrid;
class TwwDBLookupCombo;
class TwwDataSource;
class TwwTable;

class TTransactionPage {
public:
    TTabSheet* Sheet = nullptr;
    TPanel* Panel = nullptr;
    TTiledBitmap* Background = nullptr;
    TwwDBGrid* Grid = nullptr;
    TDBNavigator* BrowseNavigator = nullptr;
    TDBNavigator* EditNavigator = nullptr;
    TCheckBox* AutoEdit = nullptr;
    TwwTable* Table = nullptr;
    TwwDataSource* DataSource = nullptr;
    std::span<const TSortIndex> Sorts;

    // The bank and communication pages show the rows of one account: the
    // current row of master (a table the dialogs' account combos move too),
    // whose codeField names it, as picker chooses it.
    void SetAccountChoice(TwwDBLookupCombo* picker, TwwTable* master, const QString& codeField);

    // Shows the account the picker names, once findAccount has made it
    // current in the master: a row being typed goes in under the account it
    // was typed for first. The table opens in the filter state given. False
    // when the picker is empty or names no account; then the page and its
    // picker stay with the account they showed, as they do when the row
    // being typed is refused, and the keyboard goes back to that row.
    bool ShowAccount(const std::function<bool()>& findAccount, bool filtered);

    // Shows again the account the page showed, whichever account a window
    // moved the master to, under the name it has now; an account that is
    // gone, or was never chosen, leaves the page empty and its picker blank.
    void Restore();

private:
    TwwDBLookupCombo* picker_ = nullptr;
    TwwTable* master_ = nullptr;
    QString codeField_;
    QVariant shownAccount_;
    QString shownPick_;   // the picker's value for the shown account
};
