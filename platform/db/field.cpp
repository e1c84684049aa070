#include "platform/db/field.h"
#include "platform/db/dataset.h"
#include "platform/db/db_errors.h"

TField::TField(TComponent* owner, TFieldType type, int size)
    : TComponent(owner), dataType_(type), size_(size)
{
}

TField::~TField()
{
    if (dataSet_) dataSet_->RemoveField(this);
}

void TField::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == dataSet_) return;
    if ((dataSet_ && dataSet_->Active()) || (dataSet && dataSet->Active())) DatabaseError(DbText::DataSetOpen());
    if (dataSet && dataSet->FindField(fieldName_)) DatabaseError(DbText::DuplicateFieldName(fieldName_));
    if (dataSet_) dataSet_->RemoveField(this);
    dataSet_ = dataSet;
    if (!dataSet_) return;
    if (!parent()) setParent(dataSet_);
    dataSet_->AddField(this);
}

void TField::SetFieldName(const QString& name)
{
    if (dataSet_) {
        if (dataSet_->Active()) DatabaseError(DbText::DataSetOpen());
        const TField* other = dataSet_->FindField(name);
        if (other && other != this) DatabaseError(DbText::DuplicateFieldName(name));
    }
    fieldName_ = name;
}

void TField::SetFieldKind(TFieldKind kind)
{
    if (dataSet_ && dataSet_->Active()) DatabaseError(DbText::DataSetOpen());
    fieldKind_ = kind;
}

void TField::SetSize(int size)
{
    if (dataSet_ && dataSet_->Active()) DatabaseError(DbText::DataSetOpen());
    size_ = size;
}

QString TField::DisplayLabel() const
{
    return displayLabel_.isEmpty() ? fieldName_ : displayLabel_;
}

int TField::DisplayWidth() const
{
    return displayWidth_ > 0 ? displayWidth_ : DefaultDisplayWidth();
}

int TField::DefaultDisplayWidth() const
{
    return 10;
}

void TField::SetVisible(bool visible)
{
    if (visible_ == visible) return;
    visible_ = visible;
    Changed();
}

TAlignment TField::Alignment() const
{
    return alignment_.value_or(DefaultAlignment());
}

int TField::Index() const
{
    if (!dataSet_) return -1;
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        if (dataSet_->Fields(i) == this) return i;
    return -1;
}

void TField::SetIndex(int index)
{
    if (dataSet_) dataSet_->MoveField(this, index);
}

void TField::SetLookupDataSet(TDataSet* dataSet)
{
    if (dataSet && dataSet == dataSet_) DatabaseError(DbText::CircularDataLink());
    lookupDataSet_ = dataSet;
}

QVariant TField::Value() const
{
    return Data();
}

const QVariant& TField::Data() const
{
    if (!dataSet_) DatabaseError(QStringLiteral("Field '%1' has no dataset").arg(DisplayName()));
    return dataSet_->FieldData(*this);
}

void TField::SetValue(const QVariant& value)
{
    if (!dataSet_) DatabaseError(QStringLiteral("Field '%1' has no dataset").arg(DisplayName()));
    dataSet_->SetFieldData(*this, value.isNull() ? QVariant() : ToStored(value));
}

QVariant TField::ToStored(const QVariant& value) const
{
    return value;
}

bool TField::IsNull() const
{
    return Data().isNull();
}

QString TField::AsString() const
{
    return Data().toString();
}

void TField::SetAsString(const QString& text)
{
    SetValue(text.isEmpty() ? QVariant() : QVariant(text));
}

void TField::AccessError(const char* typeName) const
{
    DatabaseError(QStringLiteral("Cannot access field '%1' as type %2").arg(DisplayName(), QLatin1String(typeName)));
}

int TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int) { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }

QString TField::FormatText(bool) const
{
    return AsString();
}

QString TField::Text() const
{
    QString text;
    if (OnGetText)
        OnGetText(const_cast<TField&>(*this), text, false);
    else
        text = FormatText(false);
    return text;
}

QString TField::DisplayText() const
{
    QString text;
    if (OnGetText)
        OnGetText(const_cast<TField&>(*this), text, true);
    else
        text = FormatText(true);
    return text;
}

bool TField::IsValidChar(QChar) const
{
    return true;
}

bool TField::CanModify() const
{
    return !readOnly_ && fieldKind_ == fkData && dataSet_ && dataSet_->CanModify();
}

void TField::FocusControl()
{
    if (dataSet_ && dataSet_->Active()) dataSet_->DataEvent(deFocusControl, {this, 0});
}

void TField::DoChange()
{
    if (OnChange) OnChange(*this);
}

void TField::DoValidate()
{
    if (OnValidate) OnValidate(*this);
}

void TField::Changed()
{
    if (dataSet_ && dataSet_->Active()) dataSet_->FieldLayoutChanged();
}
