#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zeror {

// "Adatok elküldése  emailben": finds the year's database in a folder and starts a mail to the
// support mailbox in the operator's own mail program, with the file attached where the desktop
// can do that, or with the file's path on the clipboard for attaching it by hand.
class TForm27 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm27(QWidget* parent = nullptr);

    QLineEdit* folderEdit() const { return m_folderEdit; }
    QLineEdit* fileEdit() const { return m_fileEdit; }
    QPushButton* browseButton() const { return m_browseButton; }
    QPushButton* send1Button() const { return m_send1Button; }
    QPushButton* copyButton() const { return m_copyButton; }
    QPushButton* send2Button() const { return m_send2Button; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // A new folder: the file field shows its "ru2016.fdb", or nothing.
    void setFolder(const QString& folder);
    // "Küldés1": a new mail with the file attached.
    void Button1Click();
    // "Vágólapra másolás": the file's path to the clipboard.
    void Button2Click();
    // "Küldés2": the mail link in the desktop's mail program.
    void Button3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void browse();

    QLineEdit* m_folderEdit;
    QPushButton* m_browseButton;
    QLineEdit* m_fileEdit;
    QPushButton* m_send1Button;
    QPushButton* m_copyButton;
    QPushButton* m_send2Button;
    QPushButton* m_cancelButton;
};

} // namespace zeror
