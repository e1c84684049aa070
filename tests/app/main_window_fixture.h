#pragma once
// The main window on a small accounts database of its own: two banks with an
// account each, bank, communication, income and expense items, and
// transactions of every kind (ordinary, posted, made by a loan and by a
// recurring process). The three data modules and the window are made as the
// program makes them; message boxes go to the scripted presenter. Setting
// QUELT_SCREENSHOTS to a folder saves pictures of the window there.
#include "app/main_menu.h"
#include "tests/ui/save_screenshot.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/ww_db_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"
#include "platform/ui/buttons.h"
#include "platform/ui/page_controls.h"
#include "platform/rtl/datetime.h"
#include "tests/support/qt_print.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/test_application.h"
#include "widgets/ra_status_bar.h"
#include <QDate>
#include <QDir>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <utility>

class MainWindowTest : public ::testing::Test {
protected:
    using TValues = std::initializer_list<std::pair<const char*, QVariant>>;

    // The day the tests run on: Monday 16 March 2026.
    static TDateTime Today() { return EncodeDate(2026, 3, 16); }

    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override
    {
        Session().AddStandardAlias(QStringLiteral("VrAccounts"), dir.Path());
        SetClock([] { return Today() + 0.5; });
        // A first start deploys the tables; the rows go in before the program starts.
        {
            TADm1 deploy(nullptr);
            FillAccounts(deploy.DataQuelt->EngineDatabase());
            AddRows(deploy.DataQuelt->EngineDatabase());
        }
        adm1 = std::make_unique<TADm1>(nullptr);
        adm2 = std::make_unique<TADm2>(nullptr);
        adm3 = std::make_unique<TADm3>(nullptr);
        CloseThrough(EncodeDate(2026, 1, 31));
        window = std::make_unique<TFrmMainMenu>();
    }

    void TearDown() override
    {
        window.reset();
        adm3.reset();
        adm2.reset();
        adm1.reset();
        SetClock({});
    }

    // Rows a derived test adds to the book before the program starts.
    virtual void AddRows(TEngineDatabase&) {}

    static void Put(TEngineDatabase& db, const QString& table, TValues values)
    {
        const TTableDesc desc = db.DescribeTable(table);
        TRecordValues row(desc.Columns.size());
        for (const auto& [name, value] : values)
            row[desc.ColumnIndex(QString::fromLatin1(name))] = value;
        db.InsertRow(table, row);
    }

    static void FillAccounts(TEngineDatabase& db)
    {
        Put(db, "Pbanks", {{"BankCode", "0000000001"}, {"BankDesc", "First Bank"}});
        Put(db, "Pbanks", {{"BankCode", "0000000002"}, {"BankDesc", "Harbour Bank"}});
        Put(db, "PCCards", {{"CardCode", "0000000001"}, {"CardName", "Current Account"}, {"CardType", "1"}});
        Put(db, "BankAcnt", {{"BankAccountCode", "0000000001"}, {"BankCode", "0000000001"},
                             {"CardCode", "0000000001"}, {"AccountName", "Household"},
                             {"AccountNumber", "111-222"}});
        Put(db, "BankAcnt", {{"BankAccountCode", "0000000002"}, {"BankCode", "0000000002"},
                             {"CardCode", "0000000001"}, {"AccountName", "Savings"},
                             {"AccountNumber", "333-444"}});
        for (const auto& [code, text] : {std::pair{"001", "Salary"}, {"002", "Groceries"}, {"003", "Loan Repayment"}})
            Put(db, "BankItm", {{"BankItemCode", code}, {"BankItemDesc", text}});
        Put(db, "PTelcom", {{"TelcomCode", "001"}, {"TelcomDesc", "Home Phone"}});
        Put(db, "PTelItm", {{"TelItemCode", "001"}, {"TelItemDesc", "Line Rental"}});
        Put(db, "PIncome", {{"IncomeCode", "00001"}, {"IncomeDescription", "Wages"}});
        Put(db, "PExpense", {{"ExpenseCode", "00001"}, {"ExpenseDescription", "Electricity"}});

        // Household: a posted row, two open rows and one a loan made.
        BankRow(db, "0000000001", "0000000001", QDate(2026, 1, 20), "001", 0, 2500);
        BankRow(db, "0000000001", "0000000002", QDate(2026, 2, 3), "002", 84.5, 0);
        BankRow(db, "0000000001", "0000000003", QDate(2026, 2, 14), "003", 310, 0, "LoanCode", "0000000001");
        BankRow(db, "0000000001", "0000000004", QDate(2026, 3, 2), "002", 42.25, 0);
        // Savings: two rows of its own.
        BankRow(db, "0000000002", "0000000001", QDate(2026, 2, 1), "001", 0, 1000);
        BankRow(db, "0000000002", "0000000002", QDate(2026, 2, 27), "002", 12, 0);

        Put(db, "TrnTel1a", {{"TelcomCode", "001"}, {"TelComSerialNum", "0000000001"}, {"TelItemCode", "001"},
                             {"TransactionDate", QDate(2026, 2, 10)}, {"Amount", 29.99}, {"External", false}});
        Put(db, "TrnInc1a", {{"IncomeCode", "00001"}, {"IncomeTranSerialNum", "0000000001"},
                             {"TransactionDate", QDate(2026, 2, 28)}, {"IncomeAmount", 2500.0}, {"External", false}});
        Put(db, "TrnInc1a", {{"IncomeCode", "00001"}, {"IncomeTranSerialNum", "0000000002"},
                             {"TransactionDate", QDate(2026, 3, 1)}, {"IncomeAmount", 150.0}, {"External", true},
                             {"RecurCode", "0000000001"}});
        Put(db, "TrnExp1a", {{"ExpenseCode", "00001"}, {"ExpenseTranSerialNum", "0000000001"},
                             {"TransactionDate", QDate(2026, 2, 18)}, {"ExpenseAmount", 96.4}, {"External", false}});
    }

    static void BankRow(TEngineDatabase& db, const char* account, const char* serial, const QDate& date,
                        const char* item, double debit, double credit, const char* codeField = nullptr,
                        const char* code = nullptr)
    {
        const TTableDesc desc = db.DescribeTable(QStringLiteral("TrnBnk1a"));
        TRecordValues row(desc.Columns.size());
        const auto set = [&](const char* name, const QVariant& value) {
            row[desc.ColumnIndex(QString::fromLatin1(name))] = value;
        };
        set("BankAccountCode", account);
        set("BankTranSerialNum", serial);
        set("TransactionDate", date);
        set("BankItemCode", item);
        set("DebitAmount", debit);
        set("CreditAmount", credit);
        set("External", codeField != nullptr);
        if (codeField)
            set(codeField, code);
        db.InsertRow(QStringLiteral("TrnBnk1a"), row);
    }

    // Closes the period up to closeDate, as the close-period window leaves it.
    void CloseThrough(TDateTime closeDate)
    {
        adm1->TblConfig->Edit();
        adm1->TblConfig->FieldByName(QStringLiteral("CloseDate"))->SetAsDateTime(closeDate);
        adm1->TblConfig->Post();
        adm1->CurrentCloseDate = closeDate;
    }

    void ShowWindow()
    {
        window->Show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::processEvents();
    }

    // The window manager's part when a modal window has gone: the main window is active again.
    void Reactivate()
    {
        QApplication::processEvents();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    // Picks an account by typing its name into the picker and pressing the go button.
    void ChooseAccount(TwwDBLookupCombo* picker, QWidget* go, const QString& name)
    {
        picker->setFocus();
        picker->selectAll();
        QTest::keyClicks(picker, name);
        picker->PerformSearch();
        QTest::keyClick(picker, Qt::Key_Return);
        QTest::mouseClick(go, Qt::LeftButton);
        // The drop-down was a window of its own: the main window is active again.
        Reactivate();
    }

    void ChooseBankAccount(const QString& name)
    {
        ChooseAccount(window->wwDbLupEditBankAccount, window->SpeedButton4, name);
    }

    // On its own page, which stays in front.
    void ChooseComAccount(const QString& name)
    {
        ClickTab(window->PageControl2, 1);
        ChooseAccount(window->wwDbLupEditComAccount, window->SpeedButton1, name);
    }

    // Clicks the cell as the mouse does: on the editor or control that lies over it, if any.
    void ClickCell(TwwDBGrid* grid, int col, int row)
    {
        const QPoint centre = grid->CellRect(col, row).center();
        QWidget* target = grid->viewport()->childAt(centre);
        if (!target) target = grid->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid->viewport(), centre));
        QApplication::processEvents();
    }

    static void ClickTab(TPageControl* pages, int index)
    {
        QTest::mouseClick(pages->TabBar(), Qt::LeftButton, {}, pages->TabBar()->tabRect(index).center());
        QApplication::processEvents();
    }

    // Opens a modal dialog with Ctrl+key, as the user does, and works in it
    // through drive once it is up; a dialog that drive left open is closed.
    template <class TDialog>
    void InDialog(Qt::Key key, TDialog*& instance, const std::function<void(TDialog&)>& drive)
    {
        bool driven = false;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!instance || !instance->isVisible())
                return;
            watch.stop();
            driven = true;
            drive(*instance);
            if (instance->isVisible())
                instance->Close();
        });
        watch.start();
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        watch.stop();
        Reactivate();
        EXPECT_TRUE(driven);
    }

    // Rows of a query as lines of their values, read from the database itself.
    QStringList Rows(const QString& sql, QChar separator = QLatin1Char(' '))
    {
        QStringList rows;
        const std::unique_ptr<TResultSet> result = adm1->DataQuelt->EngineDatabase().Query(sql);
        while (result->Next()) {
            QStringList values;
            for (int column = 0; column < result->ColumnCount(); ++column)
                values << result->Value(column).toString();
            rows << values.join(separator);
        }
        return rows;
    }

    QImage GrabGrid(TwwDBGrid* grid)
    {
        QApplication::processEvents();
        return grid->viewport()->grab().toImage();
    }

    // The colour that fills most of a cell: its background, whatever its text.
    static QColor CellColour(const QImage& image, TwwDBGrid* grid, int col, int row)
    {
        const QRect cell = grid->CellRect(col, row).adjusted(2, 2, -2, -2);
        std::map<QRgb, int> counts;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                ++counts[image.pixel(x, y)];
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most == counts.end() ? QColor() : QColor::fromRgb(most->first);
    }

    void SaveScreenshot(const QString& name)
    {
        ::SaveScreenshot(*window, name);
    }

    QString Status(int panel) const { return window->StatusBar1->Panel(panel).Text; }

    TestDir dir;
    ScopedFormatSettings settings;
    ScriptedPresenter presenter;
    std::unique_ptr<TADm1> adm1;
    std::unique_ptr<TADm2> adm2;
    std::unique_ptr<TADm3> adm3;
    std::unique_ptr<TFrmMainMenu> window;
};
