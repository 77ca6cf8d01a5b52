#pragma once

#include "platform/InstanceGuard.h"

#include <QString>

#include <memory>

class QLocalServer;

namespace quorvel::platform {

// A local socket in Linux's abstract namespace: no file is written, and the
// name disappears with the process that holds it, however it ends.
class QtInstanceGuard : public InstanceGuard {
public:
    explicit QtInstanceGuard(QString name = defaultName());
    ~QtInstanceGuard() override;

    bool anotherInstanceRunning() override;

    static QString defaultName();

private:
    QString name_;
    std::unique_ptr<QLocalServer> server_;
    bool asked_ = false;
    bool another_ = false;
};

} // namespace quorvel::platform
