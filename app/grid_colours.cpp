#include "app/grid_colours.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

TColor GridColorNormal = 0;
TColor GridColorPosted = 0;
TColor GridColorLoan = 0;
TColor GridColorRecurring = 0;
TColor GridColorDouble = 0;
TColor GridColorASort = 0;
TColor GridColorDSort = 0;
qint16 ReportColumnWidth = 0;
bool SortDescending = false;

namespace {

struct TColourSetting {
    const char* Field;
    TColor* Value;
    TColor Default;
};

const TColourSetting ColourSettings[] = {
    {"ColorNormal", &GridColorNormal, 0xFFFEFF},
    {"ColorPosted", &GridColorPosted, 0xA4ACFD},
    {"ColorLoan", &GridColorLoan, 0xFABC85},
    {"ColorRecurring", &GridColorRecurring, 0xFFFF80},
    {"ColorDouble", &GridColorDouble, 0xCFAFC5},
    {"ColorASort", &GridColorASort, 0xFFFF80},
    {"ColorDSort", &GridColorDSort, 0x80FFFF},
};

// The width of the transaction grids' money columns.
constexpr qint16 DefaultReportColumnWidth = 10;

bool IsNull(const TDataSet& row, const char* field)
{
    return row.FieldByName(QString::fromLatin1(field))->IsNull();
}

} // namespace

TColor DefaultGridColour(const QString& field)
{
    for (const TColourSetting& setting : ColourSettings)
        if (field.compare(QLatin1String(setting.Field), Qt::CaseInsensitive) == 0)
            return setting.Default;
    return clWindow;
}

void LoadGridColoursFrom(const TDataSet& config)
{
    for (const TColourSetting& setting : ColourSettings) {
        const TField* field = config.FieldByName(QString::fromLatin1(setting.Field));
        *setting.Value = field->IsNull() ? setting.Default : field->AsInteger();
    }
    const TField* width = config.FieldByName(QStringLiteral("GridSize1"));
    ReportColumnWidth = width->IsNull() ? DefaultReportColumnWidth : static_cast<qint16>(width->AsInteger());
}

std::optional<TColor> TransactionRowColour(const TDataSet& row, TDateTime closeDate)
{
    const TField* date = row.FieldByName(QStringLiteral("TransactionDate"));
    if (!date->IsNull() && date->AsDateTime() <= closeDate)
        return GridColorPosted;
    if (!row.FieldByName(QStringLiteral("External"))->AsBoolean())
        return GridColorNormal;
    if (!IsNull(row, "LoanCode"))
        return GridColorLoan;
    if (!IsNull(row, "RecurCode"))
        return GridColorRecurring;
    if (!IsNull(row, "DoubleCode"))
        return GridColorDouble;
    return std::nullopt;
}

QString SortIndexFor(std::span<const TSortIndex> sorts, const QString& field, bool descending)
{
    for (const TSortIndex& sort : sorts) {
        if (field.compare(QLatin1String(sort.Field), Qt::CaseInsensitive) != 0)
            continue;
        return QString::fromLatin1(descending && *sort.Descending ? sort.Descending : sort.Ascending);
    }
    return {};
}

std::optional<TColor> SortTitleColour(std::span<const TSortIndex> sorts, const QString& field,
                                      const QString& indexName)
{
    // The legend pairs the ascending colour with ascending order, and so do the titles.
    for (const TSortIndex& sort : sorts) {
        if (field.compare(QLatin1String(sort.Field), Qt::CaseInsensitive) != 0)
            continue;
        if (indexName.compare(QLatin1String(sort.Ascending), Qt::CaseInsensitive) == 0)
            return GridColorASort;
        if (*sort.Descending && indexName.compare(QLatin1String(sort.Descending), Qt::CaseInsensitive) == 0)
            return GridColorDSort;
    }
    return std::nullopt;
}
