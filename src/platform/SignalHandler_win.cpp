// SPDX-License-Identifier: MIT
// Windows: no signals end the program; the session ends it through its windows.
#include "platform/SignalHandler.h"

SignalHandler::SignalHandler(QObject* parent) : QObject(parent) {}

SignalHandler::~SignalHandler() = default;
