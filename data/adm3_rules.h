#pragma once
// The rules of the second data module's edited tables: every new multiple-entry
// and asset row gets its code and starting values, approved entries and rows of
// the closed period are locked, required values are checked, deletes ask first,
// and the bill and chart tables compute their period texts and balance.
#include "data/record_codes.h"
#include <span>

class TADm3;

// The code rules of the second module's tables, for the one code routine.
std::span<const TRecordCodeRule> Adm3RecordCodeRules();

// Stores every rule into its table component's events. Needs ADm1 (the close
// date in force, the summaries mark and the chart year live there).
void AttachAdm3Rules(TADm3& dm);
