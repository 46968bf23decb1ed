#pragma once

#include <QString>
#include <functional>
#include <memory>

class QImage;
class QPainter;
class QPrinter;

namespace zolt {

class TemporaryTarget;
class UserDialog;

// Printing without a dialog: to the default printer, or, on a machine without
// one, to a PDF file whose place the user is told. The PDF is written beside
// its place under a temporary name and put there only once it is complete.
// Throws ZoltError when no PDF can be started in the folder.
class PrintOutput {
public:
    // documentName names the job and the PDF. Without a printer the PDF goes
    // to pdfFolder as documentName + ".pdf" (replacing an earlier one), or,
    // with no folder given, to the PDF folder with the time in its name.
    explicit PrintOutput(const QString &documentName, const QString &pdfFolder = QString());
    ~PrintOutput();

    QPrinter &printer() { return *m_printer; }
    bool toPdf() const { return !m_pdfPath.isEmpty(); }
    QString pdfPath() const { return m_pdfPath; }

    // Once painting has ended: a PDF is checked to be whole and put at
    // pdfPath(). Throws ZoltError when it cannot be (a full disk, a name
    // taken by a folder), leaving no file. Nothing to do for a real printer.
    void finish();

    // Folder for PDFs when there is no printer; tests point it elsewhere.
    static void setPdfFolder(const QString &folder);
    static QString pdfFolder();

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_pdfPath;
    std::unique_ptr<TemporaryTarget> m_pdfFile;  // the PDF while it is written
};

// Prints an image (a window's picture) scaled to the page width. A printout
// that fails is reported to the user.
void PrintImage(const QImage &image, const QString &documentName, UserDialog &ui);

}  // namespace zolt
