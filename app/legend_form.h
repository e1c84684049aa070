#pragma once
// The colour legend: what each grid colour means, with the swatches the user
// double-clicks to change them and a reset to the defaults; its second page
// holds two preferences. Made at start-up and only shown and hidden: as the
// modeless "Color Legend" and the modal "Application Preferences".
#include "platform/ui/form.h"
#include <array>

class QColorDialog;
class TButton;
class TDBEdit;
class TDBRadioGroup;
class TLabel;
class TPageControl;
class TShape;
class TTabSheet;

class TFrmLegend : public TForm {
    Q_OBJECT
public:
    TFrmLegend();
    ~TFrmLegend() override;

    TPageControl* PageControl1;
    TTabSheet* TabLegend;
    TTabSheet* TabSetup;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TLabel* Label7;
    TLabel* Label8;
    TShape* Shape1;
    TShape* Shape2;
    TShape* Shape3;
    TShape* Shape4;
    TShape* Shape5;
    TShape* Shape6;
    TShape* Shape7;
    TLabel* Label6;        // the hint
    TButton* BtnUpdate;
    TButton* BitBtn2;
    TButton* BtnClose;
    QColorDialog* ColorDialog1;

    TDBRadioGroup* RbStartDay;
    TLabel* Label9;
    TDBEdit* EdtGridSize;
    TButton* BtnUpdate2;
    TButton* BtnClose2;

    void FormCreate(QObject* sender);
    void PickLegendColor(TShape* shape, const QString& field);
    void BtnUpdateClick(QObject* sender);
    void BitBtn2Click(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);

    // Each legend row: its label, its swatch and its configuration field.
    struct TLegendRow {
        TLabel* Label;
        TShape* Swatch;
        const char* Field;
    };
    const std::array<TLegendRow, 7>& Rows() const { return rows_; }

private:
    void CreateLegendPage();
    void CreateSetupPage();

    std::array<TLegendRow, 7> rows_{};
};

extern TFrmLegend* FrmLegend;
