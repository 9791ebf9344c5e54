#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

/// The repeat rule of an appointment, in the order pickers list it.
enum class RepeatInterval { None, Daily, Weekly, Monthly, Yearly };

/// All repeat rules in picker order.
inline constexpr std::array<RepeatInterval, 5> allRepeatIntervals {
    RepeatInterval::None,
    RepeatInterval::Daily,
    RepeatInterval::Weekly,
    RepeatInterval::Monthly,
    RepeatInterval::Yearly,
};

/// The German text that identifies a repeat rule in files and on screen.
[[nodiscard]] QString repeatIntervalText(RepeatInterval interval);
/// The rule whose text is exactly `text`, or nothing.
[[nodiscard]] std::optional<RepeatInterval> repeatIntervalFromText(const QString& text);

/// The first `count` user-perceived characters of `text` (an emoji or an accented letter is one).
[[nodiscard]] QString leadingCharacters(const QString& text, int count);
/// What an alarm says: the first `count` characters of `text`, "Neue Notiz" for an empty text.
[[nodiscard]] QString alarmText(const QString& text, int count);

/// One record: a plain note when `hasAlarm` is false, an appointment otherwise.
struct ReminderNote {
    Q_GADGET
    Q_PROPERTY(QUuid id MEMBER id)
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QDateTime createdAt MEMBER createdAt)
    Q_PROPERTY(bool hasAlarm MEMBER hasAlarm)
    Q_PROPERTY(QDateTime alarmDate MEMBER alarmDate)
    Q_PROPERTY(bool usePopup MEMBER usePopup)
    Q_PROPERTY(bool useSound MEMBER useSound)
    Q_PROPERTY(QString soundName MEMBER soundName)
    Q_PROPERTY(bool isTriggered MEMBER isTriggered)
    Q_PROPERTY(QString launchAppPath MEMBER launchAppPath)
    Q_PROPERTY(QString shellScript MEMBER shellScript)
    Q_PROPERTY(QString importSource MEMBER importSource)
    Q_PROPERTY(QString importBatchId MEMBER importBatchId)
    Q_PROPERTY(QString title READ title)

public:
    QUuid id;
    QString text;
    QDateTime createdAt;
    bool hasAlarm = false;
    QDateTime alarmDate;
    RepeatInterval repeatInterval = RepeatInterval::None;
    bool usePopup = true;
    bool useSound = false;
    QString soundName = QStringLiteral("Glass");
    bool isTriggered = false;
    QString launchAppPath;
    QString shellScript;
    std::optional<QDateTime> alarmEndDate;
    QString importSource;
    QString importBatchId;
    /// Put off from an alarm: fires once more at this moment, beside the regular `alarmDate`.
    std::optional<QDateTime> snoozeDate;

    /// A new record with every default: fresh id, `createdAt` and `alarmDate` both `now`.
    [[nodiscard]] static ReminderNote create(const QDateTime& now);

    /// First line of the text, trimmed, at most 50 user-perceived characters; "Neue Notiz" when empty.
    [[nodiscard]] QString title() const;
    [[nodiscard]] bool isImported() const { return !importSource.isEmpty(); }
    /// Every field equal: records are the same one by `id`, the same content by this.
    [[nodiscard]] bool hasSameFields(const ReminderNote& other) const;
};

using ReminderNotes = QList<ReminderNote>;

Q_DECLARE_METATYPE(ReminderNote)
