#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

/// One card of the help screen: a symbol in a named colour, a title and its feature lines.
struct HelpSection {
    Q_GADGET
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString color MEMBER color)
    Q_PROPERTY(QStringList items MEMBER items)

public:
    QString icon;
    QString title;
    QString color;
    QStringList items;
};

/// A user's wish and whether it has been done.
struct Wish {
    Q_GADGET
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(bool done MEMBER done)

public:
    QString text;
    bool done = false;

    friend bool operator==(const Wish&, const Wish&) = default;
};

/// Someone who asked for changes, with their wishes in order.
struct Contributor {
    Q_GADGET
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QList<Wish> wishes MEMBER wishes)

public:
    QString name;
    QList<Wish> wishes;
};

/// The fixed texts of the help and about screens, built once on first use.
namespace HelpContent {

[[nodiscard]] const QList<HelpSection>& sections();
[[nodiscard]] const QList<Contributor>& contributors();

[[nodiscard]] QString author();
[[nodiscard]] QString maker();
[[nodiscard]] QString website();

/// The whole help as plain text, as "Kopieren" and `zettelwerk hilfe` give it; no final line feed.
[[nodiscard]] QString plainText();

} // namespace HelpContent
