#pragma once

// Sets a field; true when it changed, so the caller tells its observers.
template <typename T> bool assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
