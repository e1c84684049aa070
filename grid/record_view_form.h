#pragma once
// The form of the record-view dialog, its labels, and the field list it is
// laid out from.
#include "grid/borrowed_control.h"
#include "platform/ui/form.h"
#include "platform/ui/standard_controls.h"
#include <QPointer>
#include <memory>
#include <vector>

class QPushButton;
class QScrollArea;
class TDBMemo;
class TDBNavigator;
class TDataSource;
class TField;
class TwwRecordViewDialog;

// A field label that frames itself while its control has the focus.
class TwwLabel : public TLabel {
    Q_OBJECT
public:
    using TLabel::TLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One entry of the field list: a field with its width in characters and its
// title, or a line that names no field (Field null).
struct TwwRecordViewItem {
    TField* Field = nullptr;
    int DisplayWidth = 0;
    QString Title;
};

class TwwRecordViewForm : public TForm {
    Q_OBJECT
public:
    explicit TwwRecordViewForm(TwwRecordViewDialog& dialog);
    ~TwwRecordViewForm() override;

    TwwRecordViewDialog& Dialog() const { return dialog_; }

    TPanel* NavigatorPanel = nullptr;
    TDBNavigator* Navigator = nullptr;
    TPanel* RecordPanel = nullptr;
    QScrollArea* ScrollBox = nullptr;
    TPanel* UserPanel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The edit controls made or borrowed for the fields, in field order.
    const std::vector<QWidget*>& Edits() const { return edits_; }
    // The control that shows Field; null when it has none.
    QWidget* EditOf(const TField& field) const;
    bool AnyEditModified() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TwwRecordViewDialog;

    void CreatePanels();
    // Lays out the controls of the fields and sizes the form to them.
    void LayOut();
    std::vector<TwwRecordViewItem> Items() const;
    bool Shows(TField& field);
    // The control for the item, made or borrowed, inside the scroll box; its
    // label when it needs one.
    QWidget* CreateControl(const TwwRecordViewItem& item, TwwLabel*& label);
    QWidget* BorrowControl(const QString& name, TField& field, int displayWidth);
    TCustomEdit* FindBorrowable(const QString& name) const;
    QWidget* CreateMemo(TField& field);
    QWidget* CreateEdit(TField& field, int displayWidth);
    void FitWidth(QWidget& control) const;
    int LayOutVertical();
    int LayOutHorizontal();
    void SizeForm(int contentWidth, int rowsHeight);
    void ClearModified();
    void OpenMemoDialog(TDBMemo& memo);

    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void FormCloseQuery(bool& canClose);
    void FormClose(TCloseAction& action);
    void FormResize();
    void GiveBackBorrowed();

    TwwRecordViewDialog& dialog_;
    // The window the dialog was opened from: borrowed controls are looked
    // for there when the data source's own form lacks them.
    QPointer<QWidget> origin_;
    QWidget* canvas_ = nullptr;   // the scroll box's contents
    std::vector<QWidget*> edits_;
    std::vector<TField*> editFields_;
    std::vector<TwwLabel*> labels_;
    // A control lent to the form: besides what every loan gives back, its
    // data source and field.
    struct TLoan {
        explicit TLoan(TCustomEdit& control);
        ~TLoan();
        TBorrowedControl Loan;
        QPointer<TDataSource> Source;
        QString Field;
    };
    std::vector<std::unique_ptr<TLoan>> borrowed_;
    int charWidth_ = 7;
    int editLeft_ = 0;
    int computedWidth_ = 0;
    int computedHeight_ = 0;
};
