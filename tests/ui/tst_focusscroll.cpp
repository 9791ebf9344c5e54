#include "columns.h"
#include "focusscroll.h"

// Which content position shows a focused field: unchanged when it shows, else the least scroll.
class tst_FocusScroll : public QObject {
    Q_OBJECT

private slots:
    void contentYShowing_data()
    {
        columns<qreal, qreal, qreal, qreal>("top", "bottom", "contentY", "expected");

        // A view 300 high over content 1000 high; the margin is 8.
        QTest::newRow("in sight: stays") << 100.0 << 150.0 << 0.0 << 0.0;
        QTest::newRow("below: its bottom comes up") << 500.0 << 540.0 << 0.0 << 248.0;
        QTest::newRow("above: its top comes down") << 100.0 << 140.0 << 400.0 << 92.0;
        QTest::newRow("taller than the view: its top wins") << 500.0 << 900.0 << 0.0 << 492.0;
        QTest::newRow("at the very end: no scrolling past it") << 980.0 << 1000.0 << 0.0 << 700.0;
        QTest::newRow("at the very top") << 0.0 << 20.0 << 300.0 << 0.0;
    }

    void contentYShowing()
    {
        QFETCH(qreal, top);
        QFETCH(qreal, bottom);
        QFETCH(qreal, contentY);
        QTEST(FocusScroll::contentYShowing(top, bottom, contentY, 300.0, 1000.0), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_FocusScroll)
#include "tst_focusscroll.moc"
