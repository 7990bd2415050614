#include "Component.h"

#include <QVariant>

namespace {
constexpr const char* TagProperty = "Tag";
}

int ComponentTag(const QObject* component) {
    return component ? component->property(TagProperty).toInt() : 0;
}

void SetComponentTag(QObject* component, int tag) { component->setProperty(TagProperty, tag); }

QObject* TComponent::FindComponent(const QString& name) const {
    for (QObject* child : children())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}
