#include "file_checks.h"

#include "text_utils.h"
#include "user_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace zolt {

namespace {

bool askAboutReadOnly(const QString &path, const QString &title, UserDialog &ui)
{
    const bool yes = ui.askYesNo(
        QStringLiteral("CAUTION This program found that the file attribute of ") + path +
            QStringLiteral(" is READONLY. You can Stop now and change the file property (The file "
                           "attributes must NOT be READONLY). You can continue and loose all data "
                           "changes. Do you want to continue ?"),
        title);
    if (yes)
        ui.allowReplacingReadOnly(path);
    return yes;
}

}  // namespace

bool ConfirmFileAttributes(const QString &path, const AttributeQuestionTexts &texts, UserDialog &ui)
{
    const FileAttributeFlags flags = GetFileAttributeFlags(path);
    if (!flags.recognised) {
        return ui.askYesNo(
            QStringLiteral("CAUTION This program could not determine if the file attribute of ") + path +
                texts.unknownFile + QStringLiteral(" is READONLY (Error # ") +
                QString::number(flags.attributeValue) +
                QStringLiteral("). You can Stop now and check the file properties (The file attributes "
                               "must NOT be READONLY). You can continue and take the risk of loosing all "
                               "the data changes. Do you want to continue ?"),
            texts.unknownTitle);
    }
    return !flags.readOnly || askAboutReadOnly(path, texts.readOnlyTitle, ui);
}

QString FolderGivenForFile(const QString &path, const QString &kind)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return QString();
    return QStringLiteral("%1 is a folder, not a %2.").arg(QDir::toNativeSeparators(path), kind);
}

bool ConfirmReadOnlyFile(const QString &path, const QString &title, UserDialog &ui)
{
    return !GetFileAttributeFlags(path).readOnly || askAboutReadOnly(path, title, ui);
}

}  // namespace zolt
