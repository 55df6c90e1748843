// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryConnection.h"

#include <memory>
#include <optional>

namespace sorario {

// The connection a call works on: the one kept open when it serves, or its own.
class CallConnection
{
public:
    CallConnection(
        const std::weak_ptr<HistoryConnection> &kept, const QString &location, HistoryAccess access)
        : m_kept(kept.lock())
    {
        if (m_kept && access != HistoryAccess::Read && !m_kept->writes())
            m_kept.reset();
        if (!m_kept)
            m_own.emplace(location, access);
    }
    const HistoryConnection &operator*() const { return m_kept ? *m_kept : *m_own; }

private:
    std::shared_ptr<HistoryConnection> m_kept;
    std::optional<HistoryConnection> m_own;
};

// A write transaction undone unless committed, also on a connection kept open after it.
class WriteTransaction
{
public:
    explicit WriteTransaction(const HistoryConnection &c)
        : m_c(c)
    {
        // Taken at once, so that what the transaction reads stays true until it commits.
        for (const QString &statement : m_c.backend().beginWrite())
            m_c.exec(statement);
    }
    ~WriteTransaction()
    {
        if (!m_committed)
            m_c.db().rollback();
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit()
    {
        m_c.exec(QStringLiteral("COMMIT"));
        m_committed = true;
    }

private:
    const HistoryConnection &m_c;
    bool m_committed = false;
};

} // namespace sorario
