#pragma once

#include "helpcontent.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

/// The help screen: its fixed tables and the copy button, which reads "Kopiert!" for a while.
class HelpController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<HelpSection> sections READ sections CONSTANT)
    Q_PROPERTY(QList<Contributor> contributors READ contributors CONSTANT)
    Q_PROPERTY(bool copied READ copied NOTIFY copiedChanged)

public:
    using QObject::QObject;

    [[nodiscard]] static QList<HelpSection> sections() { return HelpContent::sections(); }
    [[nodiscard]] static QList<Contributor> contributors() { return HelpContent::contributors(); }
    [[nodiscard]] bool copied() const { return m_copied; }
    /// How long "Kopiert!" stays; 2 s unless a test shortens it.
    void setCopiedDuration(int ms) { m_copiedDuration = ms; }

    /// Puts the whole help on the clipboard as plain text.
    Q_INVOKABLE void copyToClipboard();

signals:
    void copiedChanged();

private:
    void setCopied(bool copied);

    bool m_copied = false;
    int m_copiedDuration = 2000;
};
