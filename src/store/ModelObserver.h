#pragma once

class PersistentModel;

// Who is changing the store right now. The user's own changes are the ones another device
// has to learn about; the shipped library's synchronisation and changes that came from
// another device are not.
enum class ChangeOrigin { User, Shipped, Remote, UserAction };

// Watches every change of a context (set with ModelContext::setObserver).
class ModelObserver {
public:
    virtual ~ModelObserver() = default;
    // An object was inserted, changed or deleted (still readable when deleted).
    virtual void objectTouched(PersistentModel *object) = 0;
    // A save is about to write the pending changes (outside any origin scope).
    virtual void willSave() = 0;
    // The outermost origin scope begins or ends.
    virtual void originBegins(ChangeOrigin origin) = 0;
    virtual void originEnds(ChangeOrigin origin) = 0;
};
