#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <string>

namespace zolt {

// The Windows-1252 code page of the payment file, done by table so that every
// build reads and writes the same bytes. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) stand for the control characters of the same
// number, so any file reads and writes back unchanged.
QString DecodeWindows1252(QByteArrayView bytes);

// Whether the character has a Windows-1252 form.
bool IsWindows1252(QChar c);

// Encodes text. A character without a Windows-1252 form is not replaced:
// the answer is false and *badIndex tells where it is.
bool EncodeWindows1252(QStringView text, QByteArray &out, qsizetype *badIndex = nullptr);

// Encodes UTF-8 text, added to out. Answers false, out as it was, for text
// that is not UTF-8 or holds a character without a Windows-1252 form.
bool AppendUtf8AsWindows1252(QByteArrayView utf8, std::string &out);

// Upper case one character at a time, leaving a letter whose capital has no
// Windows-1252 form (the micro sign) as it is, so upper-cased file text can
// always be written back.
QString ToUpperWindows1252(QStringView text);

}  // namespace zolt
