#pragma once
// Rules of the multiple-entry and asset tables. An approved multiple entry is
// frozen with its account lines; dated amounts of the closed period are
// frozen; a header or asset with details cannot be deleted; every delete asks.
class TADm1;
class TADm3;
class TDataSet;

// Asset headers and their amounts.
void TblAsset1aBeforeDelete(TADm3& dm, TDataSet& dataSet);
void TblAsset1aBeforePost(TDataSet& dataSet);
void TblAsset1bBeforeDelete(TDataSet& dataSet);
void TblAsset1bBeforePost(TDataSet& dataSet);

// Multiple-entry headers.
void TblDbl1aBeforeEdit(TDataSet& dataSet);
void TblDbl1aBeforeDelete(TADm3& dm, TDataSet& dataSet);
void TblDbl1aBeforePost(TDataSet& dataSet);

// Account lines: whether the current header may still be changed, and the
// lock that silently abandons any change of a line of an approved header.
// A line is stored with its account number, its key within the header.
bool HeaderNotApproved(const TADm3& dm);
void TblDbl1bApprovalLock(const TADm3& dm);
void TblDbl1bBeforePost(const TADm3& dm, TDataSet& dataSet);
void TblDbl1bBeforeDelete(const TADm3& dm, TDataSet& dataSet);

// Dated amounts.
void TblDbl1cBeforeEdit(const TADm1& dm1, TDataSet& dataSet);
void TblDbl1cBeforeDelete(const TADm1& dm1, TDataSet& dataSet);
void TblDbl1cBeforePost(const TADm1& dm1, TDataSet& dataSet);
