#pragma once
// A decoded record's fields as one list, so a decode is compared with the protocol table in
// one go. Taken by value: fields of packed records are unaligned. A double holds every
// field type of the records exactly.

#include <QList>

template <typename... T> QList<double> Fields(T... tValues)
{
    return {double(tValues)...};
}
