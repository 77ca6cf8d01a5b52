#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace quorvel::test {

// A window's control by its object name; a missing one fails the test.
template <class T> T* control(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

} // namespace quorvel::test
