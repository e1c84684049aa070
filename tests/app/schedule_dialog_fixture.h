#pragma once
// The loans and recurring dialogs on the main window's small database: a
// dialog is made as its launcher makes it and shown, and a header is typed
// into its edits. Setting QUELT_SCREENSHOTS to a folder saves pictures.
#include "app/schedule_form.h"
#include "tests/ui/save_screenshot.h"
#include "tests/app/main_window_fixture.h"
#include "platform/ui/db_controls.h"
#include "platform/db/query.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/screen.h"
#include "platform/ui/standard_controls.h"
#include <QRadioButton>

class ScheduleDialogTest : public MainWindowTest {
protected:
    void ShowDialog(TScheduleForm* form)
    {
        dialog.reset(form);
        dialog->Show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        QApplication::processEvents();
    }

    void TearDown() override
    {
        dialog.reset();
        MainWindowTest::TearDown();
    }

    static void Click(QWidget* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    static void Click(TDBNavigator* navigator, TNavigateBtn button) { Click(navigator->Button(button)); }

    // On the button's circle: a radio button takes clicks on its circle and caption only.
    static void ClickRadio(TRadioGroup* group, int index)
    {
        QWidget* button = group->Button(index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        QApplication::processEvents();
    }

    // Types text over the edit's value and leaves it, which writes the field.
    static void Type(TDBEdit* edit, const QString& text)
    {
        edit->setFocus();
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }

    // A new header typed into the dialog: details, start date (mm/dd/yyyy),
    // months and the amount edit the dialog has; then posted.
    void TypeHeader(const QString& details, const QString& start, int months, TDBEdit* amount, double value)
    {
        Click(dialog->DBNavigator2, nbInsert);
        ASSERT_EQ(Header().State(), dsInsert) << (presenter.errors.empty() ? presenter.LastText() : presenter.errors.back()).toStdString();
        Type(dialog->DBEdit1, details);
        Type(dialog->DBEdit3, start);
        Type(dialog->DBEdit9, QString::number(months));
        Type(amount, QString::number(value));
    }

    void PostHeader()
    {
        Click(dialog->DBNavigator2, nbPost);
        ASSERT_EQ(Header().State(), dsBrowse) << presenter.LastText().toStdString();
    }

    void SetHeader(const char* field, const QString& value)
    {
        if (Header().State() == dsBrowse)
            Header().Edit();
        Header().FieldByName(QString::fromLatin1(field))->SetAsString(value);
    }

    // Creates the schedule with the answers Yes and then fromStartMonth.
    void CreateSchedule(bool fromStartMonth)
    {
        presenter.Answer(mrYes);
        presenter.Answer(fromStartMonth ? mrYes : mrNo);
        Click(dialog->BtnRePayment);
    }

    void Approve()
    {
        presenter.Answer(mrYes);
        presenter.Answer(mrYes);
        Click(dialog->BtnApprove);
    }

    void Transfer()
    {
        dialog->PageControl1->SetActivePage(dialog->ScheduleSheet);
        Click(dialog->BtnTransfer);
    }

    TDataSet& Header() { return *dialog->wwDBGrid1->DataSet(); }
    TDataSet& Lines() { return *dialog->wwDBGrid2->DataSet(); }

    QString LineText(const char* field) { return Lines().FieldByName(QString::fromLatin1(field))->AsString(); }

    // One column of the header's lines, in their order.
    QStringList LineColumn(const char* field)
    {
        QStringList values;
        for (Lines().First(); !Lines().Eof(); Lines().Next())
            values << LineText(field);
        Lines().First();
        return values;
    }

    void SaveDialog(const QString& name)
    {
        ::SaveScreenshot(*dialog, name);
    }

    std::unique_ptr<TScheduleForm> dialog;
};
