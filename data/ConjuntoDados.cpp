#include "data/ConjuntoDados.h"

#include "app/Formato.h"

#include <cmath>

namespace lumeno {

namespace {
bool numerico(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Bool:
            return true;
        default:
            return false;
    }
}
}  // namespace

double Campo::comoReal() const {
    if (nulo())
        return 0;
    if (numerico(valor_))
        return valor_.toDouble();
    bool ok = false;
    const double v = valor_.toString().toDouble(&ok);
    return ok ? v : 0;
}

int Campo::comoInteiro() const {
    return static_cast<int>(std::lround(comoReal()));
}

QString Campo::comoTexto() const {
    if (nulo())
        return QString();
    if (valor_.typeId() == QMetaType::QDate)
        return dataTexto(valor_.toDate());
    if (numerico(valor_))
        return numeroTexto(valor_.toDouble());
    return valor_.toString();
}

QDate Campo::comoData() const {
    if (nulo())
        return QDate();
    if (valor_.typeId() == QMetaType::QDate)
        return valor_.toDate();
    return QDate::fromString(valor_.toString(), Qt::ISODate);
}

QString Campo::textoExibicao() const {
    if (!nulo() && !formato_.isEmpty() && numerico(valor_))
        return formatar(valor_.toDouble(), formato_);
    return comoTexto();
}

bool ConjuntoDados::possuiCampo(const QString& nome) const {
    const QStringList nomes = nomesCampos();
    for (const QString& n : nomes)
        if (n.compare(nome, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void ConjuntoDados::definirEstado(Estado e) {
    if (estado_ == e)
        return;
    estado_ = e;
    Q_EMIT estadoMudou();
}

bool valoresIguais(const QVariant& a, const QVariant& b) {
    const bool nuloA = a.isNull() || !a.isValid();
    const bool nuloB = b.isNull() || !b.isValid();
    if (nuloA || nuloB)
        return nuloA && nuloB;
    if (numerico(a) && numerico(b))
        return a.toDouble() == b.toDouble();
    if (a.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QDate)
        return Campo(a).comoData() == Campo(b).comoData();
    return a.toString() == b.toString();
}

}  // namespace lumeno
