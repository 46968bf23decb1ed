#include "print_output.h"
#include "common/clock.h"

#include "common/errors.h"
#include "common/temporary_target.h"
#include "common/user_dialog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>

namespace zolt {
namespace {

QString &pdfFolderSetting()
{
    static QString folder;
    return folder;
}

// The PDF writer does not report failed writes; a PDF that was written to
// its end closes with the %%EOF marker.
bool isCompletePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 1024));
    return file.readAll().trimmed().endsWith("%%EOF");
}

// Draws the image on one page, scaled to its width; false when the printer
// cannot start.
bool paintScaled(QPrinter &printer, const QImage &image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QSize size = image.size();
    size.scale(painter.viewport().size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    painter.end();
    return true;
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

PrintOutput::PrintOutput(const QString &documentName, const QString &pdfFolderOfDocument)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        m_printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        if (pdfFolderOfDocument.isEmpty()) {
            const QString stamp = Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
            m_pdfPath = QDir(pdfFolder()).filePath(QStringLiteral("%1-%2.pdf").arg(documentName, stamp));
        } else {
            m_pdfPath = QDir(pdfFolderOfDocument).filePath(documentName + QStringLiteral(".pdf"));
        }
        m_pdfFile = std::make_unique<TemporaryTarget>(m_pdfPath);
        m_printer->setOutputFileName(m_pdfFile->path());  // stays a PDF: the format is set
    }
    m_printer->setDocName(documentName);
}

PrintOutput::~PrintOutput() = default;

void PrintOutput::finish()
{
    if (!toPdf())
        return;
    if (!isCompletePdf(m_pdfFile->path())) {
        m_pdfFile->discard();
        throw ZoltError(ErrorNumber::DiskFull, QStringLiteral("Cannot write %1: the file written is incomplete; is "
                                                              "the disk full?")
                                                   .arg(QDir::toNativeSeparators(m_pdfPath)));
    }
    m_pdfFile->commit();
}

void PrintImage(const QImage &image, const QString &documentName, UserDialog &ui)
{
    try {
        PrintOutput output(documentName);
        if (!paintScaled(output.printer(), image)) {
            ui.message(QStringLiteral("The printout of %1 could not be started.").arg(documentName),
                       MessageIcon::Critical);
            return;
        }
        output.finish();
        if (output.toPdf())
            ui.message(QStringLiteral("There is no printer on this computer. The printout was saved as %1")
                           .arg(QDir::toNativeSeparators(output.pdfPath())),
                       MessageIcon::Information);
    } catch (const ZoltError &e) {
        ui.message(QStringLiteral("The printout of %1 could not be saved. %2").arg(documentName, e.description()),
                   MessageIcon::Critical);
    }
}

}  // namespace zolt
