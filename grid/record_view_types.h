#pragma once
// The option sets and spacing objects of the record-view dialog. The spacing
// objects are plain values: assigning one copies it.
#include <cstdint>

enum TwwRecordViewOption : unsigned {
    rvoHideReadOnly = 1u << 0,
    rvoHideCalculated = 1u << 1,
    rvoHideNavigator = 1u << 2,
    rvoUseCustomControls = 1u << 3,
    rvoShortenEditBox = 1u << 4,
    rvoModalForm = 1u << 5,
    rvoStayOnTopForm = 1u << 6,
    rvoConsistentEditWidth = 1u << 7,
    rvoEnterToTab = 1u << 8,
    rvoConfirmCancel = 1u << 9,
    rvoCloseIsCancel = 1u << 10,
    rvoMaximizeMemoWidth = 1u << 11,
};
using TwwRecordViewOptions = unsigned;
inline constexpr TwwRecordViewOptions DefaultRecordViewOptions = rvoUseCustomControls | rvoShortenEditBox
    | rvoModalForm | rvoConfirmCancel | rvoCloseIsCancel | rvoMaximizeMemoWidth;

enum TwwRecordViewOKCancelOption : unsigned {
    rvokShowOKCancel = 1u << 0,
    rvokAutoPostRec = 1u << 1,
    rvokAutoCancelRec = 1u << 2,
};
using TwwRecordViewOKCancelOptions = unsigned;
inline constexpr TwwRecordViewOKCancelOptions DefaultRecordViewOKCancelOptions =
    rvokShowOKCancel | rvokAutoPostRec | rvokAutoCancelRec;

enum class TwwRecordViewStyle { rvsVertical, rvsHorizontal };

struct TwwMargin {
    int BottomOffset = 5;
    int TopOffset = 5;
    int LeftOffset = 5;
    int RightOffset = 5;
};

struct TwwVertEditSpacing {
    int BetweenLabelEdit = 5;
    int BetweenRow = 2;
};

struct TwwHorzEditSpacing {
    int BetweenEditsInRow = 5;
    int BetweenLabelEdit = 1;
    int BetweenRow = 2;
    int LabelIndent = 1;
};

struct TwwEditSpacing {
    TwwHorzEditSpacing HorizontalView;
    TwwVertEditSpacing VerticalView;
};

// 0 or less: computed.
struct TwwFormPosition {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Why the form is closing: the OK button, the Cancel button, or anything else
// (the close box, a key).
enum class TwwRecordViewCloseReason { OKButton = 0, CancelButton = 1, Other = 2 };
