#include "data/adm2.h"

TADm2* ADm2 = nullptr;

TADm2::TADm2(TComponent* owner) : TDataModule(owner) {
    SetName(QStringLiteral("ADm2"));
    ADm2 = this;
}

TADm2::~TADm2() {
    if (ADm2 == this) ADm2 = nullptr;
}
