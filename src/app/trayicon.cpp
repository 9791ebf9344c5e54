#include "trayicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

TrayIcon::TrayIcon(QObject* parent)
    : QSystemTrayIcon(restingIcon(), parent)
{
    setToolTip(QStringLiteral("Zettelwerk"));
    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger || reason == DoubleClick)
            emit toggleRequested();
    });
}

QIcon TrayIcon::restingIcon()
{
    QIcon icon;
    for (const int size : { 16, 22, 24, 32, 44, 64 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);

        // A page with a folded top-right corner and three lines of text.
        QPainterPath page;
        page.moveTo(5, 2.5);
        page.lineTo(15, 2.5);
        page.lineTo(19.5, 7);
        page.lineTo(19.5, 21.5);
        page.lineTo(5, 21.5);
        page.closeSubpath();
        painter.setPen(QPen(QColor(30, 30, 30), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(245, 245, 245));
        painter.drawPath(page);
        painter.drawPolyline(QPolygonF({ { 15, 2.5 }, { 15, 7 }, { 19.5, 7 } }));
        painter.setPen(QPen(QColor(30, 30, 30), 1.5, Qt::SolidLine, Qt::RoundCap));
        for (const double y : { 11.0, 14.5, 18.0 })
            painter.drawLine(QPointF(8, y), QPointF(y < 12 ? 13.5 : 16.5, y));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
