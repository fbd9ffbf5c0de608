#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

#include <csignal>
#include <sys/types.h>

// A real server on 127.0.0.1 for a test: started with a free port (the
// server takes port 0 or the test picks one), stopped by its process id.
class LocalServer
{
public:
    // Starts the program and waits until its output says the port it
    // serves on; `portPattern` has the port as its first group.
    bool start(const QString &program, const QStringList &arguments, const QString &folder,
               const QString &portPattern, int timeoutMs = 30000)
    {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.setWorkingDirectory(folder);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        const QRegularExpression pattern(portPattern);
        return QTest::qWaitFor(
            [&] {
                m_log += QString::fromUtf8(m_process.readAll());
                const QRegularExpressionMatch m = pattern.match(m_log);
                if (m.hasMatch())
                    m_port = m.captured(1).toInt();
                return m_port > 0 || m_process.state() == QProcess::NotRunning;
            },
            timeoutMs)
               && m_port > 0;
    }

    ~LocalServer() { stop(); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            ::kill(pid_t(m_process.processId()), SIGKILL);
            m_process.waitForFinished(5000);
        }
    }

    int port() const { return m_port; }
    QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    // What the server has said so far: its request log.
    QString log()
    {
        m_log += QString::fromUtf8(m_process.readAll());
        return m_log;
    }

private:
    QProcess m_process;
    QString m_log;
    int m_port = 0;
};
