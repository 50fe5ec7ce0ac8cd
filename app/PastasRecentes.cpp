#include "app/PastasRecentes.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace lumeno {

namespace {

QString chave(PastasRecentes::Tipo tipo) {
    switch (tipo) {
        case PastasRecentes::Tipo::Importacao:
            return QStringLiteral("Pastas/importacao");
        case PastasRecentes::Tipo::Exportacao:
            return QStringLiteral("Pastas/exportacao");
        case PastasRecentes::Tipo::Figura:
            return QStringLiteral("Pastas/figura");
    }
    return QString();
}

const QString ultima = QStringLiteral("Pastas/ultima");

bool existe(const QString& pasta) {
    return !pasta.isEmpty() && QFileInfo(pasta).isDir();
}

}  // namespace

PastasRecentes::PastasRecentes(QString arquivo) : arquivo_(std::move(arquivo)) {}

QString PastasRecentes::arquivoPadrao() {
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (pasta.isEmpty())
        pasta = QDir::homePath() + QStringLiteral("/.config");
    return pasta + QStringLiteral("/Lumeno/pastas.ini");
}

PastasRecentes::Tipo PastasRecentes::tipoDoDialogo(bool salvar, const QString& filtro) {
    static const QRegularExpression figuras(QStringLiteral("\\*\\.(bmp|png|svg|jpe?g)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!salvar)
        return Tipo::Importacao;
    return figuras.match(filtro).hasMatch() ? Tipo::Figura : Tipo::Exportacao;
}

QString PastasRecentes::pasta(Tipo tipo) const {
    const QSettings s(arquivo_, QSettings::IniFormat);
    for (const QString& c : {chave(tipo), ultima}) {
        const QString p = s.value(c).toString();
        if (existe(p))
            return p;
    }
    return QDir::homePath();
}

void PastasRecentes::lembrar(Tipo tipo, const QString& arquivo) {
    const QString pasta = QFileInfo(arquivo).absolutePath();
    if (!existe(pasta))
        return;
    QSettings s(arquivo_, QSettings::IniFormat);
    s.setValue(chave(tipo), pasta);
    s.setValue(ultima, pasta);
}

}  // namespace lumeno
