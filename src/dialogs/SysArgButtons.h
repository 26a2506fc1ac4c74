#pragma once

#include <QList>
#include <QString>

// The ready-made texts of the system-parameter picker: "%" variables that the engine replaces when a
// report is built (%p page number, %P page count, %d and %D the date, %t and %T the time, %N the record
// number, %I the fonds name of the settings).
namespace dialogs
{

struct SysArgButton {
    int toolbar; // 0 or 1
    QString key;
    QString caption;
    QString text; // what the button puts into the box, replacing what it held
};

// Both toolbars' buttons in their order. The second toolbar's keys Time4, Time6 and Date6 have neither
// caption nor text and are left out.
const QList<SysArgButton>& SysArgButtons();

// The message that refuses OK, or "" when the box holds a text.
QString SysArgFault(const QString& boxText);

} // namespace dialogs
