#include "import/LeitorCop.h"

#include "app/Formato.h"

#include <QRegularExpression>

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
        // Widening a date written otherwise ("2/4/95", "27/04/1995") would give another
        // year and shift the numbers of the line into the wrong fields.
        static const QRegularExpression formaData(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d$"));
        // The date must also end at column 8: "27/04/1995" is not 27/04/19.
        const QByteArray colunas = leitor.lerCaracteres(8);
        const QByteArray seguinte = leitor.lerAteBranco();
        if (!seguinte.isEmpty() || !formaData.match(QString::fromLatin1(colunas)).hasMatch())
            throw ErroImportacao(
                QStringLiteral(
                    "Data inválida nas colunas 1 a 8 (esperado dd/mm/aa): '%1' (linha %2)")
                    .arg(QString::fromLatin1(colunas + seguinte))
                    .arg(linhaData));
        const QString data = alargarData(colunas);
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
