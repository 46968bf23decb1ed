#include "print_output.h"

#include "common/user_dialog.h"

#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace zolt {
namespace {

QString &pdfFolderSetting()
{
    static QString folder;
    return folder;
}

}  // namespace

void PrintOutput::setPdfFolder(const QString &folder)
{
    pdfFolderSetting() = folder;
}

QString PrintOutput::pdfFolder()
{
    if (!pdfFolderSetting().isEmpty())
        return pdfFolderSetting();
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty() || !QDir().mkpath(docs))
        docs = QDir::tempPath();
    return docs;
}

PrintOutput::PrintOutput(const QString &documentName)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        m_printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        m_pdfPath = QDir(pdfFolder()).filePath(QStringLiteral("%1-%2.pdf").arg(documentName, stamp));
        m_printer->setOutputFileName(m_pdfPath);
    }
    m_printer->setDocName(documentName);
}

PrintOutput::~PrintOutput() = default;

void PrintOutput::reportDestination(UserDialog &ui) const
{
    if (toPdf())
        ui.message(QStringLiteral("There is no printer on this computer. The printout was saved as %1")
                       .arg(QDir::toNativeSeparators(m_pdfPath)),
                   MessageIcon::Information);
}

void PrintImage(const QImage &image, const QString &documentName, UserDialog &ui)
{
    PrintOutput output(documentName);
    QPainter painter;
    if (!painter.begin(&output.printer())) {
        ui.message(QStringLiteral("The printout of %1 could not be started.").arg(documentName),
                   MessageIcon::Critical);
        return;
    }
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    painter.end();
    output.reportDestination(ui);
}

}  // namespace zolt
