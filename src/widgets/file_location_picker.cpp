#include "file_location_picker.h"

#include "dir_list.h"
#include "drive_list.h"
#include "file_list.h"

#include <QApplication>
#include <QFocusFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace zolt {
namespace {

QLabel *makeLabel(const QString &name, const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    label->setContentsMargins(2, 1, 2, 1);
    return label;
}

}  // namespace

FileLocationPicker::FileLocationPicker(QWidget *parent)
    : QWidget(parent), m_drive(new DriveList(this)), m_dir(new DirList(this)), m_file(new FileList(this))
{
    m_labelDisk = makeLabel(QStringLiteral("Label_Disk"), QStringLiteral("&Disk"), m_drive, this);
    m_labelDirectory = makeLabel(QStringLiteral("Label_Directory"), QStringLiteral("Di&rectory"), m_dir, this);
    m_labelFiles = makeLabel(QStringLiteral("Label_Files"), QStringLiteral("F&iles"), m_file, this);

    auto *grid = new QGridLayout(this);
    // Room for the focus frame around the lists at the edges.
    const int h = style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    const int v = style()->pixelMetric(QStyle::PM_FocusFrameVMargin);
    grid->setContentsMargins(h, v, h, v);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_labelDisk, 0, 0);
    grid->addWidget(m_drive, 1, 0);
    grid->setRowMinimumHeight(2, 6);  // air between the drive list and the directory label
    grid->addWidget(m_labelDirectory, 3, 0);
    grid->addWidget(m_dir, 4, 0);
    grid->addWidget(m_labelFiles, 0, 1);
    grid->addWidget(m_file, 1, 1, 4, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    m_file->setPath(m_dir->path());
    connect(m_drive, &DriveList::driveChosen, this, [this](const QString &root) { m_dir->setPath(root); });
    connect(m_dir, &DirList::pathChanged, this, [this](const QString &path) {
        m_drive->setDrive(path);
        m_file->setPath(path);
        emit directoryChanged(path);
    });
    connect(m_file, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit fileClicked(item->text()); });
    connect(m_file, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit fileActivated(item->text()); });
    showKeyboardFocus();
}

// The list that has the keyboard focus gets a frame in the highlight colour:
// the styles mark a focused list faintly if at all, and not against every
// window colour.
void FileLocationPicker::showKeyboardFocus()
{
    auto *frame = new QFocusFrame(this);
    QPalette ring = frame->palette();
    ring.setColor(QPalette::WindowText, ring.color(QPalette::Highlight));
    frame->setPalette(ring);
    connect(qApp, &QApplication::focusChanged, frame, [this, frame](QWidget *, QWidget *now) {
        const bool ours = now == m_drive || now == m_dir || now == m_file;
        frame->setWidget(ours ? now : nullptr);
    });
}

QList<QLabel *> FileLocationPicker::labels() const
{
    return {m_labelDisk, m_labelDirectory, m_labelFiles};
}

QString FileLocationPicker::drive() const
{
    return m_drive->drive();
}

void FileLocationPicker::setDrive(const QString &drive)
{
    m_drive->setDrive(drive);
    m_dir->setPath(m_drive->drive());
}

QString FileLocationPicker::directory() const
{
    return m_dir->path();
}

bool FileLocationPicker::setDirectory(const QString &path)
{
    const QString before = m_dir->path();
    if (!m_dir->setPath(path))
        return false;
    if (m_dir->path() == before)  // same folder: read it again all the same
        m_file->refresh();
    return true;
}

QString FileLocationPicker::fileName() const
{
    return m_file->fileName();
}

void FileLocationPicker::setFileName(const QString &name)
{
    m_file->setFileName(name);
}

void FileLocationPicker::setPattern(const QString &pattern)
{
    m_file->setPattern(pattern);
}

QString FileLocationPicker::selectedPath() const
{
    return pathOf(m_file->fileName());
}

QString FileLocationPicker::pathOf(const QString &name) const
{
    const QString dir = m_dir->path();
    return (dir.endsWith(u'/') ? dir : dir + u'/') + name;
}

}  // namespace zolt
