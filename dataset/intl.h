#pragma once
// TwwIntl: every text and option that the data-aware library shows or reads,
// in one component. The library reads them from the global text object; a
// TwwIntl with Connected set copies its own into it, which is how an
// application translates the library.
#include "dataset/intl_texts.h"
#include "platform/rtl/component.h"

class TwwIntl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool OKCancelBitmapped READ OKCancelBitmapped WRITE SetOKCancelBitmapped)
    Q_PROPERTY(bool Connected READ Connected WRITE SetConnected)
    Q_PROPERTY(QString BtnOKCaption READ BtnOKCaption WRITE SetBtnOKCaption)
    Q_PROPERTY(QString BtnCancelCaption READ BtnCancelCaption WRITE SetBtnCancelCaption)
    Q_PROPERTY(TwwCheckBoxInGridStyle CheckBoxInGridStyle READ CheckBoxInGridStyle WRITE SetCheckBoxInGridStyle)
    Q_PROPERTY(bool UseLocateMethodForSearch READ UseLocateMethodForSearch WRITE SetUseLocateMethodForSearch)
    Q_PROPERTY(unsigned DialogFontStyle READ DialogFontStyle WRITE SetDialogFontStyle)
public:
    enum TwwCheckBoxInGridStyle { cbStyleAuto, cbStyleCheckmark, cbStyleXmark };
    Q_ENUM(TwwCheckBoxInGridStyle)

    // The bits of DialogFontStyle.
    enum TDialogFontStyle : unsigned { dfsBold = 1u << 0, dfsItalic = 1u << 1, dfsUnderline = 1u << 2, dfsStrikeOut = 1u << 3 };

    explicit TwwIntl(TComponent* owner = nullptr);

    TwwSearchDialogIntl SearchDialog;
    TwwLocateDialogIntl LocateDialog;
    TwwFilterDialogIntl FilterDialog;
    TwwDBRichEditIntl RichEdit;
    TwwUserMessagesIntl UserMessages;

    bool OKCancelBitmapped() const { return okCancelBitmapped_; }
    void SetOKCancelBitmapped(bool value) { okCancelBitmapped_ = value; }
    bool Connected() const { return connected_; }
    // Setting it copies every text and option into the global text object.
    void SetConnected(bool value);
    QString BtnOKCaption() const { return btnOKCaption_; }
    void SetBtnOKCaption(const QString& value) { btnOKCaption_ = value; }
    QString BtnCancelCaption() const { return btnCancelCaption_; }
    void SetBtnCancelCaption(const QString& value) { btnCancelCaption_ = value; }
    TwwCheckBoxInGridStyle CheckBoxInGridStyle() const { return checkBoxInGridStyle_; }
    // Passed on to the global text object while connected.
    void SetCheckBoxInGridStyle(TwwCheckBoxInGridStyle value);
    bool UseLocateMethodForSearch() const { return useLocateMethodForSearch_; }
    void SetUseLocateMethodForSearch(bool value) { useLocateMethodForSearch_ = value; }
    unsigned DialogFontStyle() const { return dialogFontStyle_; }
    void SetDialogFontStyle(unsigned value) { dialogFontStyle_ = value; }

    // Cancelling a range on an SQL database reopens the table instead.
    bool ReopenOnCancelRange() const { return reopenOnCancelRange_; }

private:
    void CopyToGlobal() const;

    bool okCancelBitmapped_ = true;
    bool connected_ = false;
    QString btnOKCaption_ = QStringLiteral("&OK");
    QString btnCancelCaption_ = QStringLiteral("Cancel");
    TwwCheckBoxInGridStyle checkBoxInGridStyle_ = cbStyleAuto;
    bool useLocateMethodForSearch_ = true;
    unsigned dialogFontStyle_ = 0;
    const bool reopenOnCancelRange_ = true;
};

// The global text object: made on first use, it lives for the whole run.
TwwIntl& GlobalIntl();
