#include "ui/common/Forms.h"

namespace quorvel::ui {

void Forms::load(QWidget* form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &QObject::destroyed, this, &Forms::forget);
    forms_.append(form);
}

void Forms::unload(QWidget* form)
{
    // A window whose own close handling refuses stays loaded.
    if (isLoaded(form) && form->close())
        forget(form);
}

void Forms::unloadAll()
{
    // A window's own close handling may unload others: work on a snapshot.
    const QList<QWidget*> snapshot = loaded();
    for (QWidget* form : snapshot)
        unload(form);
}

QList<QWidget*> Forms::loaded() const
{
    QList<QWidget*> result;
    for (const QPointer<QWidget>& form : forms_) {
        if (form)
            result.append(form.data());
    }
    return result;
}

bool Forms::isLoaded(const QWidget* form) const
{
    for (const QPointer<QWidget>& entry : forms_) {
        if (entry.data() == form)
            return true;
    }
    return false;
}

void Forms::forget(QObject* form)
{
    const bool had = !forms_.isEmpty();
    forms_.removeIf(
        [form](const QPointer<QWidget>& entry) { return !entry || entry.data() == form; });
    if (had && forms_.isEmpty())
        emit allUnloaded();
}

} // namespace quorvel::ui
