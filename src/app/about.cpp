#include "about.h"

#include "app_icon.h"
#include "common/product.h"
#include "system_info.h"

#include "common/user_dialog.h"
#include "widgets/clickable_label.h"
#include "widgets/print_output.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVersionNumber>

#include <algorithm>

namespace zolt::app {
namespace {

// Where the credits stand while they are shown, in twips from the top of the
// credits band; they are parked far below it while hidden.
constexpr int CreditsTopTwips = 3600;
constexpr int CreditsShownLabel = 3600;
constexpr int CreditsShownText = 3900;
constexpr int CreditsParkedLabel = 17600;
constexpr int CreditsParkedText = 17900;
constexpr int LineStep = 4;  // pixels per Timer1 tick
constexpr int CreditsFontSizes[] = {16, 18, 20, 22, 24, 26};

const QColor ColourCycle[] = {QColor(0, 0, 192),   QColor(192, 0, 0),   QColor(0, 128, 0),
                              QColor(128, 0, 128), QColor(0, 128, 128), QColor(192, 96, 0)};

}  // namespace

About::About(UserDialog &ui, QWidget *parent) : QDialog(parent), m_ui(ui), m_searchPath(ProgramSearchPath())
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About %1").arg(ProductName()));
    buildControls();
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(30);
    connect(m_timer1, &QTimer::timeout, this, &About::Timer1_Timer);
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(500);
    connect(m_timer2, &QTimer::timeout, this, &About::Timer2_Timer);
    placeCredits(CreditsParkedLabel, CreditsParkedText);
}

QString About::versionText(const QString &version)
{
    const QVersionNumber number = QVersionNumber::fromString(version);
    return QStringLiteral("Version %1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

void About::buildControls()
{
    m_picIcon = new ClickableLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setPixmap(AppPixmap(64));
    m_picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_picIcon->setCursor(Qt::PointingHandCursor);

    auto *lblTitle = new QLabel(ProductName(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto *lblVersion = new QLabel(versionText(QCoreApplication::applicationVersion()), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto *lblDescription = new QLabel(ProductDescription(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    auto *line2 = new QFrame(this);
    line2->setObjectName(QStringLiteral("Line2"));
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);

    auto *lblDisclaimer = new QLabel(
        QStringLiteral("Note: An installation is needed for this program to work. No shortcuts..."), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_picturePrinter = new ClickableLabel(this);
    m_picturePrinter->setObjectName(QStringLiteral("Picture_Printer"));
    m_picturePrinter->setPixmap(PrinterPixmap(32));
    m_picturePrinter->setToolTip(QStringLiteral("Screen Print! Click on this image to print this form."));
    m_picturePrinter->setCursor(Qt::PointingHandCursor);

    // The band where the moving line runs and the credits appear; its
    // children are placed by hand.
    m_creditsArea = new QWidget(this);
    m_creditsArea->setFixedHeight(std::max(64, fontMetrics().height() * 15 / 4));
    m_line1 = new QFrame(m_creditsArea);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setGeometry(0, 0, 90, 3);
    m_line1->setAutoFillBackground(true);
    m_line1->setProperty("tag", QString());
    QPalette linePalette = m_line1->palette();
    linePalette.setColor(QPalette::Window, ColourCycle[0]);
    m_line1->setPalette(linePalette);
    m_label65 = new QLabel(QStringLiteral("This Application was programmed by:"), m_creditsArea);
    m_label65->setObjectName(QStringLiteral("Label65"));
    m_label65b = new QLabel(QStringLiteral("The Zolt team"), m_creditsArea);
    m_label65b->setObjectName(QStringLiteral("Label65b"));

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(6);
    text->addWidget(lblDescription);
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_picIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdSysInfo);
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    bottom->addWidget(m_picturePrinter, 0, Qt::AlignBottom);
    bottom->addWidget(lblDisclaimer, 1, Qt::AlignBottom);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(line2);
    layout->addLayout(bottom);
    layout->addWidget(m_creditsArea);
    // 500 pixels at the usual font, wider with a larger one; as high as the
    // wrapped texts need at that width.
    const int width = std::max(500, fontMetrics().averageCharWidth() * 72);
    setFixedWidth(width);
    setFixedHeight(layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : sizeHint().height());

    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &About::cmdSysInfo_Click);
    connect(m_picturePrinter, &ClickableLabel::clicked, this, &About::Picture_Printer_Click);
    connect(m_picIcon, &ClickableLabel::clicked, this, &About::picIcon_Click);
}

void About::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_timer1->start();
}

void About::hideEvent(QHideEvent *event)
{
    m_timer1->stop();
    m_timer2->stop();
    QDialog::hideEvent(event);
}

void About::cmdSysInfo_Click()
{
    const QString program = FindSystemInfoProgram(m_searchPath);
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        m_ui.message(QStringLiteral("System Information Is Unavailable At This Time"), MessageIcon::None);
}

void About::Picture_Printer_Click()
{
    PrintImage(grab().toImage(), QStringLiteral("About"), m_ui);
}

int About::twipsToPixels(int twips) const
{
    return twips * logicalDpiY() / 1440;
}

void About::placeCredits(int labelTwips, int creditsTwips)
{
    const int base = twipsToPixels(CreditsTopTwips);
    m_label65->move(4, 8 + twipsToPixels(labelTwips) - base);
    m_label65b->move(20, 8 + twipsToPixels(creditsTwips) - base);
}

QColor About::nextColour()
{
    m_colourIndex = (m_colourIndex + 1) % int(std::size(ColourCycle));
    return ColourCycle[m_colourIndex];
}

void About::picIcon_Click()
{
    if (m_timer2->isActive()) {
        m_timer2->stop();
        placeCredits(CreditsParkedLabel, CreditsParkedText);
        return;
    }
    m_fontStep = 0;
    Timer2_Timer();
    m_timer2->start();
}

void About::Timer1_Timer()
{
    const bool goLeft = m_line1->property("tag").toString() == u"Go Left";
    int x = m_line1->x() + (goLeft ? -LineStep : LineStep);
    const int right = m_creditsArea->width() - m_line1->width();
    if (x <= 0 || x >= right) {
        x = qBound(0, x, qMax(0, right));
        m_line1->setProperty("tag", goLeft ? QString() : QStringLiteral("Go Left"));
        QPalette linePalette = m_line1->palette();
        linePalette.setColor(QPalette::Window, nextColour());
        m_line1->setPalette(linePalette);
    }
    m_line1->move(x, m_line1->y());
}

void About::Timer2_Timer()
{
    placeCredits(CreditsShownLabel, CreditsShownText);
    QFont font = m_label65b->font();
    font.setBold(true);
    font.setPointSize(CreditsFontSizes[m_fontStep]);
    m_fontStep = (m_fontStep + 1) % int(std::size(CreditsFontSizes));
    m_label65b->setFont(font);
    QPalette textPalette = m_label65b->palette();
    textPalette.setColor(QPalette::WindowText, nextColour());
    m_label65b->setPalette(textPalette);
    m_label65b->adjustSize();
    m_label65->adjustSize();
}

}  // namespace zolt::app
