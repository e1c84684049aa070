#include "app/adm2_record_views.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "dataset/ww_data_source.h"
#include "grid/record_view_dialog.h"
#include "grid/record_view_form.h"
#include "platform/ui/db_navigator.h"

namespace {

// The labels and fields are written in the module's design font.
QFont DesignFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

TwwRecordViewDialog& RecordView(const char* name, TDataSource* source, std::initializer_list<const char*> selected)
{
    const QString objectName = QString::fromLatin1(name);
    if (auto* made = ADm2->findChild<TwwRecordViewDialog*>(objectName, Qt::FindDirectChildrenOnly)) return *made;
    auto* view = new TwwRecordViewDialog(ADm2);   // owned by the module
    view->SetName(objectName);
    view->SetDataSource(source);
    view->Font = DesignFont();
    view->LabelFont = DesignFont();
    for (const char* line : selected) view->Selected().Add(QString::fromLatin1(line));
    // The tables ask before a delete; the navigator's own question would be one too many.
    view->OnInitDialog = [](TwwRecordViewForm& form) {
        if (form.Navigator) form.Navigator->SetConfirmDelete(false);
    };
    return *view;
}

} // namespace

TwwRecordViewDialog& RVBanks()
{
    return RecordView("RVBanks", ADm1->DsBanks,
                      {"BankDesc\t25\tBank Name", "AccountNumber\t30\tAccount Number", "<New Line>",
                       "CurrencyCode\t11\tCurrency", "BankNotes\t75\tNotes"});
}

TwwRecordViewDialog& RvBankAccounts()
{
    return RecordView("RvBankAccounts", ADm1->DsBankAccounts,
                      {"CalcBankName\t23\tBank Name", "CalcCardName\t25\tCard Name", "AccountName\t50\tAccount Name",
                       "AccountNumber\t30\tAccount Number", "CardIssuedDate\t12\tIssued Date",
                       "CardExpiryDate\t11\tExpiry Date", "CardNotes\t10\tNotes"});
}
