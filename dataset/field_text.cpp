#include "dataset/field_text.h"
#include "dataset/date_text.h"
#include "dataset/text_helpers.h"

bool IsValidTextForFieldType(TFieldType type, const QString& text)
{
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: return IsValidIntegerText(text);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return IsValidFloatText(text);
    case TFieldType::ftDate: return IsValidDateText(text);
    case TFieldType::ftTime: return IsValidTimeText(text);
    case TFieldType::ftDateTime: return IsValidDateTimeText(text) || IsValidDateText(text);
    default: return true;
    }
}

bool IsValidFieldText(const TField& field, const QString& text)
{
    return IsValidTextForFieldType(field.DataType(), text);
}

bool IsValidFieldSearchText(const TField* field, const QString& text)
{
    if (!field) return false;
    if (text.isEmpty()) {
        switch (field->DataType()) {
        case TFieldType::ftSmallint: case TFieldType::ftInteger: case TFieldType::ftWord:
        case TFieldType::ftFloat: case TFieldType::ftCurrency: case TFieldType::ftBCD:
        case TFieldType::ftDate: case TFieldType::ftTime: case TFieldType::ftDateTime:
        case TFieldType::ftAutoInc: return false;
        default: break;
        }
    }
    return IsValidFieldText(*field, text);
}

bool IsNumericFieldType(TFieldType type)
{
    switch (type) {
    case TFieldType::ftSmallint: case TFieldType::ftInteger: case TFieldType::ftWord:
    case TFieldType::ftFloat: case TFieldType::ftCurrency: case TFieldType::ftAutoInc: return true;
    default: return false;
    }
}

bool IsTextFieldType(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftMemo;
}

bool IsTextEditKey(int key)
{
    return key == 8 || key == 32 || key == 46 || (key >= 48 && key <= 111) || key > 145;
}

