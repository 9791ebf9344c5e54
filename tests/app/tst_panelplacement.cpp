#include "columns.h"
#include "panelplacement.h"

// Where the panel window goes: next to the tray icon, and always on the free area of its screen.
class tst_PanelPlacement : public QObject {
    Q_OBJECT

private slots:
    // frame: an open panel's, kept inside `available`; none places a new 380 × 580 panel beside `icon`
    void placed_data()
    {
        columns<QRect, QRect, QRect, QPoint>("icon", "frame", "available", "position");
        const QRect screen(0, 0, 800, 800);
        const auto row = [](const char* name, QRect icon, QRect frame, QRect available, QPoint position) {
            QTest::newRow(name) << icon << frame << available << position;
        };
        // A top bar 28 high with the icon at its right end: below it, pushed in from the edge.
        row("below a top bar", { 1800, 0, 24, 28 }, {}, { 0, 28, 1920, 1052 }, { 1540, 31 });
        row("above a bottom bar", { 900, 1044, 24, 36 }, {}, { 0, 0, 1920, 1040 }, { 722, 460 });
        row("no icon: centred", {}, {}, screen, { 210, 110 });
        row("inside: stays", {}, { 100, 100, 380, 580 }, screen, { 100, 100 });
        row("exactly filling: stays", {}, screen, screen, { 0, 0 });
        row("grown past the bottom: up just enough", {}, { 100, 300, 380, 760 }, screen, { 100, 40 });
        row("taller than the screen: top on it", {}, { 100, 300, 380, 900 }, screen, { 100, 0 });
        row("above the top", {}, { 100, -50, 380, 580 }, screen, { 100, 0 });
        row("past the right edge of a second screen", {}, { 3000, 10, 380, 580 }, { 1920, 0, 1280, 720 },
            { 2820, 10 });
        row("left of a second screen, on the first", {}, { 1700, 10, 380, 580 }, { 1920, 0, 1280, 720 },
            { 1920, 10 });
        row("below a screen with a top bar", {}, { 100, 500, 380, 580 }, { 0, 28, 1280, 772 }, { 100, 220 });
    }

    void placed()
    {
        QFETCH(QRect, icon);
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QTEST(frame.isNull() ? PanelPlacement::beside(icon, available, { 380, 580 })
                             : PanelPlacement::keptInside(frame, available),
            "position");
    }
};

QTEST_APPLESS_MAIN(tst_PanelPlacement)
#include "tst_panelplacement.moc"
