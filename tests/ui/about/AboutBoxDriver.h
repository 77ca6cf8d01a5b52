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
        : whileOpen_(std::move(whileOpen))
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { check(); });
        poll_.start(5);
    }

    // True once the box has been seen open.
    bool ran() const { return ran_; }

private:
    void check()
    {
        QPointer<ui::frmAbout> box = qobject_cast<ui::frmAbout*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll_.stop();
        ran_ = true;
        if (whileOpen_)
            whileOpen_(*box);
        if (box)
            box->close();
    }

    std::function<void(ui::frmAbout&)> whileOpen_;
    QTimer poll_;
    bool ran_ = false;
};

} // namespace quorvel::test
