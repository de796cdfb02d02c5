#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zeror {

// "Két import összevonása": merges the 1608M import files of two computers' month folders; the
// amount of a producer found in both goes into the "A" file, the merged-away files become ".old".
class TForm24 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm24(QWidget* parent = nullptr);

    // One side of the screen: the folder, its subfolders and its ".imp" files.
    struct Side
    {
        QString folder;
        QLineEdit* folderEdit = nullptr;
        QToolButton* browseButton = nullptr;
        QListWidget* folderList = nullptr;
        QListWidget* fileList = nullptr;
    };

    const Side& sideA() const { return m_a; }
    const Side& sideB() const { return m_b; }
    QListWidget* commonList() const { return m_common; }
    QPlainTextEdit* totalsText() const { return m_totals; }
    QPushButton* mergeButton() const { return m_merge; }

    // Chooses a folder for "A" or "B" as the folder list does, with the checks of a change.
    void setFolderA(const QString& folder);
    void setFolderB(const QString& folder);
    // "Összevonás".
    void OsszevonasClick();

private:
    void buildSide(Side& side, const QString& title, const char* prefix, QWidget* box);
    void showFolder(Side& side, const QString& folder);
    void folderChanged(Side& side, const QString& folder);
    void refreshCommon();

    Side m_a;
    Side m_b;
    QListWidget* m_common;
    QPlainTextEdit* m_instructions;
    QPlainTextEdit* m_totals;
    QPushButton* m_merge;
    QPushButton* m_cancel;
};

} // namespace zeror
