#include "data/schedules.h"
#include "data/adm1.h"
#include "data/catalogue_datasets.h"
#include "data/header_rules.h"
#include "data/posted_period_guard.h"
#include "data/rule_queries.h"
#include "data/run_guards.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include "platform/rtl/transaction.h"

namespace {

const QString TransactionDate = QStringLiteral("TransactionDate");

TwwTable& Table(const TADm1& dm, const char* component) {
    TwwTable* table = dm.TableByName(QString::fromLatin1(component));
    if (!table)
        throw EInvalidOperation(QStringLiteral("No table %1 in the data module").arg(QString::fromLatin1(component)));
    return *table;
}

// A second dataset on a transaction table for a run's new rows. It carries the
// table's own events (codes, required items, the closed period, the summaries
// mark) and fields, but shows no row: a post re-reads the dataset's view, and
// the table's own view may hold many thousands of an account's rows.
class TRunWriter {
public:
    TRunWriter(TADm1& dm, const TwwTable& table) {
        const TCatalogueTable* entry = FindCatalogueComponent(table.Name());
        if (!entry || !*entry->PrimaryKey)
            throw EInvalidOperation(QStringLiteral("No keyed catalogue entry for %1").arg(table.Name()));
        writer_.SetName(table.Name());
        writer_.SetDatabaseName(table.DatabaseName());
        writer_.SetTableName(QString::fromLatin1(entry->FileName));
        const TComponentFinder find = [&dm](const QString& name) { return dm.FindComponent(name); };
        for (const TCatalogueField& field : entry->Fields) {
            TField* own = CreateCatalogueField(writer_, field, find);
            const TField* shown = table.FieldByName(QString::fromLatin1(field.Name));
            own->OnChange = shown->OnChange;
            own->OnValidate = shown->OnValidate;
        }
        writer_.OnNewRecord = table.OnNewRecord;
        writer_.BeforeInsert = table.BeforeInsert;
        writer_.BeforePost = table.BeforePost;
        writer_.AfterPost = table.AfterPost;
        writer_.OnPostError = table.OnPostError;
        // No row has an empty key: the view stays empty whatever is written.
        writer_.SetIndexFieldNames(QString::fromLatin1(entry->PrimaryKey));
        writer_.Open();
        writer_.SetRange({QString()}, {QString()});
    }

    TwwTable& Table() { return writer_; }

private:
    TwwTable writer_;
};

}  // namespace

void CreateSchedule(TADm1& dm, const THeaderTable& table, TQuery& query, const std::vector<TDateTime>& dates,
                    double amount) {
    // The new lines are checked before the old ones go: a refused run keeps them.
    for (const TDateTime date : dates)
        if (!IsAfterCloseDate(date, dm.CurrentCloseDate))
            Abort();

    TwwTable& header = Table(dm, table.HeaderComponent);
    TwwTable& lines = Table(dm, table.LineComponent);
    const QString codeField = QString::fromLatin1(table.CodeField);
    const QVariant code = header.FieldByName(codeField)->Value();
    const QString amountField = QString::fromLatin1(table.LineAmountField);
    const THourglass hourglass;
    lines.DisableControls();
    try {
        RunAllOrNothing(dm, {&lines, &header, dm.TblConfig}, [&] {
            ExecuteStatement(query,
                             {QStringLiteral("Delete from ") + QString::fromLatin1(table.LineTable),
                              QStringLiteral("where %1 = :Code").arg(codeField)},
                             {{QStringLiteral("Code"), code}});
            lines.Refresh();
            for (const TDateTime date : dates) {
                lines.Insert();
                lines.FieldByName(TransactionDate)->SetAsDateTime(date);
                lines.FieldByName(amountField)->SetAsFloat(amount);
                lines.Post();
            }
            // Without a new line no post has summed them: the total still
            // names the lines just removed.
            RecomputeHeaderTotal(dm, table, query);
        });
    } catch (...) {
        lines.EnableControls();
        throw;
    }
    lines.First();
    lines.EnableControls();
}

int TransferSchedule(TADm1& dm, const THeaderTable& table, TQuery& query, const TTransferTarget& target) {
    TwwTable& header = Table(dm, table.HeaderComponent);
    TwwTable& lines = Table(dm, table.LineComponent);
    TwwTable& shown = Table(dm, target.Component);
    const QString codeField = QString::fromLatin1(table.CodeField);
    const QVariant code = header.FieldByName(codeField)->Value();
    const TDateTime closeDate = dm.CurrentCloseDate;

    const THourglass hourglass;
    const TRowKept kept(lines);
    TRunWriter writer(dm, shown);
    TwwTable& rows = writer.Table();
    int written = 0;
    RunAllOrNothing(dm, {&rows, dm.TblConfig}, [&] {
        QStringList statement{QStringLiteral("Delete from ") + QString::fromLatin1(target.Table),
                          QStringLiteral("where TransactionDate > :CloseDate and %1 = :Code").arg(codeField)};
        TRuleParams params{{QStringLiteral("CloseDate"), DateTimeToQDate(closeDate)}, {QStringLiteral("Code"), code}};
        if (!target.AccountField.isEmpty()) {
            statement << QStringLiteral("and %1 = :Account").arg(target.AccountField);
            params.emplace_back(QStringLiteral("Account"), target.Account);
        }
        ExecuteStatement(query, statement, params);
        for (lines.First(); !lines.Eof(); lines.Next()) {
            const TDateTime date = lines.FieldByName(TransactionDate)->AsDateTime();
            if (date <= closeDate)
                continue;
            rows.Insert();
            rows.FieldByName(TransactionDate)->SetAsDateTime(date);
            rows.FieldByName(codeField)->SetValue(code);
            rows.FieldByName(QStringLiteral("External"))->SetAsBoolean(true);
            target.Fill(rows, lines);
            rows.Post();
            ++written;
        }
    });
    // The table's own view shows the rows as they now stand.
    if (shown.Active())
        shown.Refresh();
    return written;
}
