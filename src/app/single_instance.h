#pragma once

#include <QLockFile>
#include <QString>

namespace zolt {
class UserDialog;
}

namespace zolt::app {

// Keeps a second copy of the program from running. The lock file lives in the
// temporary folder and is named after the application folder, so copies
// installed in different folders do not refuse each other. The lock of a run
// that crashed (its process is gone) is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath);

    // True when this run now holds the lock; otherwise the user is told that
    // the program is already running and the answer is false.
    bool claim(UserDialog &ui);
    bool held() const { return m_lock.isLocked(); }

    // The lock file of the program installed in appDir.
    static QString lockPathFor(const QString &appDir);

private:
    QLockFile m_lock;
};

}  // namespace zolt::app
