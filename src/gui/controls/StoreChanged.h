#pragma once

namespace gs {

// Stores the value in the field and reports true only when it differs: setters report only real changes.
template <class T, class U>
bool StoreChanged(T& field, U value)
{
    if (field == static_cast<T>(value))
        return false;
    field = static_cast<T>(value);
    return true;
}

}  // namespace gs
