#include "data/adm3_period_fields.h"
#include "data/adm1.h"
#include "data/message_helpers.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"

namespace {

TField* Field(const TDataSet& dataSet, const char* name) {
    return dataSet.FieldByName(QString::fromLatin1(name));
}

// "Mar" for 3. The rebuild writes months 1 to 12 only; any other month of a
// row typed by hand shows no period rather than failing every repaint.
QString MonthAbbreviation(int month) {
    if (month < 1 || month > 12)
        return {};
    return MonthName(static_cast<qint16>(month)).left(3);
}

// The period text of a row, the year after the month abbreviation and the
// separator; empty when the row has no month.
QString PeriodText(const TDataSet& dataSet, const QString& separator) {
    const QString month = MonthAbbreviation(Field(dataSet, "PeriodMonth")->AsInteger());
    if (month.isEmpty())
        return {};
    return month + separator + QString::number(Field(dataSet, "PeriodYear")->AsInteger());
}

void SetPeriodText(TDataSet& dataSet, const char* field, const QString& separator) {
    const QString text = PeriodText(dataSet, separator);
    if (!text.isEmpty())
        Field(dataSet, field)->SetAsString(text);
}

}  // namespace

void TblTelPaidCalcFields(TDataSet& dataSet) {
    SetPeriodText(dataSet, "CalcPeriodName", QStringLiteral("-"));
    const double total = Field(dataSet, "TotalAmount")->AsFloat();
    if (total > 0)
        Field(dataSet, "CalcBalance")->SetAsFloat(total - Field(dataSet, "PaidAmount")->AsFloat());
}

void TblTelPaidBeforePost(TDataSet& dataSet) {
    if (Field(dataSet, "PaidAmount")->AsFloat() < 0) {
        ShowErrorMessage(QStringLiteral("Paid Amount Cannot be Less then 0"));
        Abort();
    }
}

void TblChart1CalcFields(TDataSet& dataSet) {
    SetPeriodText(dataSet, "CalcPeriod", QString());
}

void TblChart1FilterRecord(const TADm1& dm1, TDataSet& dataSet, bool& accept) {
    accept = Field(dataSet, "PeriodYear")->AsInteger() == dm1.ChartYear;
}
