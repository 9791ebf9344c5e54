#pragma once

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

/// The about screen: name, version, author and maker, and the disclaimer in the chosen language.
/// The language lives only as long as the screen; it opens in German every time.
class AboutController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(DisclaimerLanguage language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(QStringList languageNames READ languageNames CONSTANT)
    Q_PROPERTY(QString disclaimerHeading READ disclaimerHeading NOTIFY languageChanged)
    Q_PROPERTY(QString disclaimerText READ disclaimerText NOTIFY languageChanged)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)
    Q_PROPERTY(QString author READ author CONSTANT)
    Q_PROPERTY(QString maker READ maker CONSTANT)
    Q_PROPERTY(QString website READ website CONSTANT)

public:
    enum class DisclaimerLanguage { Deutsch, English };
    Q_ENUM(DisclaimerLanguage)

    using QObject::QObject;

    [[nodiscard]] DisclaimerLanguage language() const { return m_language; }
    void setLanguage(DisclaimerLanguage language);
    /// The picker's labels, in the order of `DisclaimerLanguage`.
    [[nodiscard]] static QStringList languageNames();
    [[nodiscard]] QString disclaimerHeading() const;
    [[nodiscard]] QString disclaimerText() const;
    /// "v1.2".
    [[nodiscard]] static QString versionText();
    [[nodiscard]] static QString author();
    [[nodiscard]] static QString maker();
    [[nodiscard]] static QString website();

signals:
    void languageChanged();

private:
    DisclaimerLanguage m_language = DisclaimerLanguage::Deutsch;
};
