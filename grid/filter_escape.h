#pragma once
// The Escape poll of a record-filter pass of the library's datasets.
class TDataSet;

// Polls the keyboard once (PollEscapeKey); on a press of Escape, ofoEnabled
// is cleared in the dataset's OnFilterOptions and the result is true.
bool EscapePressed(TDataSet& dataSet);
