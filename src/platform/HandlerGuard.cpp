// SPDX-License-Identifier: MIT
#include "platform/HandlerGuard.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <exception>
#include <new>

namespace handlerguard {

bool run(Prompter& prompter, const std::function<void()>& f)
{
    QString text;
    try {
        f();
        return true;
    } catch (const UserError& e) {
        text = e.text();
    } catch (const std::bad_alloc&) {
        text = QCoreApplication::translate("handlerguard", "メモリが不足しています");
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QCoreApplication::translate("handlerguard", "予期しないエラーが発生しました");
    }
    // The message itself must not throw out of a slot either.
    try {
        prompter.message(Prompter::Icon::Error, text);
    } catch (...) {
    }
    return false;
}

} // namespace handlerguard
