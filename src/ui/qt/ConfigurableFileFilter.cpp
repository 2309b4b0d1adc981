#include "ui/qt/ConfigurableFileFilter.h"

#include "files/ConfigFile.h"

#include <QFile>
#include <QFileSystemModel>

namespace zlc::ui::qt {

namespace {

bool StartsWithElfMagic(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("\x7F"
                                                                        "ELF",
                                                                        4);
}

} // namespace

bool IsConfigurableFile(const QString& path) {
    const std::string name = path.toStdString();
    return HasSupportedExtension(name) || (HasNoExtension(name) && StartsWithElfMagic(path));
}

void ConfigurableFileFilter::SetActive(bool active) {
    active_ = active;
    invalidateFilter();
}

bool ConfigurableFileFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!active_ || files == nullptr) {
        return true;
    }
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || IsConfigurableFile(files->filePath(index));
}

} // namespace zlc::ui::qt
