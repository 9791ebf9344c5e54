#pragma once

#include "notestore.h"
#include "panelcontroller.h"
#include "testsupport.h"

#include <QSettings>

// One row of a table on one line; C strings go into QString columns.
template <typename... Values> void row(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}

// A panel on a store in a throw-away folder, on a clock the test sets.
struct PanelHarness {
    explicit PanelHarness(const QDateTime& start)
        : now(start)
    {
    }

    QDateTime now;
    QTemporaryDir dir;
    NoteStore store { dir.path(), [this] { return now; } };
    PanelController panel { store };
};
