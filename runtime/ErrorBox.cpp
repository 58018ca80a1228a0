#include "runtime/ErrorBox.h"

#include <exception>

#include <QString>

#include "runtime/Exception.h"
#include "runtime/MessageBox.h"

void Guarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &error) {
        ShowErrorMessage(error.Message());
    } catch (const std::exception &error) {
        ShowErrorMessage(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowErrorMessage(QStringLiteral("An unexpected error occurred."));
    }
}

void CallHandler(const TNotifyEvent &handler, QObject *sender)
{
    if (handler)
        Guarded([&] { handler(sender); });
}
