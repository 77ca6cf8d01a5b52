#include "platform/linux/QtInstanceGuard.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace quorvel::platform {

QtInstanceGuard::QtInstanceGuard(QString name) : name_(std::move(name)) {}

QtInstanceGuard::~QtInstanceGuard() = default;

QString QtInstanceGuard::defaultName()
{
    return QStringLiteral("Quorvel-instance-%1").arg(qEnvironmentVariable("USER"));
}

bool QtInstanceGuard::anotherInstanceRunning()
{
    if (asked_)
        return another_;
    asked_ = true;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    another_ = !server_->listen(name_);
    if (another_)
        server_.reset();
    return another_;
}

} // namespace quorvel::platform
