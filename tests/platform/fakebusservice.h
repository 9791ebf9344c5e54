#pragma once

#include <QDBusConnection>
#include <QDBusContext>

// A desktop service on a bus connection of its own, so calls really travel through the bus daemon.
class FakeBusService : public QObject {
public:
    static inline const QString connectionName = QStringLiteral("fake");

    FakeBusService(QString service, QString path)
        : m_service(std::move(service))
        , m_path(std::move(path))
    {
    }

    ~FakeBusService() override
    {
        QDBusConnection bus(connectionName);
        bus.unregisterService(m_service);
        bus.unregisterObject(m_path);
        QDBusConnection::disconnectFromBus(connectionName);
    }

    bool start()
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        return bus.isConnected() && bus.registerObject(m_path, this, QDBusConnection::ExportAllSlots)
            && bus.registerService(m_service);
    }

protected:
    const QString m_service;
    const QString m_path;
};
