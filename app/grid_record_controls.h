#pragma once
// A list whose current record is also edited by the controls beside it: the
// account lines beside their type, side and account choices, the recurring
// headers beside their details.
class TwwDBGrid;

// Leaving such a grid still gives up a new record nobody has filled in (for
// the other page, another list, a button), but not for a control that edits
// that very record: going there is how the user fills the record in, and the
// control would otherwise write into the saved record the grid went back to.
// The grid's OnExit is this rule's.
void KeepNewRecordForItsControls(TwwDBGrid& grid);
