// Bad texts typed and pasted into the loans dialog: its description edit, its
// masked start-date edit, its amount edit and its list's description cell. A
// text is either refused with a box, leaving the stored loan as it was, or
// stored exactly as typing it would enter it; pasting enters what typing does.
#include "app/loans_form.h"
#include "tests/app/schedule_dialog_fixture.h"
#include <QClipboard>
#include <optional>

namespace {

enum class TControl { DetailsEdit, StartDateEdit, AmountEdit, DetailsCell };
enum class TEntry { Typed, Pasted };

struct TBadText {
    const char* name;
    TControl control;
    QString text;
    // What the field holds afterwards as the database gives it back; none: a box refuses the text.
    std::optional<QString> stored;
};

QString Repeated(QChar ch, int times) { return QString(times, ch); }

const QChar Nul(0), Esc(27), Cr(13), Lf(10), Tab(9), HighHalf(0xD800), LowHalf(0xDC00);

const TBadText BadTexts[] = {
    {"long text", TControl::DetailsEdit, Repeated(u'A', 60), Repeated(u'A', 50)},
    {"long text", TControl::DetailsCell, Repeated(u'B', 60), Repeated(u'B', 50)},
    {"control characters", TControl::DetailsEdit, QStringLiteral("a") + Nul + u'b' + Esc + u'c' + Cr + u'd' + Lf + u'e' + Tab + u'f',
     QStringLiteral("abcdef")},
    {"control characters", TControl::DetailsCell, QStringLiteral("g") + Cr + Lf + u'h' + Nul + u'i', QStringLiteral("ghi")},
    {"control characters", TControl::StartDateEdit, QStringLiteral("04/1") + Cr + QStringLiteral("5/20") + Nul + QStringLiteral("26"), QStringLiteral("2026-04-15")},
    {"control characters", TControl::AmountEdit, QStringLiteral("12") + Lf + u'5', QStringLiteral("125")},
    {"lone surrogates", TControl::DetailsEdit, QStringLiteral("x") + HighHalf + u'y' + LowHalf + u'z', QStringLiteral("xyz")},
    {"lone surrogates", TControl::DetailsCell, QStringLiteral("p") + LowHalf + u'q', QStringLiteral("pq")},
    {"lone surrogates", TControl::StartDateEdit, QStringLiteral("05/") + HighHalf + QStringLiteral("01/2026"), QStringLiteral("2026-05-01")},
    {"lone surrogates", TControl::AmountEdit, QStringLiteral("3") + HighHalf + QStringLiteral("40"), QStringLiteral("340")},
    {"huge amount", TControl::AmountEdit, QStringLiteral("1e300"), std::nullopt},
    {"huge amount", TControl::AmountEdit, QStringLiteral("1e400"), std::nullopt},
    {"huge amount", TControl::AmountEdit, QStringLiteral("-1e400"), std::nullopt},
    {"tiny amount", TControl::AmountEdit, QStringLiteral("1e-400"), std::nullopt},
    {"impossible date", TControl::StartDateEdit, QStringLiteral("02/30/2026"), std::nullopt},
    {"impossible date", TControl::StartDateEdit, QStringLiteral("13/01/2026"), std::nullopt},
};

const char* FieldOf(TControl control)
{
    switch (control) {
    case TControl::StartDateEdit: return "StartDate";
    case TControl::AmountEdit: return "LoanAmount";
    case TControl::DetailsEdit:
    case TControl::DetailsCell: break;
    }
    return "LoanDetails";
}

class BadInputTest : public ScheduleDialogTest {
protected:
    TFrmLoans& Loans() { return static_cast<TFrmLoans&>(*dialog); }

    void SetUp() override
    {
        ScheduleDialogTest::SetUp();
        ShowDialog(new TFrmLoans);
        TypeHeader(QStringLiteral("Car Loan"), QStringLiteral("03/15/2026"), 3, Loans().DBEdit5, 1000);
        SetHeader("BankAccountCode", QStringLiteral("0000000002"));
        SetHeader("BankItemCode", QStringLiteral("003"));
        PostHeader();
    }

    // Each character as a key gives it: printable ones with their key, others
    // with no key of their own, as an input method or a key-typing tool sends them.
    static void TypeText(const QString& text)
    {
        for (const QChar ch : text) {
            if (ch.isPrint())
                QTest::keyClicks(QApplication::focusWidget(), QString(ch));
            else
                QTest::sendKeyEvent(QTest::KeyAction::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                                    Qt::NoModifier);
        }
    }

    static void PasteText(const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    }

    // Enters the text over the control's value and leaves it.
    void Enter(TControl control, TEntry entry, const QString& text)
    {
        if (control == TControl::DetailsCell) {
            TwwDBGrid* grid = dialog->wwDBGrid1;
            grid->setFocus();
            grid->SetCol(1);
            if (entry == TEntry::Pasted) {
                QTest::keyClick(grid, Qt::Key_F2);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            }
        } else {
            TDBEdit* edit = control == TControl::DetailsEdit   ? dialog->DBEdit1
                            : control == TControl::StartDateEdit ? dialog->DBEdit3
                                                                 : Loans().DBEdit5;
            edit->setFocus();
            QApplication::processEvents();
            edit->selectAll();
        }
        entry == TEntry::Typed ? TypeText(text) : PasteText(text);
        QTest::keyClick(QApplication::focusWidget(), control == TControl::DetailsCell ? Qt::Key_Return : Qt::Key_Tab);
        QApplication::processEvents();
    }

    QStringList StoredLoan()
    {
        return Rows(QStringLiteral("select LoanCode, hex(LoanDetails), StartDate, LoanAmount, BankAccountCode from TrnLon1a"));
    }
};

TEST_F(BadInputTest, EachBadTextTypedOrPastedIsRefusedWithABoxOrStoredAsTyped)
{
    const QStringList original = StoredLoan();
    ASSERT_EQ(original.size(), 1);
    for (const TBadText& bad : BadTexts) {
        for (const TEntry entry : {TEntry::Typed, TEntry::Pasted}) {
            SCOPED_TRACE(testing::Message() << bad.name << " in " << FieldOf(bad.control)
                                            << (entry == TEntry::Typed ? ", typed" : ", pasted"));
            TField* field = Header().FieldByName(QString::fromLatin1(FieldOf(bad.control)));
            const QVariant before = field->Value();
            presenter.errors.clear();
            presenter.shown.clear();

            Click(dialog->DBNavigator2, nbEdit);
            ASSERT_EQ(Header().State(), dsEdit);
            Enter(bad.control, entry, bad.text);
            Click(dialog->DBNavigator2, nbPost);

            if (bad.stored) {
                EXPECT_TRUE(presenter.errors.empty()) << presenter.errors.front().toStdString();
                EXPECT_EQ(Header().State(), dsBrowse);
                const QString column = QString::fromLatin1(FieldOf(bad.control));
                EXPECT_EQ(Rows(QStringLiteral("select %1 from TrnLon1a").arg(column)).value(0), *bad.stored);
            } else {
                EXPECT_FALSE(presenter.errors.empty() && presenter.shown.empty()) << "no box";
            }
            if (Header().State() != dsBrowse)
                Header().Cancel();
            if (!bad.stored) {
                EXPECT_EQ(StoredLoan(), original);
            }
            // Back to the loan as it was for the next text.
            Header().Edit();
            field->SetValue(before);
            Header().Post();
            ASSERT_EQ(StoredLoan(), original);
        }
    }
}

} // namespace
