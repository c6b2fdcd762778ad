#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

#include "jobs/JobHost.h"

namespace quillane {

// The file list's contents: exactly the engine's source items of one folder, in the
// engine's order, with the details a file view shows. Items keep their byte paths, so a
// name that is not valid UTF-8 is listed and handed to the jobs unchanged.
class TSourceListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum TColumn { colName, colSize, colType, colModified, colCount };

    explicit TSourceListModel(QObject* parent);

    void SetFolder(const std::filesystem::path& folder);
    const std::filesystem::path& Folder() const { return folder_; }
    void SetFilter(bool includeSubFolders, std::vector<std::string> checkedCaptions);
    // Reads the folder again and runs the list filter on every entry.
    void Rebuild();

    const TSourceItem& Item(int row) const { return rows_.at(static_cast<size_t>(row)).Item; }
    std::vector<TSourceItem> Items() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Renaming in place: the name column's new text renames the file on disk.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void RenameFailed(const QString& reason);

private:
    struct TRow {
        TSourceItem Item;
        QString Name;
        QString Size;
        QString Type;  // a file's; a folder's is named when shown
        QDateTime Modified;
    };
    static TRow DescribeItem(const TSourceItem& item);

    std::filesystem::path folder_;
    bool includeSubFolders_ = false;
    std::vector<std::string> checkedCaptions_;
    std::vector<TRow> rows_;
};

}  // namespace quillane
