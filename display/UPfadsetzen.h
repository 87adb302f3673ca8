// The directory chooser of the naming dialog: a directory tree with a drive (or root)
// selector, and the directory selected in it.
#pragma once

#include "core/Language.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

class TFPfadsetzen : public Retranslatable<QDialog> {
    Q_OBJECT
public:
    explicit TFPfadsetzen(QWidget* parent = nullptr);

    // Selects `path` in the tree (its drive in the selector); a path that does not exist
    // leaves the selection at the drive's root.
    void setDirectory(const QString& path);
    // The selected directory, native separators, no trailing separator except at a root.
    QString directory() const;

    QTreeView* DirectoryListBox1() const { return m_tree; }
    QComboBox* DriveComboBox1() const { return m_drives; }
    QLabel* DirLabel() const { return m_dirLabel; }

protected:
    void retranslateUi() override;

private:
    void driveChanged(int index);
    void selectionChanged();

    QLabel* m_text = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_model = nullptr;
    QLabel* m_dirLabel = nullptr;
    QComboBox* m_drives = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_directory;
};
