#pragma once
// The second data module: it holds the record-view dialogs of the banks and
// bank accounts, which stand on the first module's tables.
#include "platform/db/data_module.h"

class TADm2 : public TDataModule {
    Q_OBJECT
public:
    explicit TADm2(TComponent* owner);
    ~TADm2() override;
};

extern TADm2* ADm2;
