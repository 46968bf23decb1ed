#include "chosen_file.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace zolt::app {

ChosenFile JudgeChosenFile(const QString &path)
{
    const QFileInfo file(path);
    const QString shown = QDir::toNativeSeparators(file.absoluteFilePath());
    if (file.isDir())
        return {std::nullopt, QStringLiteral("%1 is a folder, not a file.").arg(shown)};
    if (!file.exists())
        return {std::nullopt, QStringLiteral("%1 was not found.").arg(shown)};
    const QString suffix = file.suffix().toLower();
    if (suffix == u"csv")
        return {FileTask::Payment, QString()};
    if (suffix == u"xlsx")
        return {FileTask::Verification, QString()};
    return {std::nullopt, QStringLiteral("%1 is neither a Zolt payment file (.csv) nor a mortgage number verification "
                                         "workbook (.xlsx): Zolt cannot work with it.")
                              .arg(shown)};
}

QString DroppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    return data->urls().first().toLocalFile();
}

}  // namespace zolt::app
