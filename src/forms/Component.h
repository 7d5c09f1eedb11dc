#pragma once

// Components: objects with an owner that frees them, a name, a tag and free notifications.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
};
using TComponentState = unsigned;  // nothing is ever loaded from form files: only csDestroying occurs

class TComponent : public TPersistent {
public:
    // The owner keeps this component in its list and frees it when it is freed itself.
    explicit TComponent(TComponent* owner);
    // Sends free notifications, frees what it still owns (last created first), then leaves its owner.
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;

    // Moves a component into this one's list (out of its present owner's).
    void InsertComponent(TComponent* component);
    // Takes a component out of this one's list; it is then freed by nobody.
    void RemoveComponent(TComponent* component);

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }

    // Both components are told (Notification with opRemove) when the other one is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    // Called with opInsert / opRemove when a component enters or leaves this one's list, and with opRemove
    // when a component registered through FreeNotification is freed.
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks the component as being destroyed; derived destructors call it first.
    void Destroying() { state_ |= csDestroying; }
    // Frees every owned component, last first. Derived destructors that still need their own members
    // while the owned components go call it themselves.
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::wstring name_;
    std::intptr_t tag_ = 0;
    TComponentState state_ = 0;
};

}  // namespace forms
