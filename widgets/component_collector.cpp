#include "widgets/component_collector.h"
#include "platform/db/data_module.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"

namespace {

// The form the collector stands on; a data module has no surface to hold it.
QWidget* FormOf(QObject* owner)
{
    if (qobject_cast<TDataModule*>(owner)) {
        ShowMessage(QStringLiteral("A Component Collector can be placed on forms only. To place one on this "
                                   "data module, change its declaration from \" = class(TDataModule)\" to "
                                   "\" = class(TForm)\", then close the module and open it again."));
        Abort();
    }
    return qobject_cast<QWidget*>(owner);
}

} // namespace

TComponentCollector::TComponentCollector(QObject* owner) : QWidget(FormOf(owner))
{
    // Hidden for good: showing its form does not show it.
    hide();
}
