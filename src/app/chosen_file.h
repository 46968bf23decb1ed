#pragma once

#include <QString>
#include <optional>

class QMimeData;

namespace zolt::app {

// The task a file belongs to, judged by its name.
enum class FileTask { Payment, Verification };

// A file handed to the main window from outside its lists (the file dialog,
// the command line, a drop): its task, or what keeps it from being chosen in
// the user's words.
struct ChosenFile {
    std::optional<FileTask> task;
    QString problem;
};

// A payment file ends in .csv, a verification workbook in .xlsx (any case);
// a folder, a missing file or a file of another kind is refused.
ChosenFile JudgeChosenFile(const QString &path);

// The one local file a drag carries; empty for anything else (several files,
// a web address, text).
QString DroppedFile(const QMimeData *data);

}  // namespace zolt::app
