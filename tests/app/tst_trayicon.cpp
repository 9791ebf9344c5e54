#include "menubarlabel.h"
#include "trayicon.h"

#include <QTest>

namespace {

constexpr int size = 64;

struct Census {
    int orange = 0;
    int red = 0;
    int white = 0;
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
            counted.white += colour.hsvSaturationF() < 0.1 && colour.valueF() > 0.9;
            counted.vividX += vivid ? x : 0;
        }
    }
    counted.vividX /= std::max(1, counted.orange + counted.red);
    return counted;
}

QImage render(const MenuBarLabel& label)
{
    // Un-premultiplied, so that the half-covered edge pixels keep their hue.
    // Where the swing is heading: the in-between frames depend on the clock.
    return TrayIcon::renderFrame(label, size, label.wobbleAngle()).convertToFormat(QImage::Format_ARGB32);
}

QImage alarmFrame(int count, int ticks)
{
    MenuBarLabel label;
    label.setAlarmCount(count);
    for (int i = 0; i < ticks; ++i)
        label.tick();
    return render(label);
}

} // namespace

class tst_TrayIcon : public QObject {
    Q_OBJECT

private slots:
    void restingFrameIsNeutral();
    void alarmColour_data();
    void alarmColour();
    void swingIsVisible();
    void swingStaysInside();
    void countIsDrawn();
    void noAlarmsLeftRestores();
    void trayIconFollowsLabel();
};

void tst_TrayIcon::restingFrameIsNeutral()
{
    const Census resting = census(alarmFrame(0, 3));
    QVERIFY2(resting.opaque > size * size / 10, qPrintable(QString::number(resting.opaque)));
    QCOMPARE(resting.orange, 0);
    QCOMPARE(resting.red, 0);
}

void tst_TrayIcon::alarmColour_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("red");

    QTest::newRow("before the first tick") << 0 << false;
    QTest::newRow("tick 1") << 1 << false;
    QTest::newRow("tick 2") << 2 << false;
    QTest::newRow("tick 3") << 3 << false;
    QTest::newRow("tick 4") << 4 << true;
    QTest::newRow("tick 7") << 7 << true;
    QTest::newRow("tick 8") << 8 << false;
    QTest::newRow("tick 12") << 12 << true;
}

void tst_TrayIcon::alarmColour()
{
    QFETCH(int, ticks);
    QFETCH(bool, red);

    const Census frame = census(alarmFrame(1, ticks));
    const int wanted = red ? frame.red : frame.orange;
    const int other = red ? frame.orange : frame.red;
    QVERIFY2(wanted > size * size / 20 && other * 20 < wanted,
        qPrintable(QStringLiteral("orange %1, red %2").arg(frame.orange).arg(frame.red)));
}

void tst_TrayIcon::swingIsVisible()
{
    // Only the bell's crown: the count covers part of its mouth.
    auto crownCentre = [](const MenuBarLabel& label) {
        return census(render(label), { 0, 0, size, 25 }).vividX;
    };
    MenuBarLabel label;
    label.setAlarmCount(1);
    const double upright = crownCentre(label);
    label.tick();
    QCOMPARE(label.wobbleAngle(), -MenuBarLabel::swingDegrees);
    const double one = crownCentre(label) - upright;
    label.tick();
    QCOMPARE(label.wobbleAngle(), MenuBarLabel::swingDegrees);
    const double other = crownCentre(label) - upright;

    // Opposite swings lean the crown to opposite sides, each by a few pixels.
    const QString seen = QStringLiteral("%1 / %2").arg(one).arg(other);
    QVERIFY2(std::min(one, other) < -1.5 && std::max(one, other) > 1.5, qPrintable(seen));
}

void tst_TrayIcon::swingStaysInside()
{
    MenuBarLabel label;
    label.setAlarmCount(1);
    for (int tick = 0; tick <= 8; ++tick, label.tick()) {
        // A clipped bell shows as a straight run of solid pixels along the left edge.
        QVERIFY2(census(render(label), QRect(0, 0, 1, size)).opaque == 0, qPrintable(QString::number(tick)));
    }
}

void tst_TrayIcon::countIsDrawn()
{
    const QRect corner(28, 26, size - 28, size - 26);
    const QRect top(0, 0, size, 25);
    const QList<int> counts { 1, 3, 9, 12, 99 };
    QList<QImage> frames;
    for (const int count : counts) {
        frames.append(alarmFrame(count, 0));
        QVERIFY2(census(frames.last(), corner).white > 30, qPrintable(QString::number(count)));
        // The number lives in its corner: the bell above it is the same for every count.
        QCOMPARE(frames.last().copy(top), frames.first().copy(top));
    }
    for (int i = 0; i < frames.size(); ++i) {
        for (int j = i + 1; j < frames.size(); ++j)
            QVERIFY2(
                frames[i].copy(corner) != frames[j].copy(corner), qPrintable(QString::number(counts[j])));
    }
}

void tst_TrayIcon::noAlarmsLeftRestores()
{
    const QImage resting = alarmFrame(0, 0);
    MenuBarLabel label;
    label.setAlarmCount(2);
    for (int i = 0; i < 5; ++i)
        label.tick(); // red and swung
    label.setAlarmCount(0);
    QCOMPARE(render(label), resting);
    label.tick();
    QCOMPARE(render(label), resting);
}

void tst_TrayIcon::trayIconFollowsLabel()
{
    MenuBarLabel label;
    TrayIcon tray(label);
    auto shown
        = [&tray] { return tray.icon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32); };
    QCOMPARE(shown(), render(label));
    label.setAlarmCount(3);
    label.tick();
    QVERIFY(census(shown()).orange > 0);
    QVERIFY(tray.toolTip() != QStringLiteral("Zettelwerk"));
    label.setAlarmCount(0);
    QCOMPARE(shown(), render(label));
    QCOMPARE(tray.toolTip(), QStringLiteral("Zettelwerk"));
}

QTEST_MAIN(tst_TrayIcon)
#include "tst_trayicon.moc"
