#pragma once
// First use of the accounts database: the tables of the catalogue are made here.
class TEngineDatabase;

// Creates every table of the catalogue that the database lacks, with its
// primary key, its named indexes and the table password, and writes the fixed
// card types into a card type table it creates. Tables that exist are left
// exactly as they are. Runs in one transaction: when anything fails the
// database stays as it was and the engine's error propagates.
void DeployAccountsDatabase(TEngineDatabase& db);
