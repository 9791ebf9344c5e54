// The peer of bench_app: the least a Qt tray app with a QML window can be. A tray icon; a click
// shows a small QML window (made on the first click) or hides it again. It draws with the CPU as
// the app does.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSystemTrayIcon>

#include <memory>

int main(int argc, char** argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter(&pixmap).fillRect(4, 4, 24, 24, Qt::darkBlue);
    QSystemTrayIcon tray { QIcon(pixmap) };
    std::unique_ptr<QQmlApplicationEngine> engine;
    QObject::connect(&tray, &QSystemTrayIcon::activated, [&engine] {
        if (!engine) {
            engine = std::make_unique<QQmlApplicationEngine>();
            engine->loadData("import QtQuick\n"
                             "Window { width: 360; height: 580; visible: true\n"
                             "  Rectangle { anchors.fill: parent; color: \"#f4f4f4\"\n"
                             "    Text { anchors.centerIn: parent; text: \"Zettelwerk\" } } }\n");
            return;
        }
        auto* window = qobject_cast<QQuickWindow*>(engine->rootObjects().value(0));
        if (window)
            window->setVisible(!window->isVisible());
    });
    tray.show();
    return QApplication::exec();
}
