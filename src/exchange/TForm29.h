#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// "Adat export": writes the ticked tables to text files in the folder typed under "Hová:".
class TForm29 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm29(TData& dataModule, QWidget* parent = nullptr);

    const QList<QCheckBox*>& tableBoxes() const { return m_boxes; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QLabel* folderShownLabel() const { return m_folderShown; }
    QLabel* progressLabel() const { return m_progressLabel; }
    QPushButton* exportButton() const { return m_exportButton; }
    QPushButton* closeButton() const { return m_closeButton; }

    // "Export": every ticked table to its file, then the end message and the screen closes; a
    // file that cannot be written stops the export with its error and the screen stays open.
    void Button1Click();

protected:
    // The second export screen shares the layout with its own close caption and end message.
    TForm29(TData& dataModule, QWidget* parent, const QString& objectName, const QString& closeCaption,
            const QString& endMessage);

private:
    void updateFolderShown();

    TData& m_data;
    QString m_endMessage;
    QList<QCheckBox*> m_boxes;
    QLineEdit* m_folderEdit;
    QLabel* m_folderShown;
    QLabel* m_progressLabel;
    QPushButton* m_exportButton;
    QPushButton* m_closeButton;
};

} // namespace zeror
