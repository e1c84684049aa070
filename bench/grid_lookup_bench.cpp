// The lookup combo over a 100,000-row reference table: one keystroke of an
// incremental search in the open drop-down (the key, the search the timer
// runs, the list repainted), dropping the list down on a record's code, and
// showing the next record's item after the user has typed.
#include "bench/support/application.h"
#include "bench/support/generate.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/popup_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kRecords = 1000;

QString CodeOf(int row)
{
    return QStringLiteral("%1").arg(row, 6, 10, QLatin1Char('0'));
}

// The reference table and a transactions table that uses its codes, made
// once per process in a temporary directory.
class TLookupData {
public:
    TLookupData()
    {
        BenchApplicationOf();
        Session().AddStandardAlias(QStringLiteral("LookupBench"), dir_.path());
        database_.SetAliasName(QStringLiteral("LookupBench"));
        database_.SetDatabaseName(QStringLiteral("LookupBench"));
        database_.Open();
        TEngineDatabase& engine = database_.EngineDatabase();
        TTableDesc items;
        items.Name = QStringLiteral("BankItm");
        items.Columns = {{QStringLiteral("BankItemDesc"), TFieldType::ftString, 50},
                         {QStringLiteral("BankItemCode"), TFieldType::ftString, 6}};
        items.Indexes = {{QString(), {QStringLiteral("BankItemCode")}, true, true},
                         {QStringLiteral("ByDesc"), {QStringLiteral("BankItemDesc")}, false, false, true}};
        engine.CreateTable(items);
        TTableDesc trans;
        trans.Name = QStringLiteral("TrnBank");
        trans.Columns = {{QStringLiteral("TranCode"), TFieldType::ftString, 10},
                         {QStringLiteral("BankItemCode"), TFieldType::ftString, 6}};
        trans.Indexes = {{QString(), {QStringLiteral("TranCode")}, true, true}};
        engine.CreateTable(trans);
        RunInTransaction(engine, [&] {
            for (int row = 0; row < kRows; ++row)
                engine.InsertRow(items.Name, {PseudoWord(row) + QStringLiteral(" item"), CodeOf(row)});
            for (int record = 0; record < kRecords; ++record)
                engine.InsertRow(trans.Name, {QStringLiteral("%1").arg(record, 10, 10, QLatin1Char('0')),
                                              CodeOf(record * 97 % kRows)});
        });
    }

private:
    QTemporaryDir dir_;
    TDatabase database_;
};

TLookupData& Data()
{
    static TLookupData data;
    return data;
}

// A list-style combo that drops down while typing, as the windows place it.
struct TComboOnForm {
    TComboOnForm()
    {
        for (auto* table : {&items, &trans}) table->SetDatabaseName(QStringLiteral("LookupBench"));
        items.SetTableName(QStringLiteral("BankItm"));
        trans.SetTableName(QStringLiteral("TrnBank"));
        items.Open();
        trans.Open();
        source.SetDataSet(&trans);
        window.resize(400, 300);
        combo = new TwwDBLookupCombo(&window);
        combo->setGeometry(10, 10, 240, 25);
        combo->SetStyle(csDropDownList);
        combo->SetAutoDropDown(true);
        combo->SetLookupTable(&items);
        combo->SetLookupField(QStringLiteral("BankItemCode"));
        TStringList selected;
        selected.Add(QStringLiteral("BankItemDesc\t30\tItem Desc"));
        combo->SetSelected(&selected);
        combo->SetDataSource(&source);
        combo->SetDataField(QStringLiteral("BankItemCode"));
        window.show();
        QApplication::setActiveWindow(&window);
        combo->setFocus();
        QCoreApplication::processEvents();
    }

    void Key(int key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(combo, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(combo, &release);
    }

    TLookupData& data = Data();   // first: the application and the tables
    TwwTable items, trans;
    TwwDataSource source;
    QWidget window;
    TwwDBLookupCombo* combo = nullptr;   // owned by the window
};

void BM_LookupSearchKeystroke(benchmark::State& state)
{
    TComboOnForm form;
    // The first key opens the list; the later ones are gathered by the timer.
    form.Key(Qt::Key_A, QStringLiteral("a"));
    if (!form.combo->IsDroppedDown()) state.SkipWithError("the list did not drop down");
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = (row + 7919) % kRows;
        const QString typed = PseudoWord(row).left(3);
        form.combo->SetText(typed.left(2));
        form.combo->SetSelStart(2);
        state.ResumeTiming();
        form.Key(Qt::Key_A + (typed[2].unicode() - u'a'), typed.right(1));
        form.combo->PerformSearch();   // what the timer runs
        benchmark::DoNotOptimize(form.combo->Grid()->grab());
        if (!form.combo->Found()) state.SkipWithError("a typed prefix was not found");
    }
    state.counters["limit_us"] = 2000;
}
BENCHMARK(BM_LookupSearchKeystroke)->Unit(benchmark::kMicrosecond);

void BM_LookupDropDown(benchmark::State& state)
{
    TComboOnForm form;
    for (auto _ : state) {
        state.PauseTiming();
        form.combo->CloseUp(false);
        form.trans.Next();
        if (form.trans.Eof()) form.trans.First();
        state.ResumeTiming();
        form.combo->DropDown();
        // Painted as the screen would show it (an offscreen window is never exposed).
        benchmark::DoNotOptimize(form.combo->Grid()->grab());
        if (!form.combo->IsDroppedDown() || form.combo->Grid()->ChosenRow() < 0)
            state.SkipWithError("the list did not show the record's item");
    }
    state.counters["limit_us"] = 20000;
}
BENCHMARK(BM_LookupDropDown)->Unit(benchmark::kMicrosecond);

// Moving to another record after the user typed into the combo: the table is
// in the order of the shown field, and the record's code must still be found
// by a key, not by reading the rows before it.
void BM_LookupRecordChangeAfterTyping(benchmark::State& state)
{
    TComboOnForm form;
    form.Key(Qt::Key_A, QStringLiteral("a"));
    form.Key(Qt::Key_Return, QString());
    form.trans.Post();
    for (auto _ : state) {
        form.trans.Next();
        if (form.trans.Eof()) form.trans.First();
        if (form.combo->Text().isEmpty()) state.SkipWithError("the record's item was not shown");
    }
    state.counters["limit_us"] = 2000;
}
BENCHMARK(BM_LookupRecordChangeAfterTyping)->Unit(benchmark::kMicrosecond);

}  // namespace
