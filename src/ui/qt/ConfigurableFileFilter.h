#pragma once

#include <QSortFilterProxyModel>

namespace zlc::ui::qt {

// Narrows a file dialog's listing, while its filter is the one of all
// configurable files, to the names with a configurable extension and the
// extensionless files that are ELF programs; folders always show. The
// dialog's name patterns for that filter let every file through to here.
class ConfigurableFileFilter : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetActive(bool active);

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

  private:
    bool active_ = false;
};

// Whether a file is one that File > Open accepts by its name or, without an
// extension, by its ELF magic.
bool IsConfigurableFile(const QString& path);

} // namespace zlc::ui::qt
