#pragma once

#include "UserAttribute.h"

// A prompt or a category owns at most one UserAttribute, and the attribute points back at its
// owner. Both ends change together: giving an attribute to a new owner takes it from the old
// one, and every object whose link changed says so.
//
// Owner provides m_id, m_attributes, attributesChanged(), emitDerivedChanged() and
// forwardAttributeSignals(); Back and BackChanged are the attribute's pointer to its owner
// and that pointer's change signal.
template <typename Owner, auto Back, auto BackChanged>
struct UserAttributeLink
{
    static void set(Owner *owner, UserAttribute *attribute)
    {
        if (attribute == owner->m_attributes)
            return;
        if (UserAttribute *old = owner->m_attributes) {
            QObject::disconnect(old, nullptr, owner, nullptr);
            old->*Back = nullptr;
            old->markChanged();
            Q_EMIT (old->*BackChanged)();
        }
        if (attribute) {
            if (Owner *previousOwner = attribute->*Back) {
                QObject::disconnect(attribute, nullptr, previousOwner, nullptr);
                previousOwner->m_attributes = nullptr;
                Q_EMIT previousOwner->attributesChanged();
                previousOwner->emitDerivedChanged();
            }
            owner->adopt(attribute);
            attribute->*Back = owner;
            attribute->markChanged();
            Q_EMIT (attribute->*BackChanged)();
            owner->forwardAttributeSignals(attribute);
        }
        owner->m_attributes = attribute;
        Q_EMIT owner->attributesChanged();
        owner->emitDerivedChanged();
    }

    static UserAttribute *ensure(Owner *owner)
    {
        if (!owner->m_attributes) {
            auto *attribute = new UserAttribute;
            attribute->setTargetID(owner->m_id);
            set(owner, attribute);
        }
        return owner->m_attributes;
    }
};
