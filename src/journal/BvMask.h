#pragma once
// The switch of the patient identity check: a non-visual component the
// journal module owns. Inactive, an edited patient is posted without its
// identity being validated (an import or a test database may hold
// identities of another country's rule).

#include "Component.h"

class TBvMask : public TComponent {
    Q_OBJECT
public:
    explicit TBvMask(QObject* AOwner = nullptr) : TComponent(AOwner) {}

    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }

private:
    bool FActive = true;
};
