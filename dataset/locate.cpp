#include "dataset/locate.h"
#include "dataset/controls_disabled.h"
#include "dataset/field_text.h"
#include "dataset/property_reflection.h"
#include "dataset/record_scanner.h"
#include "dataset/table_index.h"
#include "dataset/text_compare.h"
#include "dataset/text_helpers.h"
#include "platform/db/field.h"
#include "platform/db/table.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"
#include "platform/rtl/presenter.h"
#include <optional>

namespace {

bool IsFloatType(TFieldType type)
{
    return type == TFieldType::ftFloat || type == TFieldType::ftCurrency || type == TFieldType::ftBCD;
}

QString CaseText(const QString& text, bool caseSensitive)
{
    return caseSensitive ? text : text.toUpper();
}

void FieldNotFound(const QString& fieldName)
{
    MessageDlg(QStringLiteral("Field ") + fieldName + QStringLiteral(" not found."), TMsgDlgType::mtWarning, mbOK);
}

// How one record's field is judged: as a number when the field holds numbers
// and the value reads as one, else as text under the mode.
class TValueTest {
public:
    TValueTest(const TField& field, const QString& value, int mode, bool caseSensitive)
        : value_(value), mode_(mode), caseSensitive_(caseSensitive)
    {
        asNumber_ = IsFloatType(field.DataType()) && !value.isEmpty() && TryStrToFloat(value, number_);
    }

    bool MatchesNumber(double number) const { return number == number_; }
    bool AsNumber() const { return asNumber_; }
    bool MatchesText(const QString& text) const { return TextMatchesValue(text, value_, mode_, caseSensitive_); }

private:
    QString value_;
    int mode_;
    bool caseSensitive_;
    bool asNumber_ = false;
    double number_ = 0;
};

bool FieldMatches(const TField& field, const TValueTest& test)
{
    if (test.AsNumber()) return !field.IsNull() && test.MatchesNumber(field.AsFloat());
    return test.MatchesText(field.AsString());
}

bool RawMatches(const TField& field, const QVariant& raw, const TValueTest& test)
{
    if (test.AsNumber()) return !raw.isNull() && test.MatchesNumber(raw.toDouble());
    return test.MatchesText(FieldBufferText(field, raw));
}

// Reads the records one by one, with the hourglass shown and the controls
// still; both come back on every way out.
bool ScanForValue(bool fromFirst, TDataSet& dataSet, const TField& field, const TValueTest& test)
{
    const THourglass hourglass;
    const TControlsDisabled disabled(dataSet);
    auto* scanner = dynamic_cast<TwwRecordScanner*>(&dataSet);
    if (scanner && !IsCalculatedOrNonEngineField(field)) {
        const qsizetype column = field.FieldNo() - 1;
        return scanner->ScanRecords(fromFirst, [&](const TRecordValues& values) {
            return column >= 0 && column < values.size() && RawMatches(field, values[column], test);
        });
    }
    // Calculated and lookup fields exist only in the dataset's records.
    const TBookmark start = dataSet.GetBookmark();
    if (fromFirst)
        dataSet.First();
    else
        dataSet.Next();
    for (; !dataSet.Eof(); dataSet.Next())
        if (FieldMatches(field, test)) return true;
    if (start) dataSet.GotoBookmark(start);
    return false;
}

bool UsesIndexPath(TTable& table, const TField& field, bool caseSensitive)
{
    if (field.DataType() == TFieldType::ftMemo || HasQueryLines(&table)) return false;
    if (table.IndexFieldCount() == 0) return false;
    if (table.IndexFields(0)->FieldName().toUpper() != field.FieldName().toUpper()) return false;
    return field.DataType() != TFieldType::ftString || IndexCaseInsensitive(table) == !caseSensitive;
}

// The search on the index that the field leads; nullopt when the records
// must be read instead.
std::optional<bool> SearchOnIndex(bool fromFirst, TTable& table, const TField& field, int mode,
                                  bool caseSensitive, const QString& value)
{
    const QString current = CaseText(field.AsString(), caseSensitive);
    if (mode == lmWholeValue && field.DataType() != TFieldType::ftBoolean) {
        if (!fromFirst && TextMatchesValue(current, value, lmWholeValue, caseSensitive)) return std::nullopt;
        if (!IsValidFieldSearchText(&field, value)) return false;
        return table.FindKey({value});
    }
    if (mode == lmStartOfValue && field.DataType() == TFieldType::ftString) {
        if (!fromFirst && TextMatchesValue(current, value, lmStartOfValue, caseSensitive)) return std::nullopt;
        // Later records sort after this one: none of them can begin with a
        // value that sorts before it.
        if (!fromFirst) {
            const int order = caseSensitive ? value.compare(current) : CompareTextNoCase(value, current);
            if (order < 0) return false;
        }
        table.FindNearest({value});
        return !table.IsEmpty() && !table.Eof() &&
               TextMatchesValue(CaseText(field.AsString(), caseSensitive), value, lmStartOfValue, caseSensitive);
    }
    return std::nullopt;
}

}  // namespace

bool TextMatchesValue(const QString& fieldText, const QString& value, int mode, bool caseSensitive)
{
    const QString text = CaseText(fieldText, caseSensitive);
    switch (mode) {
    case lmWholeValue: return text.size() == value.size() && text.startsWith(value);
    case lmStartOfValue: return text.startsWith(value);
    case lmAnywhere: return text.contains(value);
    default: return false;
    }
}

QString FieldBufferText(const TField& field, const QVariant& raw)
{
    if (raw.isNull()) return {};
    switch (field.DataType()) {
    case TFieldType::ftString:
    case TFieldType::ftMemo: return raw.toString();
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: return QString::number(raw.toLongLong());
    case TFieldType::ftBoolean: return raw.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return FloatToStr(raw.toDouble());
    case TFieldType::ftDate: return DateToStr(QDateToDateTime(raw.toDate()));
    case TFieldType::ftTime: return TimeToStr(QTimeToDateTime(raw.toTime()));
    case TFieldType::ftDateTime: return DateTimeToStr(QDateTimeToDateTime(raw.toDateTime()));
    default: return {};
    }
}

bool LocateFieldValue(TDataSet& dataSet, const QString& value, const QString& fieldName, int mode,
                      bool caseSensitive)
{
    const TField* field = dataSet.FindField(fieldName);
    if (!field) {
        FieldNotFound(fieldName);
        return false;
    }
    if (dataSet.IsEmpty()) return false;
    const QString text = field->AsString();
    if (caseSensitive ? text == value : text.toLower() == value.toLower()) return true;
    return FindFieldValueRecord(true, dataSet, fieldName, mode, caseSensitive, value);
}

bool FindFieldValueRecord(bool fromFirst, TDataSet& dataSet, const QString& fieldName, int mode, bool caseSensitive,
                          const QString& value)
{
    dataSet.CheckBrowseMode();
    const TField* field = dataSet.FindField(fieldName);
    if (!field) {
        FieldNotFound(fieldName);
        return false;
    }
    const QString wanted = CaseText(value, caseSensitive);
    if (auto* table = qobject_cast<TTable*>(&dataSet); table && UsesIndexPath(*table, *field, caseSensitive))
        if (const std::optional<bool> found = SearchOnIndex(fromFirst, *table, *field, mode, caseSensitive, wanted))
            return *found;
    return ScanForValue(fromFirst, dataSet, *field, TValueTest(*field, wanted, mode, caseSensitive));
}
