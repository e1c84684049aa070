#pragma once
// Whether a typed text can be a value of a field of a given type.
#include "platform/db/field.h"
#include <QString>

bool IsValidTextForFieldType(TFieldType type, const QString& text);
bool IsValidFieldText(const TField& field, const QString& text);
// As IsValidFieldText, but the empty text is no value to search a number,
// date or time field for.
bool IsValidFieldSearchText(const TField* field, const QString& text);
bool IsNumericFieldType(TFieldType type);
bool IsTextFieldType(TFieldType type);
bool IsTextEditKey(int key);

