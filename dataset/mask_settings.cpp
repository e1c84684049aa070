#include "dataset/mask_settings.h"
#include "dataset/field_text.h"
#include "dataset/intl.h"
#include "dataset/picture_mask.h"
#include "dataset/property_reflection.h"
#include "dataset/text_helpers.h"
#include "platform/db/dataset.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"

namespace {

const QChar Tab = QLatin1Char('\t');

QString FlagText(bool flag)
{
    return flag ? QStringLiteral("T") : QStringLiteral("F");
}

}  // namespace

TFieldPictureMask GetFieldPictureMask(TDataSet* dataSet, const QString& fieldName)
{
    TFieldPictureMask result;
    const TStrings* masks = GetDataSetPictureMasks(dataSet);
    if (!masks) return result;
    // A picture mask speaks of characters typed into a text; a date or a
    // number has its own rules, and a mask on it would refuse every value.
    if (const TField* field = dataSet->FindField(fieldName); field && !IsTextFieldType(field->DataType()))
        return result;
    const int line = FindTabLine(*masks, fieldName);
    if (line < 0) return result;
    const QString& text = (*masks)[line];
    result.Mask = text.section(Tab, 1, 1);
    result.AutoFill = text.section(Tab, 2, 2) == QLatin1String("T");
    result.UseMask = text.section(Tab, 3, 3) == QLatin1String("T");
    return result;
}

void SetFieldPictureMask(TDataSet* dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool useMask, bool replaceMask, bool replaceAutoFill, bool replaceUseMask)
{
    TStrings* masks = GetDataSetPictureMasks(dataSet);
    if (!masks) return;
    const int line = FindTabLine(*masks, fieldName);
    if (line < 0) {
        if (!mask.isEmpty())
            masks->Add(fieldName + Tab + mask + Tab + FlagText(autoFill) + Tab + FlagText(useMask));
        return;
    }
    const QString& old = (*masks)[line];
    const QString newMask = replaceMask ? mask : old.section(Tab, 1, 1);
    const bool newAutoFill = replaceAutoFill ? autoFill : old.section(Tab, 2, 2) == QLatin1String("T");
    const bool newUseMask = replaceUseMask ? useMask : old.section(Tab, 3, 3) == QLatin1String("T");
    if (newMask.isEmpty())
        masks->Delete(line);
    else
        masks->SetString(line, fieldName + Tab + newMask + Tab + FlagText(newAutoFill) + Tab + FlagText(newUseMask));
}

void ValidateFieldsWithMasks(TDataSet& dataSet, const TwwInvalidValueEvent& onInvalidValue)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = *dataSet.Fields(i);
        const QString mask = GetFieldPictureMask(&dataSet, field.FieldName()).Mask;
        if (mask.isEmpty()) continue;
        QString text = field.Text();
        if (text.isEmpty()) continue;
        if (TwwPictureValidator(mask, false).Picture(text, false) == prComplete) continue;
        if (field.ReadOnly()) continue;
        field.FocusControl();
        if (onInvalidValue) onInvalidValue(dataSet, field);
        DatabaseError(GlobalIntl().UserMessages.PictureValidateError + field.DisplayName());
    }
}

