#include "import/LeitorCop.h"

#include "app/Formato.h"

namespace lumeno {

QString LeitorCop::alargarData(const QByteArray& colunas) {
    const QString t = QString::fromLatin1(colunas);
    const QString ano = t.mid(6, 2);
    const QString seculo = ano < QLatin1String("21") ? QStringLiteral("20") : QStringLiteral("19");
    return t.left(6) + seculo + ano;
}

ArquivoCop LeitorCop::ler(const QByteArray& dados) {
    ArquivoCop r;
    LeitorTexto leitor(dados);
    r.codigo = leitor.lerInteiro();
    leitor.pularLinha();
    while (!leitor.fim()) {
        if (leitor.linhaEmBranco()) {
            leitor.pularLinha();
            continue;
        }
        const int linhaData = leitor.linha();
        const QString data = alargarData(leitor.lerCaracteres(8));
        ResumoMedicao m;
        m.numero = leitor.lerInteiro();
        m.cota = leitor.lerReal();
        m.vazao = leitor.lerReal();
        m.velocidade = leitor.lerReal();
        m.area = leitor.lerReal();
        try {
            m.data = lerData(data);
        } catch (const ErroConversao& e) {
            throw ErroImportacao(QStringLiteral("%1 (linha %2)").arg(e.mensagem()).arg(linhaData));
        }
        leitor.pularLinha();
        r.medicoes.push_back(m);
    }
    return r;
}

}  // namespace lumeno
