#include "ui/SourceListModel.h"
#include "ui/WindowLanguage.h"

#include "imaging/NoReplaceRename.h"
#include "jobs/SourceList.h"

#include <QFile>
#include <QFileIconProvider>
#include <QLocale>
#include <QMimeDatabase>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quillane {

namespace {

QString DisplayName(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.filename().string()));
}

// What a user may type as a new name: one path component, nothing that leaves the folder.
bool IsPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString SizeText(qint64 bytes)
{
    const qint64 kilobytes = (bytes + 1023) / 1024;
    return QLocale().toString(kilobytes) + QStringLiteral(" KB");
}

QIcon IconFor(bool folder)
{
    static const QFileIconProvider provider;
    return provider.icon(folder ? QFileIconProvider::Folder : QFileIconProvider::File);
}

}  // namespace

TSourceListModel::TSourceListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TSourceListModel::SetFolder(const std::filesystem::path& folder)
{
    folder_ = folder;
    Rebuild();
}

void TSourceListModel::SetFilter(bool includeSubFolders, std::vector<std::string> checkedCaptions)
{
    includeSubFolders_ = includeSubFolders;
    checkedCaptions_ = std::move(checkedCaptions);
    Rebuild();
}

void TSourceListModel::Rebuild()
{
    beginResetModel();
    rows_.clear();
    if (!folder_.empty()) {
        for (const TSourceItem& item : ListSourceItems(folder_, includeSubFolders_, checkedCaptions_))
            rows_.push_back(DescribeItem(item));
    }
    endResetModel();
}

TSourceListModel::TRow TSourceListModel::DescribeItem(const TSourceItem& item)
{
    TRow row{item, DisplayName(item.Path), {}, {}, {}};
    struct stat info {};
    if (::stat(item.Path.c_str(), &info) == 0) {
        row.Modified = QDateTime::fromSecsSinceEpoch(info.st_mtime);
        if (!item.IsFolder)
            row.Size = SizeText(info.st_size);
    }
    static const QMimeDatabase mimes;
    // A folder's type is named when shown, in the language of that moment.
    if (!item.IsFolder)
        row.Type = mimes.mimeTypeForFile(row.Name, QMimeDatabase::MatchExtension).comment();
    return row;
}

std::vector<TSourceItem> TSourceListModel::Items() const
{
    std::vector<TSourceItem> items;
    items.reserve(rows_.size());
    for (const TRow& row : rows_)
        items.push_back(row.Item);
    return items;
}

int TSourceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TSourceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : colCount;
}

QVariant TSourceListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TRow& row = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == colName)
        return IconFor(row.Item.IsFolder);
    if (role == Qt::TextAlignmentRole && index.column() == colSize)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case colName:
        return row.Name;
    case colSize:
        return row.Size;
    case colType:
        return row.Item.IsFolder ? Window::tr("文件夹") : row.Type;
    case colModified:
        return QLocale().toString(row.Modified, QLocale::ShortFormat);
    default:
        return {};
    }
}

QVariant TSourceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[colCount] = {
        QT_TRANSLATE_NOOP("Window", "名称"), QT_TRANSLATE_NOOP("Window", "大小"), QT_TRANSLATE_NOOP("Window", "类型"),
        QT_TRANSLATE_NOOP("Window", "修改日期")};
    return section >= 0 && section < colCount ? Window::tr(captions[section]) : QVariant();
}

Qt::ItemFlags TSourceListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == colName)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TSourceListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != colName)
        return false;
    const QString newName = value.toString();
    const TRow& row = rows_.at(static_cast<size_t>(index.row()));
    if (newName == row.Name)
        return false;
    if (!IsPlainName(newName)) {
        emit RenameFailed(Window::tr("无效的文件名：") + newName);
        return false;
    }
    const std::filesystem::path target = row.Item.Path.parent_path() / newName.toStdString();
    if (!RenameNoReplace(row.Item.Path, target)) {
        std::error_code ignored;
        emit RenameFailed(std::filesystem::exists(target, ignored) ? Window::tr("已有同名文件：") + newName
                                                                   : QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Not now: the view is still closing its editor on the old rows.
    QMetaObject::invokeMethod(this, &TSourceListModel::Rebuild, Qt::QueuedConnection);
    return true;
}

}  // namespace quillane
