#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace sorario::test {

struct CliRun
{
    int exitCode = -1; // -1: did not finish, or crashed
    QByteArray out;
    QString err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

// Runs sorario-cli with `args`, in `folder` when one is given.
inline CliRun runCli(const QStringList &args, const QString &folder = QString())
{
    // As started by root or over ssh: standard error must still hold only the
    // program's own messages.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QProcess p;
    p.setProcessEnvironment(env);
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(QStringLiteral(SORARIO_CLI), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace sorario::test
