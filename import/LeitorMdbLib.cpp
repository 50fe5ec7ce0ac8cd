#include "import/LeitorMdbLib.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <mdbtools.h>

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {

QString nomeTipo(TipoColuna tipo) {
    switch (tipo) {
        case TipoColuna::Inteiro:
            return QStringLiteral("número inteiro");
        case TipoColuna::Real:
            return QStringLiteral("número");
        case TipoColuna::Texto:
            return QStringLiteral("texto");
        case TipoColuna::Data:
            return QStringLiteral("data");
        case TipoColuna::Presente:
            break;
    }
    return QString();
}

bool tipoAceito(TipoColuna pedido, int tipoMdb) {
    const bool numero = tipoMdb == MDB_BYTE || tipoMdb == MDB_INT || tipoMdb == MDB_LONGINT ||
                        tipoMdb == MDB_FLOAT || tipoMdb == MDB_DOUBLE;
    switch (pedido) {
        case TipoColuna::Inteiro:
        case TipoColuna::Real:
            return numero;
        case TipoColuna::Texto:
            return tipoMdb == MDB_TEXT || tipoMdb == MDB_MEMO;
        case TipoColuna::Data:
            return tipoMdb == MDB_DATETIME;
        case TipoColuna::Presente:
            return true;
    }
    return false;
}

// Bytes a fixed-size value takes in the row; 0 for variable ones.
int tamanhoFixo(int tipoMdb) {
    switch (tipoMdb) {
        case MDB_BYTE:
            return 1;
        case MDB_INT:
            return 2;
        case MDB_LONGINT:
        case MDB_FLOAT:
            return 4;
        case MDB_DOUBLE:
        case MDB_DATETIME:
            return 8;
        default:
            return 0;
    }
}

}  // namespace

struct LeitorMdbLib::Estado {
    MdbHandle* mdb = nullptr;
    ~Estado() {
        if (mdb)
            mdb_close(mdb);
    }
};

LeitorMdbLib::LeitorMdbLib(const QString& arquivo)
    : arquivo_(arquivo), estado_(std::make_unique<Estado>()) {
    const QFileInfo info(arquivo);
    if (!info.exists())
        throw ErroArquivoMdb(mensagemArquivo(arquivo, QStringLiteral("não foi encontrado.")));
    if (!info.isFile() || !info.isReadable())
        throw ErroArquivoMdb(mensagemArquivo(arquivo, QStringLiteral("não pode ser lido.")));
    estado_->mdb = mdb_open(QFile::encodeName(arquivo).constData(), MDB_NOFLAGS);
    abrir(info.size());
}

LeitorMdbLib::LeitorMdbLib(const QByteArray& dados, const QString& nome)
    : arquivo_(nome), dados_(dados), estado_(std::make_unique<Estado>()) {
    // libmdb reads the buffer in place; the copy held here outlives the handle.
    dados_.detach();
    if (!dados_.isEmpty())
        estado_->mdb =
            mdb_open_buffer(dados_.data(), static_cast<size_t>(dados_.size()), MDB_NOFLAGS);
    abrir(dados_.size());
}

LeitorMdbLib::~LeitorMdbLib() = default;

void LeitorMdbLib::abrir(qint64 tamanho) {
    MdbHandle* mdb = estado_->mdb;
    if (!mdb)
        throw ErroArquivoMdb(
            mensagemArquivo(arquivo_, QStringLiteral("não é um banco de dados Access (.mdb).")));
    const qint64 pagina = mdb->fmt->pg_size;
    if (pagina <= 0 || tamanho % pagina != 0 || tamanho < 2 * pagina)
        throw ErroArquivoMdb(mensagemArquivo(
            arquivo_, QStringLiteral("está truncado ou danificado: seu tamanho (%1 bytes) não é "
                                     "um número inteiro de páginas de %2 bytes.")
                          .arg(tamanho)
                          .arg(pagina)));
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        throw ErroArquivoMdb(mensagemArquivo(
            arquivo_, QStringLiteral("está danificado: a lista de tabelas não pode ser lida.")));
}

std::vector<TabelaMdb> LeitorMdbLib::lerTabelas(const std::vector<PedidoTabela>& pedidos) {
    std::vector<TabelaMdb> tabelas;
    tabelas.reserve(pedidos.size());
    for (const PedidoTabela& p : pedidos)
        tabelas.push_back(lerTabela(p));
    return tabelas;
}

TabelaMdb LeitorMdbLib::lerTabela(const PedidoTabela& pedido) {
    MdbHandle* mdb = estado_->mdb;
    MdbCatalogEntry* entrada = nullptr;
    for (guint i = 0; mdb->catalog && i < mdb->catalog->len; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE &&
            QString::fromUtf8(e->object_name).compare(pedido.tabela, Qt::CaseInsensitive) == 0) {
            entrada = e;
            break;
        }
    }
    if (!entrada)
        throw ErroArquivoMdb(
            mensagemArquivo(arquivo_, QStringLiteral("não tem a tabela %1.").arg(pedido.tabela)));
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> tabela(mdb_read_table(entrada),
                                                                mdb_free_tabledef);
    const QString danificada =
        QStringLiteral("está truncado ou danificado: a tabela %1 não pode ser lida por inteiro.")
            .arg(pedido.tabela);
    if (!tabela || !mdb_read_columns(tabela.get()))
        throw ErroArquivoMdb(mensagemArquivo(arquivo_, danificada));

    TabelaMdb resultado;
    resultado.nome = pedido.tabela;
    std::vector<MdbColumn*> colunas;
    for (const ColunaMdb& pedida : pedido.colunas) {
        MdbColumn* achada = nullptr;
        for (guint c = 0; c < tabela->columns->len; ++c) {
            auto* col = static_cast<MdbColumn*>(g_ptr_array_index(tabela->columns, c));
            if (QString::fromUtf8(col->name).compare(pedida.nome, Qt::CaseInsensitive) == 0) {
                achada = col;
                break;
            }
        }
        if (!achada)
            throw ErroArquivoMdb(
                mensagemArquivo(arquivo_, QStringLiteral("não tem a coluna %1 na tabela %2.")
                                              .arg(pedida.nome, pedido.tabela)));
        if (!tipoAceito(pedida.tipo, achada->col_type))
            throw ErroArquivoMdb(mensagemArquivo(
                arquivo_, QStringLiteral("tem a coluna %1 da tabela %2 com um tipo diferente do "
                                         "esperado (%3).")
                              .arg(pedida.nome, pedido.tabela, nomeTipo(pedida.tipo))));
        if (pedida.tipo == TipoColuna::Presente)
            continue;
        resultado.colunas << pedida.nome;
        colunas.push_back(achada);
    }
    std::vector<TipoColuna> tipos;
    for (const ColunaMdb& pedida : pedido.colunas)
        if (pedida.tipo != TipoColuna::Presente)
            tipos.push_back(pedida.tipo);

    const int tamanhoPagina = static_cast<int>(mdb->fmt->pg_size);
    mdb_rewind_table(tabela.get());
    QSet<guint32> paginas;
    guint32 paginaAtual = 0;
    // The declared count is the file's word only: it bounds nothing that is allocated.
    resultado.linhas.reserve(std::min<size_t>(tabela->num_rows, 1 << 16));
    while (mdb_fetch_row(tabela.get())) {
        if (tabela->cur_phys_pg != paginaAtual) {
            paginaAtual = tabela->cur_phys_pg;
            if (paginas.contains(paginaAtual))
                throw ErroArquivoMdb(mensagemArquivo(arquivo_, danificada));
            paginas.insert(paginaAtual);
            if (aCadaPagina)
                aCadaPagina();
        }
        QVector<QVariant> linha(static_cast<qsizetype>(colunas.size()));
        for (size_t i = 0; i < colunas.size(); ++i) {
            const MdbColumn* col = colunas[i];
            const int inicio = col->cur_value_start;
            const int tamanho = col->cur_value_len;
            if (tamanho <= 0)
                continue;
            const int fixo = tamanhoFixo(col->col_type);
            if (inicio < 0 || inicio + tamanho > tamanhoPagina || (fixo && tamanho < fixo))
                throw ErroArquivoMdb(mensagemArquivo(arquivo_, danificada));
            QVariant& v = linha[static_cast<qsizetype>(i)];
            double numero = 0;
            switch (col->col_type) {
                case MDB_BYTE:
                    numero = mdb->pg_buf[inicio];
                    break;
                case MDB_INT:
                    numero = mdb_get_int16(mdb->pg_buf, inicio);
                    break;
                case MDB_LONGINT:
                    numero = static_cast<double>(mdb_get_int32(mdb->pg_buf, inicio));
                    break;
                case MDB_FLOAT: {
                    const float f = mdb_get_single(mdb->pg_buf, inicio);
                    numero = std::isfinite(f) ? decimalCurto(f) : NAN;
                    break;
                }
                case MDB_DOUBLE:
                case MDB_DATETIME:
                    numero = mdb_get_double(mdb->pg_buf, inicio);
                    break;
                case MDB_TEXT:
                case MDB_MEMO: {
                    char* texto =
                        mdb_col_to_string(mdb, mdb->pg_buf, inicio, col->col_type, tamanho);
                    if (texto && *texto)
                        v = QString::fromUtf8(texto);
                    g_free(texto);
                    continue;
                }
                default:
                    continue;
            }
            if (!std::isfinite(numero))
                continue;
            switch (tipos[i]) {
                case TipoColuna::Inteiro:
                    if (numero == std::trunc(numero) && std::fabs(numero) < 9.0e15)
                        v = static_cast<qint64>(numero);
                    else
                        throw ErroArquivoMdb(mensagemArquivo(
                            arquivo_,
                            QStringLiteral("tem na coluna %1 da tabela %2 o valor %3, que "
                                           "não é um número inteiro.")
                                .arg(QString::fromUtf8(col->name), pedido.tabela)
                                .arg(numero)));
                    break;
                case TipoColuna::Real:
                    v = numero;
                    break;
                case TipoColuna::Data: {
                    const QDateTime d = dataAccess(numero);
                    if (d.isValid())
                        v = d;
                    break;
                }
                default:
                    break;
            }
        }
        resultado.linhas.push_back(std::move(linha));
    }
    if (resultado.linhas.size() < tabela->num_rows)
        throw ErroArquivoMdb(mensagemArquivo(
            arquivo_, QStringLiteral("está truncado ou danificado: a tabela %1 declara %2 "
                                     "linhas, mas só %3 puderam ser lidas.")
                          .arg(pedido.tabela)
                          .arg(tabela->num_rows)
                          .arg(resultado.linhas.size())));
    return resultado;
}

}  // namespace lumeno
