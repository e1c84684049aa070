#pragma once
// Where the accounts program keeps its data: the alias VrAccounts names one
// directory, which holds the database and every fixed file of the program, so
// that re-pointing the alias moves them all together.
#include <QString>

inline const QString AccountsAlias = QStringLiteral("VrAccounts");

// The directory the alias names unless told otherwise: $VRACCOUNTS_DIR, else
// $XDG_DATA_HOME/vraccounts, else ~/.local/share/vraccounts.
QString DefaultAccountsDirectory();

// Registers the alias on the default directory, read from the environment now.
// An alias already registered (by a test, or an earlier start) is kept.
void RegisterAccountsAlias();

// A fixed file of the alias directory (the rebuild's SQL text, the splash marker).
QString AccountsFile(const QString& name);
