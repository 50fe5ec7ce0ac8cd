#include "import/LeitorRsm.h"

#include "app/Formato.h"

#include <QtEndian>

#include <cmath>

namespace lumeno {

double LeitorRsm::real48(const char* b) {
    const auto byte = [b](int i) {
        return static_cast<std::uint64_t>(static_cast<unsigned char>(b[i]));
    };
    const int expoente = static_cast<int>(byte(0));
    if (expoente == 0)
        return 0;
    const std::uint64_t fracao =
        byte(1) | (byte(2) << 8) | (byte(3) << 16) | (byte(4) << 24) | ((byte(5) & 0x7F) << 32);
    const bool negativo = (byte(5) & 0x80) != 0;
    const double valor =
        std::ldexp(1.0 + std::ldexp(static_cast<double>(fracao), -39), expoente - 129);
    return negativo ? -valor : valor;
}

QString LeitorRsm::textoData(int dia, int mes, int ano) {
    if (ano >= 0 && ano < 100)
        ano += ano < 10 ? 2000 : 1900;
    return QStringLiteral("%1/%2/%3")
        .arg(dia, 2, 10, QChar('0'))
        .arg(mes, 2, 10, QChar('0'))
        .arg(ano, 4);
}

ArquivoRsm LeitorRsm::ler(const QByteArray& dados) {
    const qsizetype total = dados.size() / tamanhoRegistro;
    if (total == 0)
        throw ErroImportacao(
            QStringLiteral("Arquivo .rsm sem registros completos (registro 1 truncado)"));
    if (dados.size() % tamanhoRegistro != 0)
        throw ErroImportacao(
            QStringLiteral(
                "Registro %1 incompleto: o arquivo .rsm termina no meio dele (registro %1)")
                .arg(total + 1));
    ArquivoRsm r;
    const char* primeiro = dados.constData();
    const int n = std::min(static_cast<int>(static_cast<unsigned char>(primeiro[1])), 8);
    r.codigoTexto = QString::fromLatin1(primeiro + 2, n);
    try {
        r.codigo = lerInteiro(r.codigoTexto);
    } catch (const ErroConversao& e) {
        throw ErroImportacao(QStringLiteral("%1 (registro 1)").arg(e.mensagem()));
    }
    r.medicoes.reserve(static_cast<size_t>(total));
    for (qsizetype i = 0; i < total; ++i) {
        const char* reg = dados.constData() + i * tamanhoRegistro;
        const auto i16 = [reg](int deslocamento) {
            return static_cast<int>(qFromLittleEndian<qint16>(reg + deslocamento));
        };
        ResumoMedicao m;
        m.numero = i16(10);
        const QString data = textoData(i16(20), i16(22), i16(24));
        QDate d;
        try {
            d = lerData(data);
        } catch (const ErroConversao& e) {
            // A closing record at the end carries no measurement.
            if (i == total - 1)
                break;
            throw ErroImportacao(QStringLiteral("%1 (registro %2)").arg(e.mensagem()).arg(i + 1));
        }
        if (i == total - 1 && m.numero == 0)
            break;
        m.data = d;
        m.cota = real48(reg + 28);
        m.vazao = real48(reg + 34);
        m.area = real48(reg + 40);
        m.velocidade = real48(reg + 58);
        r.medicoes.push_back(m);
    }
    return r;
}

}  // namespace lumeno
