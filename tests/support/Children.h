#pragma once
// A window's control by its object name, as the tests drive them; a missing one ends
// the test at once, naming it.

#include <QObject>
#include <QString>

namespace kx::test {

template <typename W> W* child(QObject* parent, const char* name) {
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qFatal("no child %s", name);
    return widget;
}

} // namespace kx::test
