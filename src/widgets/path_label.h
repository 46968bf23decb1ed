#pragma once

#include <QTextEdit>

namespace zolt {

// A file path shown like a label, whole: a long path wraps at its slashes
// and blanks, and a folder name too long for a line is broken anywhere, so
// the window never grows past the screen to show it. The text can be
// selected and copied as it is; the full path is also the tooltip.
class PathLabel : public QTextEdit {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString &path);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace zolt
