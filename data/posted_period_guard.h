#pragma once
// The lock of the closed period. A row dated on or before the close date in
// force belongs to a period whose summaries are final: it can be neither
// changed nor removed, and no row may be posted into it. Every table with
// dated rows uses these guards.
#include "platform/rtl/datetime.h"
#include <QString>

class TDataSet;

inline constexpr char PostedRecordMessage[] =
    "Editing of this Record is not allowed since it has been posted";

// "Sorry, Only dates falling after 31, Dec, 1999  will be accepted."
QString CloseDateMessage(TDateTime closeDate);

// True when d lies after closeDate; else shows the closed-period message
// (ShowErrorMessage) and returns false.
bool IsAfterCloseDate(TDateTime d, TDateTime closeDate);

// BeforeEdit / BeforeDelete: when the row's date field is on or before
// closeDate, shows the posted-record message and raises the silent abort.
void GuardPostedRow(const TDataSet& dataSet, const QString& dateField, TDateTime closeDate);

// BeforePost: an empty date field is refused with "Transaction Date has to
// be entered"; a date on or before closeDate with the closed-period message.
// Both raise the silent abort after their box.
void GuardPostDate(const TDataSet& dataSet, const QString& dateField, TDateTime closeDate);
