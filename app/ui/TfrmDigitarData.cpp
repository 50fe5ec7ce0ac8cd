#include "app/ui/TfrmDigitarData.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCharFormat>

namespace lumeno {

TfrmDigitarData::TfrmDigitarData(QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Digite uma data"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    edtData = new QDateEdit(this);
    edtData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edtData->setCalendarPopup(true);
    edtData->setMinimumDate(QDate(1800, 1, 1));
    edtData->setMinimumWidth(130);
    // Saturdays and Sundays marked in the calendar.
    QTextCharFormat fimDeSemana;
    fimDeSemana.setForeground(Qt::red);
    edtData->calendarWidget()->setWeekdayTextFormat(Qt::Saturday, fimDeSemana);
    edtData->calendarWidget()->setWeekdayTextFormat(Qt::Sunday, fimDeSemana);
    edtData->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    // Month and day names in Portuguese (the numbers keep the program's own format).
    edtData->calendarWidget()->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    layout->addWidget(edtData);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    layout->addWidget(bo_ok);
    connect(bo_ok, &QPushButton::clicked, this, [this] {
        Confirmado = true;
        accept();
    });
    setFixedSize(260, 56);
}

void TfrmDigitarData::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
    edtData->setFocus();
}

}  // namespace lumeno
