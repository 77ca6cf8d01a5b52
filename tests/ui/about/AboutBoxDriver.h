#pragma once

#include "ui/about/frmAbout.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace quorvel::test {

// Runs whileOpen on the About box once its modal loop runs, then closes the
// box if whileOpen left it open, so that no test waits on a modal loop. The
// watch ends with the driver, whether or not the box ever opened.
class AboutBoxDriver {
public:
    explicit AboutBoxDriver(std::function<void(ui::frmAbout&)> whileOpen = {})
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, whileOpen = std::move(whileOpen)] {
            QPointer box = qobject_cast<ui::frmAbout*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll_.stop();
            ran_ = true;
            if (whileOpen)
                whileOpen(*box);
            if (box)
                box->close();
        });
        poll_.start(5);
    }

    // True once the box has been seen open.
    bool ran() const { return ran_; }

private:
    QTimer poll_;
    bool ran_ = false;
};

} // namespace quorvel::test
