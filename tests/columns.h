#pragma once

#include <QTest>

// A data table's columns declared in one call, types and names in the same order:
// columns<int, QString>("count", "text").
template <typename... Types, typename... Names> void columns(const Names&... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each column type");
    (QTest::addColumn<Types>(names), ...);
}
