#pragma once

#include <QString>
#include <exception>

namespace zolt {

// An error box says first, on a line of its own, what went wrong in a
// clerk's words: which file, which line when one is known, what is wrong and
// what to do. The trap's text follows unchanged for support to read.
// file: the file the work was on (empty when none is known).
QString PlainCause(const std::exception &error, const QString &file);

// The plain cause, then the trap's text on the lines below.
QString WithPlainCause(const std::exception &error, const QString &file, const QString &trapText);

}  // namespace zolt
