#include "data/posted_period_guard.h"
#include "data/message_helpers.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

QString CloseDateMessage(TDateTime closeDate) {
    // The month is named in English whatever the regional settings: the box
    // is one English sentence like every other text of the program.
    return QStringLiteral("Sorry, Only dates falling after ") + FormatDateTime(QStringLiteral("dd"), closeDate) +
           QStringLiteral(", ") + MonthName(MonthOf(closeDate)).left(3) + QStringLiteral(", ") +
           FormatDateTime(QStringLiteral("yyyy"), closeDate) + QStringLiteral("  will be accepted.");
}

bool IsAfterCloseDate(TDateTime d, TDateTime closeDate) {
    if (d > closeDate)
        return true;
    ShowErrorMessage(CloseDateMessage(closeDate));
    return false;
}

void GuardPostedRow(const TDataSet& dataSet, const QString& dateField, TDateTime closeDate) {
    // An empty date reads as 0, which lies before every close date: such a row
    // is treated as posted, as it always was.
    if (dataSet.FieldByName(dateField)->AsDateTime() <= closeDate) {
        ShowErrorMessage(QString::fromLatin1(PostedRecordMessage));
        Abort();
    }
}

void GuardPostDate(const TDataSet& dataSet, const QString& dateField, TDateTime closeDate) {
    const TField* date = dataSet.FieldByName(dateField);
    if (date->IsNull()) {
        ShowErrorMessage(QStringLiteral("Transaction Date has to be entered"));
        Abort();
    }
    if (!IsAfterCloseDate(date->AsDateTime(), closeDate))
        Abort();
}
