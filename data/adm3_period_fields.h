#pragma once
// The period rows of the bill and chart tables: their calculated period texts
// and balance, the chart's year filter, and the bill's paid-amount check.
class TADm1;
class TDataSet;

// "Mar-2026" and the balance still to pay.
void TblTelPaidCalcFields(TDataSet& dataSet);
void TblTelPaidBeforePost(TDataSet& dataSet);

// "Mar2026"; and only the rows of the year chosen on the chart page while the
// table's filter is on.
void TblChart1CalcFields(TDataSet& dataSet);
void TblChart1FilterRecord(const TADm1& dm1, TDataSet& dataSet, bool& accept);
