#pragma once

#include <QObject>
#include <QString>
#include <QtTest>

// A window's control by its object name, as an assistive tool would find
// it; a missing control fails the test at once.
template <class T = QWidget> T* child(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}
