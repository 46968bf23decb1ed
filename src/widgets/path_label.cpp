#include "path_label.h"

#include <QTextDocument>
#include <cmath>
#include <memory>

namespace zolt {

PathLabel::PathLabel(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
    // The window's background shows through, as behind a label.
    viewport()->setAutoFillBackground(false);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PathLabel::setText(const QString &path)
{
    setPlainText(path);
    setToolTip(path);
    updateGeometry();
}

int PathLabel::heightForWidth(int width) const
{
    const std::unique_ptr<QTextDocument> laidOut(document()->clone());
    laidOut->setDefaultFont(font());
    laidOut->setTextWidth(std::max(1, width - 2 * frameWidth()));
    return int(std::ceil(laidOut->size().height())) + 2 * frameWidth();
}

QSize PathLabel::sizeHint() const
{
    const int width = fontMetrics().averageCharWidth() * 60;
    return {width, heightForWidth(width)};
}

QSize PathLabel::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 10, fontMetrics().lineSpacing()};
}

}  // namespace zolt
