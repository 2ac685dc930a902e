// SPDX-License-Identifier: MIT
#include "platform/Store.h"

#include "platform/HandlerGuard.h"

Store::Store(Prompter& prompter, Step load, Step save)
    : m_prompter(prompter), m_load(std::move(load)), m_save(std::move(save))
{
}

bool Store::load()
{
    m_loaded = false;
    m_loaded = handlerguard::run(m_prompter, m_load);
    return m_loaded;
}

bool Store::save()
{
    if (!m_loaded)
        return false;
    return handlerguard::run(m_prompter, m_save);
}
