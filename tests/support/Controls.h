#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace quorvel::test {

// The control a window holds under this object name, the name users and
// accessibility tools see. A missing one ends the test with a failure.
template <class T> T* control(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

} // namespace quorvel::test
