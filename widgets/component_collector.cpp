#include "widgets/component_collector.h"

TComponentCollector::TComponentCollector(QWidget* parent) : QWidget(parent)
{
    // Hidden for good: showing its form does not show it.
    hide();
}
