#pragma once
// Attaches the table rules to the first data module's tables: every rule is
// stored into its table component's events, so it holds whichever window or
// transfer edits the table.
class TADm1;

void AttachAdm1Rules(TADm1& dm);
