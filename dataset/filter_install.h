#pragma once
// Putting a library dataset's filters onto its engine cursor: the expression
// filter compiled from filter text, and the text itself from setting lines.
#include "platform/rtl/string_list.h"
#include <QString>

class TDataSet;
class TEngineCursor;

// The lines as one expression: trailing blanks and TABs cut, empty lines
// skipped, every line after the first appended as " AND (" line ")".
QString JoinFilterLines(const TStrings& lines);

// Puts the expression Text on the cursor in place of the filter FilterHandle
// names (0: none). Without a cursor (the dataset is closed) the handle
// becomes 0 and the filter waits for the next open; empty text removes the
// filter. False when the text does not compile or the engine refuses it: the
// old filter then stays, and so does its handle. A constant that does not
// convert raises EConvertError, the old filter staying too. The caller
// re-reads an open dataset.
bool InstallExpressionFilter(const QString& text, const TDataSet& dataSet, TEngineCursor* cursor, int& filterHandle);
