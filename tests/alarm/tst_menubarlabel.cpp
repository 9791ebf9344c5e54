#include "menubarlabel.h"

#include <QSignalSpy>
#include <QTest>

class TestMenuBarLabel : public QObject {
    Q_OBJECT

private slots:
    void swingAndFlash_data();
    void swingAndFlash();
    void resetsAfterLastAlarm_data();
    void resetsAfterLastAlarm();
    void swingIsEased_data();
    void swingIsEased();
    void restsQuietly();
    void timerDrivesTicks();
};

void TestMenuBarLabel::swingAndFlash_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("flash");

    QTest::newRow("tick 1") << 1 << -18.0 << false;
    QTest::newRow("tick 2") << 2 << 18.0 << false;
    QTest::newRow("tick 3") << 3 << -18.0 << false;
    QTest::newRow("tick 4") << 4 << 18.0 << true;
    QTest::newRow("tick 7") << 7 << -18.0 << true;
    QTest::newRow("tick 8") << 8 << 18.0 << false;
    QTest::newRow("tick 12") << 12 << 18.0 << true;
}

void TestMenuBarLabel::swingAndFlash()
{
    QFETCH(int, ticks);
    QFETCH(double, angle);
    QFETCH(bool, flash);

    MenuBarLabel label;
    label.setAlarmCount(1);
    QSignalSpy changes(&label, &MenuBarLabel::changed);
    for (int i = 0; i < ticks; ++i)
        label.tick();

    QCOMPARE(label.tickCount(), ticks);
    QCOMPARE(label.wobbleAngle(), angle);
    QCOMPARE(label.wobbleDirection(), angle > 0 ? 1.0 : -1.0);
    QCOMPARE(label.flashPhase(), flash);
    QCOMPARE(changes.count(), ticks);
    QVERIFY(label.isTicking());
}

void TestMenuBarLabel::resetsAfterLastAlarm_data()
{
    QTest::addColumn<int>("ticks");

    QTest::newRow("left swing") << 1;
    QTest::newRow("right swing") << 2;
    QTest::newRow("red phase") << 5;
}

void TestMenuBarLabel::resetsAfterLastAlarm()
{
    QFETCH(int, ticks);

    MenuBarLabel label;
    label.setAlarmCount(2);
    for (int i = 0; i < ticks; ++i)
        label.tick();
    QSignalSpy changes(&label, &MenuBarLabel::changed);

    label.setAlarmCount(0);
    QCOMPARE(changes.count(), 1);
    // Still tilted: one more tick is needed to bring the bell back upright.
    QVERIFY(label.isTicking());

    label.tick();
    QCOMPARE(changes.count(), 2);
    QCOMPARE(label.wobbleAngle(), 0.0);
    QCOMPARE(label.wobbleDirection(), 1.0);
    QCOMPARE(label.tickCount(), 0);
    QVERIFY(!label.flashPhase());
    QVERIFY(!label.isTicking());

    label.tick();
    QCOMPARE(changes.count(), 2);

    label.setAlarmCount(1);
    QVERIFY(label.isTicking());
    label.tick();
    QCOMPARE(label.tickCount(), 1);
    QCOMPARE(label.wobbleAngle(), -18.0);
    QVERIFY(!label.flashPhase());
}

void TestMenuBarLabel::swingIsEased_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("toRest");
    QTest::addColumn<int>("ms");
    QTest::addColumn<double>("angle");

    QTest::newRow("first swing starts upright") << 1 << false << 0 << 0.0;
    QTest::newRow("eased in") << 1 << false << 25 << -2.25;
    QTest::newRow("halfway") << 1 << false << 50 << -9.0;
    QTest::newRow("arrived") << 1 << false << 100 << -18.0;
    QTest::newRow("second swing halfway") << 2 << false << 50 << 0.0;
    QTest::newRow("second swing eased out") << 2 << false << 75 << 13.5;
    QTest::newRow("back to rest starts tilted") << 1 << true << 0 << -18.0;
    QTest::newRow("back to rest eased out") << 1 << true << 100 << -4.5;
    QTest::newRow("at rest") << 1 << true << 200 << 0.0;
}

void TestMenuBarLabel::swingIsEased()
{
    QFETCH(int, ticks);
    QFETCH(bool, toRest);
    QFETCH(int, ms);
    QFETCH(double, angle);

    MenuBarLabel label;
    label.setAlarmCount(1);
    for (int i = 0; i < ticks; ++i)
        label.tick();
    if (toRest) {
        label.setAlarmCount(0);
        label.tick();
    }
    QVERIFY(qAbs(label.angleAt(ms) - angle) < 1e-9);
    QVERIFY(label.isAnimating());
    // Frames stop once the swing has arrived, so a bell at rest costs no wake-ups.
    if (toRest)
        QTRY_VERIFY(!label.isAnimating());
}

void TestMenuBarLabel::restsQuietly()
{
    MenuBarLabel label;
    QSignalSpy changes(&label, &MenuBarLabel::changed);
    QVERIFY(!label.isTicking());

    label.tick();
    label.setAlarmCount(0);
    QCOMPARE(changes.count(), 0);
    QVERIFY(!label.isTicking());
    QCOMPARE(label.wobbleAngle(), 0.0);

    // Withdrawn before the first tick: the bell never tilted, so there is nothing to undo.
    label.setAlarmCount(1);
    QVERIFY(label.isTicking());
    label.setAlarmCount(0);
    QVERIFY(!label.isTicking());
    QCOMPARE(changes.count(), 2);
    QCOMPARE(label.tickCount(), 0);
}

void TestMenuBarLabel::timerDrivesTicks()
{
    MenuBarLabel label;
    label.setAlarmCount(1);
    QTRY_VERIFY(label.tickCount() >= 2);
    label.setAlarmCount(0);
    QTRY_VERIFY(!label.isTicking());
    QCOMPARE(label.wobbleAngle(), 0.0);
    QCOMPARE(label.tickCount(), 0);
}

QTEST_GUILESS_MAIN(TestMenuBarLabel)
#include "tst_menubarlabel.moc"
