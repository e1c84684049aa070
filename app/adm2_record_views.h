#pragma once
// The record views of the second data module, on the first module's banks
// and bank accounts. The data layer holds no windows, so they are made here,
// owned by the module, when first asked for.
class TwwRecordViewDialog;

TwwRecordViewDialog& RVBanks();
TwwRecordViewDialog& RvBankAccounts();
