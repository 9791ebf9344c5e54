#pragma once

#include "remindernote.h"

#include <QtQml/qqml.h>

/// Makes the model's record a QML value type, so cards can take it as a typed `note` property.
struct ReminderNoteForeign {
    Q_GADGET
    QML_FOREIGN(ReminderNote)
    QML_VALUE_TYPE(reminderNote)
};
