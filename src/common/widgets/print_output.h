#pragma once

#include <QString>
#include <functional>
#include <memory>

class QImage;
class QPainter;
class QPrinter;

namespace zolt {

class UserDialog;

// Printing without a dialog: to the default printer, or, on a machine without
// one, to a PDF file whose place the user is told.
class PrintOutput {
public:
    // documentName names the job and the PDF ("About" gives About.pdf).
    explicit PrintOutput(const QString &documentName);
    ~PrintOutput();

    QPrinter &printer() { return *m_printer; }
    bool toPdf() const { return !m_pdfPath.isEmpty(); }
    QString pdfPath() const { return m_pdfPath; }

    // Tells the user where a PDF went; nothing for a real printer.
    void reportDestination(UserDialog &ui) const;

    // Folder for PDFs when there is no printer; tests point it elsewhere.
    static void setPdfFolder(const QString &folder);
    static QString pdfFolder();

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_pdfPath;
};

// Prints an image (a window's picture) scaled to the page width.
void PrintImage(const QImage &image, const QString &documentName, UserDialog &ui);

}  // namespace zolt
