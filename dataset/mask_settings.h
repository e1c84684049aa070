#pragma once
// The PictureMasks setting of a dataset: one line a field,
//   field TAB mask TAB auto-fill TAB use-mask ("T"/"F"),
// field names compared without regard to case, and the check before post.
#include "dataset/setting_types.h"
#include <QString>

class TDataSet;

// Masks apply to text fields only: a field of another type
// has none, whatever a line says.
struct TFieldPictureMask {
    QString Mask;
    bool AutoFill = true;
    bool UseMask = true;
};
TFieldPictureMask GetFieldPictureMask(TDataSet* dataSet, const QString& fieldName);
// An empty resulting mask deletes the field's line.
void SetFieldPictureMask(TDataSet* dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool useMask, bool replaceMask, bool replaceAutoFill, bool replaceUseMask);
// The check before post: the first field (not read-only) whose non-empty text
// is not complete under its mask is focused, OnInvalidValue is called and
// EDatabaseError "Invalid characters. Field : " + its display name is raised.
void ValidateFieldsWithMasks(TDataSet& dataSet, const TwwInvalidValueEvent& onInvalidValue);

