#pragma once

#include <QByteArrayView>
#include <QFile>

namespace zolt {

// Writes all of bytes to a file opened Unbuffered. A write the system cuts
// short (a disk that fills up, a file size limit) is tried again for the
// rest, which then fails with the system's reason: the file's errorString()
// says "No space left on device" rather than nothing. Answers whether every
// byte was written.
bool WriteWhole(QFile &file, QByteArrayView bytes);

}  // namespace zolt
