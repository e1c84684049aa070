#include "platform/rtl/nocase_compare.h"

int CompareTextNoCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}
