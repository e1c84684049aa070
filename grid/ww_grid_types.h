#pragma once
// The option sets and event types of the library's data grids.
#include "platform/db/db_types.h"
#include "platform/ui/canvas.h"
#include "platform/ui/custom_grid.h"
#include <QRect>
#include <QString>
#include <functional>

class QObject;
class TField;

enum TwwDBGridOption : unsigned {
    dgEditing = 1u << 0,
    dgAlwaysShowEditor = 1u << 1,
    dgTitles = 1u << 2,
    dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4,
    dgColLines = 1u << 5,
    dgRowLines = 1u << 6,
    dgTabs = 1u << 7,
    dgRowSelect = 1u << 8,
    dgAlwaysShowSelection = 1u << 9,
    dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11,
    dgWordWrap = 1u << 12,
    dgPerfectRowFit = 1u << 13,
    dgMultiSelect = 1u << 14,
};
using TwwDBGridOptions = unsigned;
inline constexpr TwwDBGridOptions DefaultGridOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize
    | dgColLines | dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit | dgWordWrap;

enum TwwDBGridKeyOption : unsigned { dgEnterToTab = 1u << 0, dgAllowDelete = 1u << 1, dgAllowInsert = 1u << 2 };
using TwwDBGridKeyOptions = unsigned;
inline constexpr TwwDBGridKeyOptions DefaultGridKeyOptions = dgAllowDelete | dgAllowInsert;

using TNotifyEvent = std::function<void(QObject* sender)>;
// Colours a data cell: the handler changes the font and the brush.
using TCalcCellColorsEvent = std::function<void(QObject* sender, TField* field, TGridDrawState state,
                                                bool highlight, TFont& font, TBrush& brush)>;
using TCalcTitleAttributesEvent = std::function<void(QObject* sender, const QString& fieldName, TFont& font,
                                                     TBrush& brush, TAlignment& alignment)>;
using TTitleButtonClickEvent = std::function<void(QObject* sender, const QString& fieldName)>;
using TDrawDataCellEvent = std::function<void(QObject* sender, const QRect& rect, TField* field,
                                              TGridDrawState state)>;
// Passed: the editor's text is complete under the field's picture mask.
using TCheckValueEvent = std::function<void(QObject* sender, bool passed)>;
using TColumnMovedEvent = std::function<void(QObject* sender, int fromIndex, int toIndex)>;
