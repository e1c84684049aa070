#pragma once
// The small types the datasets, fields and data links share.
#include <QtGlobal>
#include <optional>

enum TDataSetState {
    dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsOpening,
};

// What a dataset tells its data sources and their links.
enum TDataEvent {
    deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange,
    deUpdateRecord, deUpdateState, deCheckBrowseMode, deFocusControl,
};

class TField;

// The payload of a data event: the field of deFieldChange, deRecordChange and
// deFocusControl; the scroll distance of deDataSetScroll.
struct TDataEventInfo {
    TField* Field = nullptr;
    int Distance = 0;
};

// The answer of OnPostError, OnEditError and OnDeleteError.
enum TDataAction { daFail, daAbort, daRetry };

enum TFieldKind { fkData, fkCalculated, fkLookup };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TLocateOption : unsigned { loCaseInsensitive = 1u << 0, loPartialKey = 1u << 1 };
using TLocateOptions = unsigned;

enum TResyncModeOption : unsigned { rmExact = 1u << 0, rmCenter = 1u << 1 };
using TResyncMode = unsigned;

// A record's place: the engine's row id; empty on an empty dataset.
using TBookmark = std::optional<qint64>;

bool IsEditState(TDataSetState state);   // dsEdit or dsInsert
