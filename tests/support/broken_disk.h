#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Ways to break the disk under a test. A file size limit stands in for a
// full disk: every write past it fails, as a write to a full disk does.
namespace zolt::test {

// Limits the size of every file this process writes to bytes. SIGXFSZ is
// ignored, so a write past the limit fails (EFBIG) instead of ending the
// process. Safe between fork and exec.
inline void LimitFileSize(qint64 bytes)
{
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
}

// Runs body in a forked child whose files may grow to bytes at most, and
// answers the child's exit code (body's answer), or -1 when the child did
// not end normally. The child has no other threads and leaves through
// _exit, so it must report through its answer only.
inline int RunWithFileSizeLimit(qint64 bytes, const std::function<int()> &body)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        LimitFileSize(bytes);
        int answer = 100;
        try {
            answer = body();
        } catch (...) {
            answer = 101;
        }
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(answer);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell script with a disk of bytes mounted at folder, a tmpfs in a
// mount namespace of its own (unshare; a user namespace too when not root),
// so that writes there fail as on a full disk: ENOSPC, "No space left on
// device". The disk is gone when the script ends, so the script looks at it
// itself: $1 is the folder, arguments follow. Answers the script's standard
// output, or nothing when no such disk can be mounted here.
inline std::optional<QString> RunOnSmallDisk(const QString &folder, qint64 bytes, const QString &script,
                                             const QStringList &arguments = {})
{
    const QString mount = QStringLiteral("mount -t tmpfs -o size=%1 tmpfs \"$1\" || { echo no-mount; exit 0; }\n")
                              .arg(bytes);
    QProcess shell;
    shell.start(QStringLiteral("unshare"), QStringList{geteuid() == 0 ? QStringLiteral("-m") : QStringLiteral("-rm"),
                                                       QStringLiteral("sh"), QStringLiteral("-c"), mount + script,
                                                       QStringLiteral("sh"), folder}
                                               + arguments);
    if (!shell.waitForFinished(300000) || shell.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    const QString out = QString::fromUtf8(shell.readAllStandardOutput());
    if (shell.exitCode() != 0 || out.startsWith(QStringLiteral("no-mount")))
        return std::nullopt;
    return out;
}

// Root writes into read-only folders all the same, so tests that need one
// skip that case when run as root.
inline bool ReadOnlyFoldersAreWritable()
{
    return geteuid() == 0;
}

// Makes a folder read-only while it lives, and writable again after, so that
// the temporary folder holding it can be removed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                        | QFile::ReadOther | QFile::ExeOther);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_path;
};

}  // namespace zolt::test
