#pragma once
// TComponent: the owner/name/property model on QObject. The owner is the QObject
// parent and frees its components; Name is the object name; published
// properties are Q_PROPERTYs so that code can read and write them by name.
#include <QObject>
#include <QString>
#include <QVariant>

class TComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const;
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const;
    TComponent* Components(int index) const;
    TComponent* FindComponent(const QString& name) const;  // case-insensitive

    // Published properties by name; an invalid QVariant when there is none.
    QVariant GetPropertyValue(const char* name) const;
    bool SetPropertyValue(const char* name, const QVariant& value);
    bool HasProperty(const char* name) const;

    // True from the start of this component's destruction, while it frees what it owns.
    bool Destroying() const { return destroying_; }

protected:
    // Called when a component this one refers to is being freed.
    virtual void Notification(TComponent* component, bool removing);

private:
    int tag_ = 0;
    bool destroying_ = false;
};
