#include "appearance.h"
#include "testsupport.h"

#include <QColor>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtQml/QQmlExtensionPlugin>

#include <cmath>
#include <memory>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

namespace {

// WCAG 2: relative luminance of an sRGB colour.
double luminance(const QColor& color)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

// What a translucent colour looks like on an opaque one.
QColor over(const QColor& top, const QColor& below)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(static_cast<float>(top.redF() * a + below.redF() * (1 - a)),
        static_cast<float>(top.greenF() * a + below.greenF() * (1 - a)),
        static_cast<float>(top.blueF() * a + below.blueF() * (1 - a)));
}

double contrast(const QColor& text, const QColor& background)
{
    const double a = luminance(over(text, background));
    const double b = luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

const QStringList surfaces = strings("windowBackground|controlBackground|textBackground|material");
const QStringList accents = strings("blue|indigo|orange|red|cyan|purple|green|teal|gray");
// Filled buttons, tiles, the day count and today's day carry text in `onAccent`.
const QStringList fills = strings("blue|indigo|orange|red|green|primary");
} // namespace

// Text against what it is drawn on, every pair the screens use, light and dark, as QML resolves Colors.qml.
class tst_Colors : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_engine.addImportPath(u"qrc:/"_s);
        QQmlComponent component(&m_engine);
        component.setData(
            "import QtQuick\nimport Zettelwerk.Ui\nQtObject { readonly property QtObject colors: Colors }",
            QUrl(u"holder.qml"_s));
        m_holder.reset(component.create());
        QVERIFY2(m_holder, qPrintable(component.errorString()));
        m_colors = m_holder->property("colors").value<QObject*>();
        QVERIFY(m_colors);
    }
    void cleanup() { Appearance::instance().setDark(false); }

    void textContrast_data()
    {
        columns<bool, QString>("dark", "text");
        // A surface, or "<accent> tint on <surface>" for a badge's 12 % wash of its own colour.
        columns<QString, QString>("background", "tintOver");
        for (const bool dark : { false, true }) {
            const char* variant = dark ? "dark" : "light";
            for (const QString& text : { u"primary"_s, u"secondaryText"_s }) {
                for (const QString& surface : surfaces)
                    QTest::addRow("%s: %s on %s", variant, qPrintable(text), qPrintable(surface))
                        << dark << text << surface << QString();
            }
            for (const QString& accent : accents) {
                for (const QString& surface : strings("windowBackground|controlBackground|material"))
                    QTest::addRow("%s: %s on %s", variant, qPrintable(accent), qPrintable(surface))
                        << dark << accent << surface << QString();
                QTest::addRow("%s: %s badge", variant, qPrintable(accent))
                    << dark << accent << accent << u"controlBackground"_s;
            }
            for (const QString& fill : fills)
                QTest::addRow("%s: onAccent on %s", variant, qPrintable(fill))
                    << dark << u"onAccent"_s << fill << QString();
        }
    }

    void textContrast()
    {
        QFETCH(bool, dark);
        QFETCH(QString, text);
        QFETCH(QString, background);
        QFETCH(QString, tintOver);

        Appearance::instance().setDark(dark);
        const QColor foreground = color(text);
        QColor behind = color(background);
        QVERIFY(foreground.isValid() && behind.isValid());
        if (!tintOver.isEmpty()) {
            behind.setAlphaF(0.12f);
            behind = over(behind, color(tintOver));
        }
        QCOMPARE(behind.alpha(), 255);
        const double ratio = contrast(foreground, behind);
        QVERIFY2(ratio >= 4.5,
            qPrintable(u"%1 on %2: %3:1"_s.arg(foreground.name(QColor::HexArgb), behind.name())
                           .arg(ratio, 0, 'f', 2)));
    }

    void everyColourHasItsDarkValue()
    {
        // A colour left out of the dark table would keep its light value; each must also come back.
        const QMetaObject* meta = m_colors->metaObject();
        int colours = 0;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            if (property.metaType() != QMetaType::fromType<QColor>())
                continue;
            ++colours;
            const QString name = QString::fromLatin1(property.name());
            Appearance::instance().setDark(false);
            const QColor light = color(name);
            Appearance::instance().setDark(true);
            const QColor dark = color(name);
            QVERIFY2(light != dark, qPrintable(name));
            Appearance::instance().setDark(false);
            QCOMPARE(color(name), light);
        }
        QVERIFY(colours >= 17);
    }

private:
    QColor color(const QString& name) const
    {
        return m_colors->property(name.toUtf8().constData()).value<QColor>();
    }

    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_holder;
    QObject* m_colors = nullptr;
};

QTEST_MAIN(tst_Colors)
#include "tst_colors.moc"
