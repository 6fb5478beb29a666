#pragma once

#include <QAction>
#include <QTest>
#include <QWidget>

namespace urok::test {

// A control of a window by its name; fails the test when it is missing.
template <class T>
T *control(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}

inline QAction *action(QWidget *window, const QString &name)
{
    return control<QAction>(window, name);
}

} // namespace urok::test
