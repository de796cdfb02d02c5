#pragma once

#include "ProducerRegister.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// The producer entry window "Őstermelő bevitel": a new producer or a change of the current row
// of ZQ30, as producerEntryMode says when the window opens.
class TForm5 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // False when the current producer could not be shown (Hiba51); the window is not to be shown.
    bool isReady() const { return m_ready; }
    bool isNewMode() const { return m_new; }
    // True once a store ran (successfully or not) and the list was re-run.
    bool listReopened() const { return m_listReopened; }

    QLineEdit* field(ProducerField f) const { return m_fields[static_cast<size_t>(f)]; }
    QCheckBox* tajCheck() const { return m_tajCheck; }
    ProducerInput input() const;

public slots:
    void okClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(const ProducerInput& in);

    TData* m_data;
    bool m_new = true;
    bool m_ready = true;
    bool m_listReopened = false;
    std::array<QLineEdit*, kProducerFieldCount> m_fields{};
    QCheckBox* m_tajCheck = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace zeror
