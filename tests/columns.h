#pragma once

#include <QTest>

// A data table's columns declared in one call: columns<int, QString>("count", "text").
template <typename... Types, typename... Names> void columns(const Names&... names)
{
    (QTest::addColumn<Types>(names), ...);
}
