#pragma once
// TwwMemoDialog edits one memo or text field of a dataset in a modal window,
// TwwMemoDlg. OK (or Ctrl+Enter, or F2) writes the memo back into the field,
// and only when it was changed, so that looking at a memo of a posted record
// leaves the record as it was; closing a changed memo any other way asks
// before the change is dropped.
#include "platform/db/data_link.h"
#include "platform/rtl/component.h"
#include "platform/ui/form.h"
#include <QFont>
#include <functional>
#include <memory>

class QPlainTextEdit;
class QPushButton;
class TPanel;
class TwwMemoDialog;

enum TMemoAttribute : unsigned {
    mSizeable = 1u << 0, mWordWrap = 1u << 1, mGridShow = 1u << 2, mViewOnly = 1u << 3, mDisableDialog = 1u << 4,
};
using TMemoAttributes = unsigned;
inline constexpr TMemoAttributes DefaultMemoAttributes = mSizeable | mWordWrap;

class TwwMemoDlg : public TForm {
    Q_OBJECT
public:
    explicit TwwMemoDlg(TwwMemoDialog& dialog);

    QPlainTextEdit* Memo = nullptr;
    TPanel* UserButtonPanel = nullptr;
    QPushButton* UserButton1 = nullptr;
    QPushButton* UserButton2 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    bool MemoModified() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void ResizeControls();
    void PlaceUserButtons();
    // Ctrl+Enter and F2 close with OK, Escape with Cancel; true when taken.
    bool MemoKeyDown(const QKeyEvent& key);

    TwwMemoDialog& dialog_;
    bool shown_ = false;
};

class TwwMemoDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    using TDialogEvent = std::function<void(TwwMemoDlg& dialog)>;
    using TUserButtonEvent = std::function<void(TwwMemoDlg& dialog, QPlainTextEdit& memo)>;

    explicit TwwMemoDialog(TComponent* owner = nullptr);
    ~TwwMemoDialog() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source) { link_.SetDataSource(source); }
    QString DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name) { link_.SetFieldName(name); }
    QFont& Font() { return font_; }
    TMemoAttributes MemoAttributes() const { return attributes_; }
    void SetMemoAttributes(TMemoAttributes attributes) { attributes_ = attributes; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    int DlgLeft = 0;
    int DlgTop = 0;
    int DlgWidth = 561;
    int DlgHeight = 396;
    QString UserButton1Caption;
    QString UserButton2Caption;

    TDialogEvent OnInitDialog;
    TDialogEvent OnCloseDialog;
    TUserButtonEvent OnUserButton1Click;
    TUserButtonEvent OnUserButton2Click;

    // The window while it shows; null otherwise.
    TwwMemoDlg* Form() const { return form_; }

    // Shows the field's text; true when the user closed the window with OK.
    virtual bool Execute();

protected:
    virtual void DoInitDialog();
    virtual void DoCloseDialog();

private:
    friend class TwwMemoDlg;
    TField* EditedField() const;

    TFieldDataLink link_;
    QFont font_;
    TMemoAttributes attributes_ = DefaultMemoAttributes;
    QString caption_;
    TwwMemoDlg* form_ = nullptr;
};
