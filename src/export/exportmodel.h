#pragma once

#include "notestore.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <optional>

/// One record as the export screen lists it.
struct ExportRow {
    Q_GADGET
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString dateText MEMBER dateText)
    Q_PROPERTY(QString repeatText MEMBER repeatText)
    Q_PROPERTY(bool selected MEMBER selected)

public:
    QString id;
    QString title;
    /// `d. MMM yyyy, HH:mm`: the alarm of an appointment, the creation of a note.
    QString dateText;
    /// The repeat rule's name, empty when the appointment does not repeat.
    QString repeatText;
    bool selected = false;

    friend bool operator==(const ExportRow&, const ExportRow&) = default;
};

/// One of the four groups: upcoming, today, past, notes.
struct ExportGroup {
    Q_GADGET
    Q_PROPERTY(QString key MEMBER key)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString icon MEMBER icon)
    Q_PROPERTY(QString color MEMBER color)
    Q_PROPERTY(QString buttonText MEMBER buttonText)
    Q_PROPERTY(QList<ExportRow> rows MEMBER rows)

public:
    QString key;
    QString title;
    QString icon;
    QString color;
    /// "Keine" when every row is selected, else "Alle".
    QString buttonText;
    QList<ExportRow> rows;

    friend bool operator==(const ExportGroup&, const ExportGroup&) = default;
};

/// The backup screen: choosing records, saving them as JSON or ICS, and replacing every record
/// with a backup's, with undo. Made with the screen; nothing of it outlives it.
class ExportModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString selectionText READ selectionText NOTIFY changed)
    Q_PROPERTY(QString allButtonText READ allButtonText NOTIFY changed)
    Q_PROPERTY(QString jsonButtonText READ jsonButtonText NOTIFY changed)
    Q_PROPERTY(QString icsButtonText READ icsButtonText NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(bool messageIsError READ messageIsError NOTIFY changed)
    Q_PROPERTY(bool showRestoreConfirm READ showRestoreConfirm NOTIFY changed)
    Q_PROPERTY(QString restoreWarning READ restoreWarning NOTIFY changed)
    Q_PROPERTY(QString restoredText READ restoredText NOTIFY changed)

public:
    /// What a file dialog is asked for; the screen shows it, tests answer it.
    struct FileRequest {
        bool save = false;
        QString title;
        QString proposedName;
        QString nameFilter;
    };
    using FileChooser = std::function<std::optional<QString>(const FileRequest&)>;

    explicit ExportModel(QObject* parent = nullptr);

    void setStore(NoteStore* store);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    /// How long the error and the export messages stay (3 s and 4 s unless a test shortens them).
    void setMessageDurations(int errorMs, int exportMs);

    [[nodiscard]] QList<ExportGroup> groups() const;
    /// "S von T ausgewählt".
    [[nodiscard]] QString selectionText() const;
    /// "Keine" when everything is selected, else "Alle".
    [[nodiscard]] QString allButtonText() const;
    [[nodiscard]] QString jsonButtonText() const;
    [[nodiscard]] QString icsButtonText() const;
    [[nodiscard]] QString message() const { return m_message; }
    /// The message tells of a failure rather than a success.
    [[nodiscard]] bool messageIsError() const { return m_messageIsError; }
    [[nodiscard]] bool showRestoreConfirm() const { return m_pendingRestore.has_value(); }
    /// "N bestehende Einträge werden ersetzt!"
    [[nodiscard]] QString restoreWarning() const;
    /// "N Einträge wiederhergestellt" while the restore can be undone, else empty.
    [[nodiscard]] QString restoredText() const;

    [[nodiscard]] QSet<QUuid> selection() const;
    [[nodiscard]] ReminderNotes chosenRecords() const;
    [[nodiscard]] ReminderNotes chosenAppointments() const;

    Q_INVOKABLE void toggleRow(const QString& id);
    Q_INVOKABLE void toggleGroup(const QString& key);
    Q_INVOKABLE void toggleAll();
    Q_INVOKABLE void exportJson();
    Q_INVOKABLE void exportIcs();
    /// "JSON-Backup öffnen...": asks for a file, checks it and asks to confirm.
    Q_INVOKABLE void pickBackup();
    Q_INVOKABLE void confirmRestore();
    Q_INVOKABLE void cancelRestore();
    Q_INVOKABLE void undoRestore();

signals:
    void changed();

private:
    [[nodiscard]] const ReminderNotes& notes() const;
    [[nodiscard]] QDateTime now() const;
    void setSelection(const QSet<QUuid>& ids);
    void showMessage(const QString& text, int durationMs);
    void showError(const QString& text);
    void exported(const QString& text);
    /// Asks where to save and writes `bytes` there; false (after saying why) when nothing was written.
    bool saveAs(const FileRequest& request, const QByteArray& bytes);
    void forgetVanishedSelection();

    QPointer<NoteStore> m_store;
    FileChooser m_chooser;
    std::optional<QSet<QUuid>> m_selectedIDs;
    QString m_message;
    bool m_messageIsError = false;
    std::optional<RestoreResult> m_restoreResult;
    std::optional<QByteArray> m_pendingRestore;
    int m_errorMs = 3000;
    int m_exportMs = 4000;
};
