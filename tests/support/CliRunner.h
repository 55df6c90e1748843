#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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
    // Without a runtime folder of its own, Qt notes its absence on standard error.
    static QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
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
