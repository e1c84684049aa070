#include "platform/rtl/component.h"
#include <QMetaProperty>

TComponent::TComponent(TComponent* owner)
    : QObject(owner)
{
}

// Owned components go first, each taken from this owner before it is freed so
// that it sends no notification back here. Then the owner hears that this one
// is gone and passes the news to its other components.
TComponent::~TComponent()
{
    destroying_ = true;
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        TComponent* component = Components(i);
        component->setParent(nullptr);
        delete component;
    }
    TComponent* owner = Owner();
    if (owner && !owner->destroying_) {
        setParent(nullptr);
        owner->Notification(this, true);
    }
}

TComponent* TComponent::Owner() const
{
    return qobject_cast<TComponent*>(parent());
}

int TComponent::ComponentCount() const
{
    int count = 0;
    for (const QObject* child : children())
        if (qobject_cast<const TComponent*>(child)) ++count;
    return count;
}

TComponent* TComponent::Components(int index) const
{
    int i = 0;
    for (QObject* child : children()) {
        if (auto* component = qobject_cast<TComponent*>(child)) {
            if (i == index) return component;
            ++i;
        }
    }
    return nullptr;
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty()) return nullptr;
    for (QObject* child : children()) {
        auto* component = qobject_cast<TComponent*>(child);
        if (component && component->objectName().compare(name, Qt::CaseInsensitive) == 0) return component;
    }
    return nullptr;
}

bool TComponent::HasProperty(const char* name) const
{
    return metaObject()->indexOfProperty(name) >= 0;
}

QVariant TComponent::GetPropertyValue(const char* name) const
{
    if (!HasProperty(name)) return {};
    return property(name);
}

// Only declared properties: setting an unknown name must not invent one.
bool TComponent::SetPropertyValue(const char* name, const QVariant& value)
{
    if (!HasProperty(name)) return false;
    return setProperty(name, value);
}

// By default the news goes down to every owned component.
void TComponent::Notification(TComponent* component, bool removing)
{
    for (QObject* child : children()) {
        auto* owned = qobject_cast<TComponent*>(child);
        if (owned && owned != component) owned->Notification(component, removing);
    }
}
