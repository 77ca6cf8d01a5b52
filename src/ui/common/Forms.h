#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quorvel::ui {

// The program's loaded windows. A window is loaded from its creation until it
// is unloaded (closed by code) or destroyed after the user closed it.
class Forms : public QObject {
    Q_OBJECT
public:
    // Takes note of a window; it is deleted once it closes.
    void load(QWidget* form);
    void unload(QWidget* form);
    // Unloads every loaded window in the order they were loaded.
    void unloadAll();

    // Drops a window from the list without closing it (it is going away already).
    void forget(QObject* form);

    QList<QWidget*> loaded() const;
    bool isLoaded(const QWidget* form) const;

signals:
    // The last loaded window has gone: nothing keeps the program alive.
    void allUnloaded();

private:
    QList<QPointer<QWidget>> forms_;
};

} // namespace quorvel::ui
