#include "fulldisk.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_previous);
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = m_previous;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

QString fileTooLarge()
{
    return qt_error_string(EFBIG);
}

Saved inChildWithFileLimit(rlim_t bytes, const std::function<Saved()> &write)
{
    int channel[2];
    if (pipe(channel) != 0)
        return Saved::failed(QStringLiteral("no pipe"));
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return Saved::failed(QStringLiteral("no child process"));
    }
    if (child == 0) {
        close(channel[0]);
        Saved saved;
        {
            const FileSizeLimit limit(bytes);
            saved = write();
        }
        // The answer goes through the pipe, which no file-size limit touches.
        const QByteArray answer = (saved.ok ? "1" : "0") + saved.reason.toUtf8();
        const char *p = answer.constData();
        qsizetype left = answer.size();
        while (left > 0) {
            const ssize_t n = ::write(channel[1], p, size_t(left));
            if (n <= 0)
                break;
            p += n;
            left -= n;
        }
        _exit(0);
    }
    close(channel[1]);
    QByteArray answer;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(channel[0], buffer, sizeof buffer);
        if (n > 0)
            answer.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || answer.isEmpty())
        return Saved::failed(QStringLiteral("the writing child did not finish"));
    return {answer.at(0) == '1', QString::fromUtf8(answer.mid(1))};
}
