#include "columns.h"
#include "panelplacement.h"

#include <QTest>

// Where the panel window goes: next to the tray icon, and always on the free area of its screen.
class tst_PanelPlacement : public QObject {
    Q_OBJECT

private slots:
    void beside_data()
    {
        columns<QRect, QRect, QSize, QPoint>("icon", "available", "size", "position");
        const QSize panel(380, 580);
        // A top bar 28 high with the icon at its right end: below it, pushed in from the edge.
        QTest::newRow("below a top bar")
            << QRect(1800, 0, 24, 28) << QRect(0, 28, 1920, 1052) << panel << QPoint(1540, 31);
        QTest::newRow("above a bottom bar")
            << QRect(900, 1044, 24, 36) << QRect(0, 0, 1920, 1040) << panel << QPoint(722, 460);
        QTest::newRow("no icon: centred") << QRect() << QRect(0, 0, 800, 800) << panel << QPoint(210, 110);
    }

    void beside()
    {
        QFETCH(QRect, icon);
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        QTEST(PanelPlacement::beside(icon, available, size), "position");
    }

    void keptInside_data()
    {
        columns<QRect, QRect, QPoint>("frame", "available", "position");
        const QRect screen(0, 0, 800, 800);
        QTest::newRow("inside: stays") << QRect(100, 100, 380, 580) << screen << QPoint(100, 100);
        QTest::newRow("exactly filling: stays") << QRect(0, 0, 800, 800) << screen << QPoint(0, 0);
        QTest::newRow("grown past the bottom: up just enough")
            << QRect(100, 300, 380, 760) << screen << QPoint(100, 40);
        QTest::newRow("taller than the screen: top on it")
            << QRect(100, 300, 380, 900) << screen << QPoint(100, 0);
        QTest::newRow("above the top") << QRect(100, -50, 380, 580) << screen << QPoint(100, 0);
        QTest::newRow("past the right edge of a second screen")
            << QRect(3000, 10, 380, 580) << QRect(1920, 0, 1280, 720) << QPoint(2820, 10);
        QTest::newRow("left of a second screen, on the first")
            << QRect(1700, 10, 380, 580) << QRect(1920, 0, 1280, 720) << QPoint(1920, 10);
        QTest::newRow("below a screen with a top bar")
            << QRect(100, 500, 380, 580) << QRect(0, 28, 1280, 772) << QPoint(100, 220);
    }

    void keptInside()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QTEST(PanelPlacement::keptInside(frame, available), "position");
    }
};

QTEST_APPLESS_MAIN(tst_PanelPlacement)
#include "tst_panelplacement.moc"
