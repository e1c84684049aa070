#pragma once
// TwwDataSource: the data source the library's controls expect; it adds
// nothing to the class library's data source.
#include "platform/db/data_source.h"

class TwwDataSource : public TDataSource {
    Q_OBJECT
public:
    explicit TwwDataSource(TComponent* owner = nullptr) : TDataSource(owner) {}
};
