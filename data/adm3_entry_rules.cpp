#include "data/adm3_entry_rules.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/message_helpers.h"
#include "data/posted_period_guard.h"
#include "data/rule_queries.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/presenter.h"

namespace {

const QString TransactionDate = QStringLiteral("TransactionDate");
constexpr char ApprovedMessage[] = "Approved Multiple Entry Headers Cannot be Modified";

const TField* Field(const TDataSet& dataSet, const char* name) {
    return dataSet.FieldByName(QString::fromLatin1(name));
}

[[noreturn]] void Refuse(const char* message) {
    ShowErrorMessage(QString::fromLatin1(message));
    Abort();
}

void Ask(const QString& question) {
    if (MessageDlg(question, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
}

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// A header whose detail table still holds rows of its code cannot go: the
// plain error box, then the silent abort.
void RefuseWhenDetailsExist(TQuery& query, const char* detailTable, const char* codeField, const QVariant& code,
                            const char* message) {
    const qint64 details = QueryCount(query,
                                      {QStringLiteral("select Count(*) from ") + QString::fromLatin1(detailTable),
                                       QStringLiteral("where %1 = :Code").arg(QString::fromLatin1(codeField))},
                                      {{QStringLiteral("Code"), code}});
    if (details > 0) {
        MessageDlg(QString::fromLatin1(message), TMsgDlgType::mtError, mbOK, 0);
        Abort();
    }
}

}  // namespace

void TblAsset1aBeforeDelete(TADm3& dm, TDataSet& dataSet) {
    RefuseWhenDetailsExist(*dm.QryRT, "TRNAST1B", "ASSETCODE", Field(dataSet, "AssetCode")->Value(),
                           "This Asset Cannot be deleted since details exists");
    Ask(QStringLiteral("Delete Asset ") + Quoted(Field(dataSet, "AssetDesc")->AsString()) +
        QStringLiteral(", Are You Sure ?"));
}

void TblAsset1aBeforePost(TDataSet& dataSet) {
    if (Field(dataSet, "AssetDesc")->IsNull())
        Refuse("Asset Description has to be entered");
}

void TblAsset1bBeforeDelete(TDataSet& dataSet) {
    Ask(QStringLiteral(" ") + Quoted(Field(dataSet, "AssetTranSerialNum")->AsString()) +
        QStringLiteral(", Are You Sure ?"));
}

void TblAsset1bBeforePost(TDataSet& dataSet) {
    if (Field(dataSet, "AssetAmount")->AsFloat() == 0)
        Refuse("Asset Amount has to be entered");
}

void TblDbl1aBeforeEdit(TDataSet& dataSet) {
    if (Field(dataSet, "Approved")->AsBoolean())
        Refuse(ApprovedMessage);
}

void TblDbl1aBeforeDelete(TADm3& dm, TDataSet& dataSet) {
    TblDbl1aBeforeEdit(dataSet);
    const QVariant code = Field(dataSet, "DoubleCode")->Value();
    RefuseWhenDetailsExist(*dm.QryRT, "TRNDBL1B", "DOUBLECODE", code, "Cannot delete since Details Exists");
    RefuseWhenDetailsExist(*dm.QryRT, "TRNDBL1C", "DOUBLECODE", code, "Cannot delete since Details Exists");
    Ask(QStringLiteral("Delete Multiple Entry Record ") + Quoted(Field(dataSet, "DoubleDetails")->AsString()) +
        QStringLiteral(", Are You Sure ?"));
}

void TblDbl1aBeforePost(TDataSet& dataSet) {
    if (Field(dataSet, "DoubleDetails")->IsNull())
        Refuse("Multiple Entry Details has to be entered");
}

bool HeaderNotApproved(const TADm3& dm) {
    return !Field(*dm.TblDbl1a, "Approved")->AsBoolean();
}

void TblDbl1bApprovalLock(const TADm3& dm) {
    // The dialog disables the line editor of an approved entry; this lock
    // holds for every other way in, without a word.
    if (!HeaderNotApproved(dm))
        Abort();
}

void TblDbl1bBeforePost(const TADm3& dm, TDataSet& dataSet) {
    TblDbl1bApprovalLock(dm);
    // The number tells the lines of a header apart and names a line in the
    // approval's messages; the grid lets the user clear it.
    if (Field(dataSet, "DoubleAccountNum")->IsNull())
        Refuse("Account Number has to be entered");
}

void TblDbl1bBeforeDelete(const TADm3& dm, TDataSet& dataSet) {
    TblDbl1bApprovalLock(dm);
    Ask(QStringLiteral("Delete This Account ") + Quoted(Field(dataSet, "DoubleCode")->AsString()) +
        QStringLiteral(", Are You Sure ?"));
}

void TblDbl1cBeforeEdit(const TADm1& dm1, TDataSet& dataSet) {
    GuardPostedRow(dataSet, TransactionDate, dm1.CurrentCloseDate);
}

void TblDbl1cBeforeDelete(const TADm1& dm1, TDataSet& dataSet) {
    TblDbl1cBeforeEdit(dm1, dataSet);
    Ask(QStringLiteral("Delete Transaction Item For Amount ") + Quoted(FloatToStr(Field(dataSet, "Amount")->AsFloat())) +
        QStringLiteral(" For Date ") + Quoted(DateToStr(Field(dataSet, "TransactionDate")->AsDateTime())));
}

void TblDbl1cBeforePost(const TADm1& dm1, TDataSet& dataSet) {
    GuardPostDate(dataSet, TransactionDate, dm1.CurrentCloseDate);
}
