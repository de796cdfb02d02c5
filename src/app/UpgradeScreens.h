#pragma once

#include <QDialog>

class QPushButton;

namespace zeror {

class TData;

// "Program módosítás (2010.10.hótól)": adds the pension-fund question to the producers.
class TForm28 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm28(TData& dataModule, QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_runButton; }

    // "Módosítás végrehajtása".
    void Button1Click();

private:
    TData& m_data;
    QPushButton* m_runButton;
};

// "FELIR azonosító felvétele az östermelöhöz": adds the FELIR identifier to the producers.
class TForm37 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm37(TData& dataModule, QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_runButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void Button1Click();

private:
    TData& m_data;
    QPushButton* m_runButton;
    QPushButton* m_cancelButton;
};

// "Kamarai azonosító hossz változás": widens the chamber registration number to 20 characters.
class TForm42 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm42(TData& dataModule, QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_runButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void Button1Click();

private:
    TData& m_data;
    QPushButton* m_runButton;
    QPushButton* m_cancelButton;
};

// "Form36": marks the producers whose tax identifier repeats the one before them.
class TForm36 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm36(TData& dataModule, QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_runButton; }

    void Button1Click();

private:
    TData& m_data;
    QPushButton* m_runButton;
};

} // namespace zeror
