#pragma once

#include "appsettings.h"
#include "eventselection.h"
#include "helpcontent.h"
#include "remindernote.h"
#include "rowmodel.h"

#include <QtQml/qqml.h>

// Types of the libraries below, made known to QML here: those libraries need no Qt Qml.

/// The record as a typed `note` property of cards.
struct ReminderNoteForeign {
    Q_GADGET
    QML_FOREIGN(ReminderNote)
    QML_VALUE_TYPE(reminderNote)
};

struct HelpSectionForeign {
    Q_GADGET
    QML_FOREIGN(HelpSection)
    QML_VALUE_TYPE(helpSection)
};

struct WishForeign {
    Q_GADGET
    QML_FOREIGN(Wish)
    QML_VALUE_TYPE(wish)
};

struct ContributorForeign {
    Q_GADGET
    QML_FOREIGN(Contributor)
    QML_VALUE_TYPE(contributor)
};

/// The settings as the panel's `settings` property.
struct AppSettingsForeign {
    Q_GADGET
    QML_FOREIGN(AppSettings)
    QML_NAMED_ELEMENT(AppSettings)
    QML_UNCREATABLE("made by the app")
};

/// The import and backup screens' lists, known to QML by their properties.
struct RowModelForeign {
    Q_GADGET
    QML_FOREIGN(RowModel)
    QML_NAMED_ELEMENT(RowModel)
    QML_UNCREATABLE("made by a screen")
};

struct EventSelectionForeign {
    Q_GADGET
    QML_FOREIGN(EventSelection)
    QML_NAMED_ELEMENT(EventSelection)
    QML_UNCREATABLE("made by a screen")
};
