#pragma once
// TDataModule: a container that owns the non-visual components of a part of
// the program (its database, tables, queries and data sources).
#include "platform/rtl/component.h"

class TDataModule : public TComponent {
    Q_OBJECT
public:
    explicit TDataModule(TComponent* owner = nullptr) : TComponent(owner) {}
};
