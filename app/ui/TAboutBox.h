// About box ("Sobre").
#pragma once

#include <QDialog>

namespace lumeno {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString versao = QStringLiteral("1.0");
    static inline const QString dataVersao = QStringLiteral("09/12/2026");

    explicit TAboutBox(QWidget* pai = nullptr);
};

}  // namespace lumeno
