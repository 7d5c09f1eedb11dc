#pragma once

// Root of the class tree, the Assign protocol and checked conversions.

#include <string>

#include "forms/Exceptions.h"

namespace forms {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Unqualified class name of the most derived type ("TBitmap").
    std::wstring ClassName() const;
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
