// Date prompt ("Digite uma data"): a date edit with a drop-down calendar.
#pragma once

#include <QDialog>

class QDateEdit;
class QPushButton;

namespace lumeno {

class TfrmDigitarData : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDigitarData(QWidget* pai = nullptr);

    bool Confirmado = false;
    QDateEdit* edtData;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace lumeno
