#include "grid/filter_escape.h"
#include "dataset/property_reflection.h"
#include "platform/db/dataset.h"
#include "platform/ui/control_services.h"

bool EscapePressed(TDataSet& dataSet)
{
    const bool escape = PollEscapeKey();
    if (escape)
        SetFilterOptionEnabled(&dataSet, false);
    return escape;
}
