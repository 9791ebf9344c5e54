#include "zettelwerkapp.h"

#include "cli.h"
#include "notestore.h"
#include "trayicon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScreen>

ZettelwerkApp::ZettelwerkApp(const QString& dataDirectory, QObject* parent)
    : QObject(parent)
    , m_store(new NoteStore(dataDirectory, systemClock(), this))
{
}

ZettelwerkApp::~ZettelwerkApp() = default;

bool ZettelwerkApp::start()
{
    const bool hasTray = QSystemTrayIcon::isSystemTrayAvailable();
    if (hasTray) {
        m_tray = new TrayIcon(this);
        connect(m_tray, &TrayIcon::toggleRequested, this, &ZettelwerkApp::togglePanel);
        m_tray->show();
    }

    m_engine = std::make_unique<QQmlApplicationEngine>();
    connect(m_engine.get(), &QQmlApplicationEngine::quit, qApp, &QCoreApplication::quit);
    m_engine->setInitialProperties({ { QStringLiteral("asPopup"), hasTray } });
    m_engine->load(QUrl(QStringLiteral("qrc:/Zettelwerk/Ui/qml/Panel.qml")));
    if (m_engine->rootObjects().isEmpty())
        return false;
    m_panel = qobject_cast<QQuickWindow*>(m_engine->rootObjects().constFirst());
    if (!m_panel)
        return false;

    // Without a tray there is no other way in: show the panel right away.
    if (!hasTray)
        showPanel();
    return true;
}

void ZettelwerkApp::showPanel()
{
    if (!m_panel)
        return;
    placePanel();
    m_panel->show();
    m_panel->raise();
    m_panel->requestActivate();
}

void ZettelwerkApp::togglePanel()
{
    if (m_panel && m_panel->isVisible())
        m_panel->hide();
    else
        showPanel();
}

void ZettelwerkApp::placePanel()
{
    const QRect iconArea = m_tray ? m_tray->geometry() : QRect();
    QScreen* screen = iconArea.isValid() ? QGuiApplication::screenAt(iconArea.center()) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(), m_panel->size());
    if (iconArea.isValid()) {
        // Below a top panel, above a bottom one; horizontally centred on the icon.
        frame.moveCenter(iconArea.center());
        frame.moveTop(iconArea.center().y() < available.center().y() ? iconArea.bottom() + 4
                                                                     : iconArea.top() - 4 - frame.height());
    } else {
        frame.moveCenter(available.center());
    }
    frame.moveLeft(std::clamp(
        frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
    frame.moveTop(std::clamp(
        frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
    m_panel->setPosition(frame.topLeft());
}

QByteArray ZettelwerkApp::handleRequest(const QByteArray& request)
{
    const QStringList args = Cli::decodeRequest(request);
    if (args.isEmpty()) {
        showPanel();
        return Cli::encodeResult(
            { 0, QStringLiteral("Zettelwerk läuft bereits – das Panel wurde geöffnet.\n"), {} });
    }
    return Cli::encodeResult(Cli::execute(args, *m_store));
}
