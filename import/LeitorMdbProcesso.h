// The Access reader in its own small process (lumeno-leitor-mdb, built beside the
// program), so that a damaged or hostile .mdb file that makes libmdb crash or loop
// cannot take the program and its open database down: the process is started for each
// reading, gets the request on its standard input and answers on its standard output.
//  - a process that dies, or answers garbage, is reported as a damaged file;
//  - a process that sends nothing for `espera` milliseconds is killed and reported as a
//    file that could not be read (while it scans a table it sends a zero byte now and
//    then, ahead of its answer, so a large file is not mistaken for a hung reader);
//  - an answer larger than `limiteBytes` is refused the same way.
// Nothing of a failed reading reaches the caller.
#pragma once

#include "import/LeitorMdb.h"

#include <QByteArray>

namespace lumeno {

class LeitorMdbProcesso : public LeitorMdb {
public:
    static inline const QString nomeExecutavel = QStringLiteral("lumeno-leitor-mdb");

    explicit LeitorMdbProcesso(QString arquivo, QString executavel = executavelPadrao(),
                               int espera = 10000);

    // The reader beside the running program.
    static QString executavelPadrao();

    QString arquivo() const override { return arquivo_; }
    std::vector<TabelaMdb> lerTabelas(const std::vector<PedidoTabela>& pedidos) override;

    qint64 limiteBytes = qint64(1) << 30;

    // The exchange between the program and the reader process.
    static QByteArray codificarPedido(const QString& arquivo,
                                      const std::vector<PedidoTabela>& pedidos);
    // False when the bytes are not a request.
    static bool decodificarPedido(const QByteArray& bytes, QString& arquivo,
                                  std::vector<PedidoTabela>& pedidos);
    static QByteArray codificarResposta(const std::vector<TabelaMdb>& tabelas);
    static QByteArray codificarErro(const QString& mensagem);
    // The "still reading" byte sent ahead of the answer.
    static constexpr char sinalVida = '\0';
    // The tables of an answer; throws ErroArquivoMdb with the reader's message for an
    // error answer, and for bytes that are not a whole answer.
    static std::vector<TabelaMdb> decodificarResposta(const QByteArray& bytes,
                                                      const QString& arquivo);

private:
    QString arquivo_;
    QString executavel_;
    int espera_;
};

}  // namespace lumeno
