#pragma once
// The two data modules' parts of the catalogue, kept in their own files.
#include "data/table_catalogue.h"

std::span<const TCatalogueTable> Adm1CatalogueTables();
std::span<const TCatalogueTable> Adm3CatalogueTables();

// The stored fields of the bank accounts table, in declared order; the second
// module's cursor on that table declares exactly these.
std::span<const TCatalogueField> BankAccountStoredFields();
