// The Access reader over libmdb, in the calling process. libmdb trusts the file it
// reads: a damaged or hostile file can make it crash or loop for ever, so the program
// never uses this class itself — it runs it in the small reader process
// (import/leitormdb/, reached through LeitorMdbProcesso). The fuzz target and that
// process are its only users.
//
// The file is opened read-only (libmdb without MDB_WRITABLE). Besides the checks that
// LeitorMdb promises, a file whose size is not a whole number of pages is refused as
// truncated, a table scan that comes back to a page it has already read is refused as
// damaged, and so is a table that yields fewer rows than its definition declares.
#pragma once

#include "import/LeitorMdb.h"

#include <QByteArray>

#include <functional>

#include <memory>

namespace lumeno {

class LeitorMdbLib : public LeitorMdb {
public:
    // Opens the file; throws ErroArquivoMdb when it is missing, unreadable, not an
    // Access database or truncated.
    explicit LeitorMdbLib(const QString& arquivo);
    // Over the bytes of a file held in memory; `nome` names it in messages.
    LeitorMdbLib(const QByteArray& dados, const QString& nome);
    ~LeitorMdbLib() override;
    LeitorMdbLib(const LeitorMdbLib&) = delete;
    LeitorMdbLib& operator=(const LeitorMdbLib&) = delete;

    QString arquivo() const override { return arquivo_; }
    std::vector<TabelaMdb> lerTabelas(const std::vector<PedidoTabela>& pedidos) override;

    // Called each time a table scan moves to another page (the reader process tells the
    // program it is still working).
    std::function<void()> aCadaPagina;

private:
    struct Estado;
    void abrir(qint64 tamanho);
    TabelaMdb lerTabela(const PedidoTabela& pedido);

    QString arquivo_;
    QByteArray dados_;
    std::unique_ptr<Estado> estado_;
};

}  // namespace lumeno
