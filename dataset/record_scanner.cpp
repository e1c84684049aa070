#include "dataset/record_scanner.h"

std::optional<qint64> ScanEngineCursor(TEngineCursor& cursor, bool fromFirst, const TRecordMatch& match,
                                       const std::function<void()>& restore)
{
    try {
        if (fromFirst)
            cursor.First();
        else if (cursor.HasRecord())
            cursor.Next();
        for (; cursor.HasRecord(); cursor.Next())
            if (match(cursor.Record())) return cursor.RowId();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return std::nullopt;
}
