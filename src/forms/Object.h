#pragma once

// Root of the class tree, the Assign protocol and checked conversions.

#include <memory>
#include <string>

#include "forms/Exceptions.h"

namespace forms {

// Whether an object still exists, still readable after it was freed. Taken before calling code (an event
// handler, a nested message loop) that may free the object.
class TLiveness {
public:
    TLiveness() = default;
    explicit operator bool() const { return flag_ && *flag_; }

private:
    friend class TObject;
    explicit TLiveness(std::shared_ptr<const bool> flag) : flag_(std::move(flag)) {}

    std::shared_ptr<const bool> flag_;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();

    // Unqualified class name of the most derived type ("TBitmap").
    std::wstring ClassName() const;

    // Turns false when this object is freed.
    TLiveness Liveness() const;

private:
    // Made on the first Liveness request.
    mutable std::shared_ptr<bool> alive_;
};

// A link to an object that it does not own: reads null once the object is freed.
template <class T>
class TWeakLink {
public:
    TWeakLink() = default;
    TWeakLink(T* object) : object_(object), liveness_(object ? object->Liveness() : TLiveness()) {}
    T* Get() const { return liveness_ ? object_ : nullptr; }

private:
    T* object_ = nullptr;
    TLiveness liveness_;
};

// Checked conversion: the object as T, or EInvalidCast. A null object converts to null.
template <class T, class U>
T* As(U* object)
{
    if (!object)
        return nullptr;
    if (T* result = dynamic_cast<T*>(object))
        return result;
    throw EInvalidCast();
}

template <class T, class U>
bool Is(U* object)
{
    return dynamic_cast<T*>(object) != nullptr;
}

// Objects that copy their contents from one another: dst.Assign(src) lets the destination copy what it
// knows and otherwise asks the source to copy itself into the destination (src.AssignTo(dst)); when
// neither knows the other, EConvertError "Cannot assign a <src> to a <dst>".
class TPersistent : public TObject {
public:
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
    [[noreturn]] void AssignError(TPersistent* source);

    // Lets a derived Assign hand over to another object's AssignTo.
    static void CallAssignTo(TPersistent* source, TPersistent* dest) { source->AssignTo(dest); }
};

}  // namespace forms
