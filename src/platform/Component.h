#pragma once
// The component base: an owner that frees what it owns (QObject parent), a
// Name (the object name) and an integer Tag that marks groups of components.
// Widgets are QObjects too; the Tag helpers work on both.

#include <QObject>
#include <functional>

using TNotifyEvent = std::function<void(QObject* Sender)>;

int ComponentTag(const QObject* component);
void SetComponentTag(QObject* component, int tag);

class TComponent : public QObject {
    Q_OBJECT
public:
    explicit TComponent(QObject* AOwner = nullptr) : QObject(AOwner) {}

    QObject* Owner() const { return parent(); }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    int Tag() const { return ComponentTag(this); }
    void SetTag(int tag) { SetComponentTag(this, tag); }

    // The directly owned components, in creation order.
    QObjectList Components() const { return children(); }
    int ComponentCount() const { return int(children().size()); }
    // An owned component by name (without regard to case), or nullptr.
    QObject* FindComponent(const QString& name) const;
};
