#pragma once
// TwwRecordViewDialog shows the current record of its data source in a form
// of its own, one labelled control per field (a masked edit, a memo, a check
// box, or an edit borrowed from the data source's form), with a record
// navigator and OK and Cancel buttons. Closing the form with changes made
// asks whether to keep them; OK posts the record and Cancel cancels it.
#include "grid/record_view_types.h"
#include "platform/db/data_link.h"
#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/colors.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include <QFont>
#include <QPointer>
#include <functional>

class TField;
class TwwRecordViewForm;

class TwwRecordViewDialog : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool NavigatorFlat READ NavigatorFlat WRITE SetNavigatorFlat)
public:
    using TFormEvent = std::function<void(TwwRecordViewForm& form)>;
    using TBeforeCreateControlEvent = std::function<void(TwwRecordViewForm& form, TField& field, bool& accept)>;
    using TAfterCreateControlEvent = std::function<void(TwwRecordViewForm& form, TField* field, QWidget& control)>;
    using TCancelWarningEvent = std::function<void(TForm& form, bool& canClose)>;

    explicit TwwRecordViewDialog(TComponent* owner = nullptr);
    ~TwwRecordViewDialog() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source) { link_.SetDataSource(source); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    bool NavigatorFlat() const { return navigatorFlat_; }
    void SetNavigatorFlat(bool flat) { navigatorFlat_ = flat; }
    // The fields shown: field TAB width TAB title; a line naming no field
    // ("<New Line>") starts a new row in the horizontal style. Empty: every
    // visible field of the dataset.
    TStrings& Selected() { return selected_; }
    const TStrings& Selected() const { return selected_; }

    TwwEditSpacing EditSpacing;
    TwwMargin Margin;
    TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
    TwwFormPosition FormPosition;
    TButtonSet NavigatorVisibleButtons = TButtonSet::All();
    TwwRecordViewStyle Style = TwwRecordViewStyle::rvsVertical;
    TwwRecordViewOptions Options = DefaultRecordViewOptions;
    TwwRecordViewOKCancelOptions OKCancelOptions = DefaultRecordViewOKCancelOptions;
    QFont LabelFont;
    QFont Font;
    TColor ReadOnlyColor = clInactiveCaptionText;

    TBeforeCreateControlEvent OnBeforeCreateControl;
    TAfterCreateControlEvent OnAfterCreateControl;
    TFormEvent OnInitDialog;
    TFormEvent OnCloseDialog;
    TCancelWarningEvent OnCancelWarning;

    // Shows the form on the current record. A modal form: true when it closed
    // with OK. A modeless one: true once shown. False, after a warning, when
    // there is no active dataset to show.
    virtual bool Execute();

    // The form while it exists; null otherwise.
    TwwRecordViewForm* Form() const;
    TwwRecordViewCloseReason CloseReason() const { return closeReason_; }

protected:
    virtual void DoBeforeCreateControl(TwwRecordViewForm& form, TField& field, bool& accept);
    virtual void DoAfterCreateControl(TwwRecordViewForm& form, TField* field, QWidget& control);
    virtual void DoInitDialog(TwwRecordViewForm& form);
    virtual void DoCloseDialog(TwwRecordViewForm& form);
    virtual void DoCancelWarning(TForm& form, bool& canClose);
    virtual void OKBtnClick();
    virtual void CancelBtnClick();

private:
    friend class TwwRecordViewForm;

    TDataLink link_;
    TStringList selected_;
    QString caption_ = QStringLiteral("Record View");
    bool navigatorFlat_ = false;
    QPointer<TwwRecordViewForm> form_;
    TwwRecordViewCloseReason closeReason_ = TwwRecordViewCloseReason::Other;
};
