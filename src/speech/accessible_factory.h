#pragma once

#include <QAccessible>

// The window's own accessible interfaces come from factories installed with
// QAccessible::installFactory (Qt keeps each factory once, however often it
// is installed). Qt may make a widget's plain interface while the widget is
// still being built, before a factory can tell what it is; that one is
// dropped, so the next query goes through the factories again.
inline void DropInterfaceMadeTooEarly(QObject* object, QAccessible::Role wanted) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(object);
    if (early && early->role() != wanted) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
    }
}
