#pragma once

#include <QGroupBox>
#include <optional>

namespace zolt {

class PathLabel;
class ReturnEmailWidget;

// The frame of a return screen that tells how to send a file back by
// e-mail: a line or two, the file's full path (Label_FileName), a line, and
// the return address with its mail button.
class ReturnByEmailFrame : public QGroupBox {
    Q_OBJECT
public:
    // lines: the texts above the path (Label7, Label8) and below it (Label10).
    ReturnByEmailFrame(const QString &caption, const QString &label7, const QString &label8, const QString &label10,
                       QWidget *parent = nullptr);

    // Shows the file (or "??? UNKNOWN ???" for none) and the address the
    // installation returns files to; the mail program gets the subject and
    // the file attached.
    void showFile(const std::optional<QString> &path, const QString &address, const QString &subject);

    PathLabel *fileLabel() const { return m_fileName; }
    ReturnEmailWidget *email() const { return m_email; }

    static const QString Unknown;

private:
    PathLabel *m_fileName;
    ReturnEmailWidget *m_email;
};

}  // namespace zolt
