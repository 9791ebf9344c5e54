#include "menubarlabel.h"
#include "testsupport.h"
#include "trayicon.h"

namespace {

constexpr int size = 64;

struct Census {
    int orange = 0;
    int red = 0;
    int opaque = 0;
    double vividX = 0; // mean column of the orange and red pixels
};

Census census(const QImage& image, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    Census counted;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() < 128)
                continue;
            ++counted.opaque;
            const int hue = colour.hsvHue();
            const bool vivid = colour.hsvSaturationF() > 0.5;
            counted.orange += vivid && hue >= 20 && hue <= 50;
            counted.red += vivid && (hue <= 12 || hue >= 345);
            counted.vividX += vivid ? x : 0;
        }
    }
    counted.vividX /= std::max(1, counted.orange + counted.red);
    return counted;
}

QImage render(const MenuBarLabel& label)
{
    // Where the swing is heading (frames between depend on the clock); un-premultiplied to keep the hue.
    return TrayIcon::renderFrame(label, size, label.wobbleAngle()).convertToFormat(QImage::Format_ARGB32);
}

QString stateOf(const MenuBarLabel& label)
{
    return u"%1° %2 ticks"_qs.arg(label.wobbleAngle()).arg(label.tickCount())
        + (label.flashPhase() ? u" red"_qs : QString()) + (label.isTicking() ? u" ticking"_qs : QString());
}

} // namespace

// The tray indicator: the label's swing and colour, and the icon drawn from it.
class tst_TrayIcon : public QObject {
    Q_OBJECT

private slots:
    // Tick by tick: the swing, the flash every fourth tick, the bell's colour, and the bell kept inside.
    void swingAndFlash()
    {
        MenuBarLabel label;
        label.setAlarmCount(1);
        QSignalSpy changes(&label, &MenuBarLabel::changed);
        QStringList states;
        QList<double> crown;
        for (int tick = 0; tick <= 12; ++tick, label.tick()) {
            if (tick == 1 || tick % 4 == 0)
                states.append(stateOf(label));
            const QImage frame = render(label);
            // Orange, red while it flashes; a clipped bell shows solid pixels along the left edge.
            const Census all = census(frame);
            const int wanted = label.flashPhase() ? all.red : all.orange;
            const int other = label.flashPhase() ? all.orange : all.red;
            QVERIFY2(wanted > size * size / 20 && other * 20 < wanted
                    && census(frame, { 0, 0, 1, size }).opaque == 0,
                qPrintable(u"tick %1: orange %2, red %3"_qs.arg(tick).arg(all.orange).arg(all.red)));
            // Only the bell's crown: the count covers part of its mouth.
            crown.append(census(frame, { 0, 0, size, 25 }).vividX);
        }
        QCOMPARE(states,
            strings(
                "0° 0 ticks ticking|-18° 1 ticks ticking|18° 4 ticks red ticking|18° 8 ticks ticking|18° 12 "
                "ticks red ticking"));
        QCOMPARE(changes.count(), 13);
        // Opposite swings lean the crown to opposite sides of upright, each by a few pixels.
        const double one = crown.at(1) - crown.at(0);
        const double other = crown.at(2) - crown.at(0);
        QVERIFY2(std::min(one, other) < -1.5 && std::max(one, other) > 1.5,
            qPrintable(u"%1 / %2"_qs.arg(one).arg(other)));
    }

    void resetsAfterLastAlarm_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::newRow("withdrawn before the first tick") << 0;
        QTest::newRow("left swing") << 1;
        QTest::newRow("red phase") << 5;
    }

    void resetsAfterLastAlarm()
    {
        QFETCH(int, ticks);
        MenuBarLabel label;
        QVERIFY(!label.isTicking());
        label.setAlarmCount(2);
        for (int i = 0; i < ticks; ++i)
            label.tick();
        QSignalSpy changes(&label, &MenuBarLabel::changed);

        label.setAlarmCount(0);
        QCOMPARE(changes.count(), 1);
        // Still tilted: one more tick brings the bell back upright.
        QCOMPARE(label.isTicking(), ticks > 0);
        label.tick();
        // Back upright from where it leant, eased out: the angle at once, after 100 and after 200 ms.
        const QList<double> eased { label.angleAt(0), label.angleAt(100), label.angleAt(200) };
        QCOMPARE(label.isAnimating(), ticks > 0);
        label.tick(); // a label at rest changes nothing
        QCOMPARE(changes.count(), ticks > 0 ? 2 : 1);
        QCOMPARE(stateOf(label), u"0° 0 ticks"_qs);
        QCOMPARE(eased, (ticks > 0 ? QList<double> { -18.0, -4.5, 0.0 } : QList<double> { 0.0, 0.0, 0.0 }));
        const Census resting = census(render(label)); // the note symbol, neither orange nor red
        QVERIFY(resting.opaque > 0 && resting.orange == 0 && resting.red == 0);
        // Frames stop once the swing has arrived, so a bell at rest costs no wake-ups.
        QTRY_VERIFY(!label.isAnimating());

        label.setAlarmCount(1);
        QVERIFY(label.isTicking());
        label.tick();
        QCOMPARE(stateOf(label), u"-18° 1 ticks ticking"_qs);
    }

    void swingIsEased_data()
    {
        columns<int, int, double>("ticks", "ms", "angle");
        QTest::newRow("first swing starts upright") << 1 << 0 << 0.0;
        QTest::newRow("eased in") << 1 << 25 << -2.25;
        QTest::newRow("second swing halfway") << 2 << 50 << 0.0;
    }

    void swingIsEased()
    {
        QFETCH(int, ticks);
        QFETCH(int, ms);
        MenuBarLabel label;
        label.setAlarmCount(1);
        for (int i = 0; i < ticks; ++i)
            label.tick();
        QTEST(label.angleAt(ms), "angle");
        QVERIFY(label.isAnimating());
    }

    void timerDrivesTicks()
    {
        MenuBarLabel label;
        label.setAlarmCount(1);
        QTRY_VERIFY(label.tickCount() >= 2);
        label.setAlarmCount(0);
        QTRY_VERIFY(!label.isTicking());
    }

    void countIsDrawn()
    {
        const QRect corner(28, 26, size - 28, size - 26);
        const QRect top(0, 0, size, 25);
        QList<QImage> frames;
        for (const int count : { 1, 3, 12, 99 }) {
            MenuBarLabel label;
            label.setAlarmCount(count);
            frames.append(render(label));
            // The number lives in its corner: the bell above it is the same for every count.
            QCOMPARE(frames.last().copy(top), frames.first().copy(top));
            for (qsizetype i = 0; i + 1 < frames.size(); ++i)
                QVERIFY2(
                    frames[i].copy(corner) != frames.last().copy(corner), qPrintable(QString::number(count)));
        }
    }

    void trayIconFollowsLabel()
    {
        MenuBarLabel label;
        TrayIcon tray(label);
        const QImage resting = render(label);
        auto shown = [&tray] {
            return tray.icon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(shown(), resting);
        label.setAlarmCount(3);
        label.noteFired({ u"Zahnarzt – 14:30"_qs });
        label.noteFired({ u"A – 14:31"_qs, u"B – 14:31"_qs, u"C – 14:32"_qs });
        for (int i = 0; i < 5; ++i)
            label.tick(); // red and swung
        QVERIFY(census(shown()).red > 0);
        QCOMPARE(tray.toolTip(), u"4 Erinnerungen, zuletzt:\nA – 14:31\nB – 14:31\nC – 14:32"_qs);

        // The last alarm seen: the resting symbol at once, and after the bell's last tick.
        label.setAlarmCount(0);
        label.forgetFired();
        QCOMPARE(shown(), resting);
        label.tick();
        QCOMPARE(render(label), resting);
        QCOMPARE(tray.toolTip(), u"Zettelwerk"_qs);
    }
};

QTEST_MAIN(tst_TrayIcon)
#include "tst_trayicon.moc"
