#include "import/LeitorMdbProcesso.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimeZone>

namespace lumeno {

namespace {

constexpr quint32 marcaPedido = 0x4C4D4450;    // "LMDP"
constexpr quint32 marcaResposta = 0x4C4D4452;  // "LMDR"
constexpr quint16 versaoProtocolo = 1;

enum Valor : quint8 { Nulo, Inteiro, Real, Texto, DataHora };

void preparar(QDataStream& s) {
    s.setVersion(QDataStream::Qt_6_4);
}

}  // namespace

LeitorMdbProcesso::LeitorMdbProcesso(QString arquivo, QString executavel, int espera)
    : arquivo_(std::move(arquivo)), executavel_(std::move(executavel)), espera_(espera) {}

QString LeitorMdbProcesso::executavelPadrao() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(nomeExecutavel);
}

QByteArray LeitorMdbProcesso::codificarPedido(const QString& arquivo,
                                              const std::vector<PedidoTabela>& pedidos) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    preparar(s);
    s << marcaPedido << versaoProtocolo << arquivo << static_cast<qint32>(pedidos.size());
    for (const PedidoTabela& p : pedidos) {
        s << p.tabela << static_cast<qint32>(p.colunas.size());
        for (const ColunaMdb& c : p.colunas)
            s << c.nome << static_cast<qint32>(c.tipo);
    }
    return bytes;
}

bool LeitorMdbProcesso::decodificarPedido(const QByteArray& bytes, QString& arquivo,
                                          std::vector<PedidoTabela>& pedidos) {
    QDataStream s(bytes);
    preparar(s);
    quint32 marca = 0;
    quint16 versao = 0;
    qint32 n = 0;
    s >> marca >> versao >> arquivo >> n;
    if (marca != marcaPedido || versao != versaoProtocolo || n < 0 || n > 1000)
        return false;
    pedidos.clear();
    for (qint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        PedidoTabela p;
        qint32 colunas = 0;
        s >> p.tabela >> colunas;
        if (colunas < 0 || colunas > 1000)
            return false;
        for (qint32 c = 0; c < colunas; ++c) {
            ColunaMdb coluna;
            qint32 tipo = 0;
            s >> coluna.nome >> tipo;
            if (tipo < 0 || tipo > static_cast<qint32>(TipoColuna::Presente))
                return false;
            coluna.tipo = static_cast<TipoColuna>(tipo);
            p.colunas << coluna;
        }
        pedidos.push_back(std::move(p));
    }
    return s.status() == QDataStream::Ok && s.atEnd();
}

QByteArray LeitorMdbProcesso::codificarResposta(const std::vector<TabelaMdb>& tabelas) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    preparar(s);
    s << marcaResposta << versaoProtocolo << quint8(1) << static_cast<qint32>(tabelas.size());
    for (const TabelaMdb& t : tabelas) {
        s << t.nome << t.colunas << static_cast<qint64>(t.linhas.size());
        for (const auto& linha : t.linhas) {
            for (const QVariant& v : linha) {
                switch (v.typeId()) {
                    case QMetaType::LongLong:
                        s << quint8(Inteiro) << v.toLongLong();
                        break;
                    case QMetaType::Double:
                        s << quint8(Real) << v.toDouble();
                        break;
                    case QMetaType::QString:
                        s << quint8(Texto) << v.toString();
                        break;
                    case QMetaType::QDateTime:
                        s << quint8(DataHora) << v.toDateTime().toMSecsSinceEpoch();
                        break;
                    default:
                        s << quint8(Nulo);
                        break;
                }
            }
        }
    }
    return bytes;
}

QByteArray LeitorMdbProcesso::codificarErro(const QString& mensagem) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    preparar(s);
    s << marcaResposta << versaoProtocolo << quint8(0) << mensagem;
    return bytes;
}

std::vector<TabelaMdb> LeitorMdbProcesso::decodificarResposta(const QByteArray& bytes,
                                                              const QString& arquivo) {
    const ErroArquivoMdb ilegivel(mensagemArquivo(
        arquivo, QStringLiteral("está danificado: o leitor de arquivos Access não conseguiu "
                                "lê-lo.")));
    QDataStream s(bytes);
    preparar(s);
    quint32 marca = 0;
    quint16 versao = 0;
    quint8 ok = 0;
    s >> marca >> versao >> ok;
    if (s.status() != QDataStream::Ok || marca != marcaResposta || versao != versaoProtocolo)
        throw ilegivel;
    if (!ok) {
        QString mensagem;
        s >> mensagem;
        if (s.status() != QDataStream::Ok)
            throw ilegivel;
        throw ErroArquivoMdb(mensagem);
    }
    qint32 n = 0;
    s >> n;
    if (n < 0)
        throw ilegivel;
    std::vector<TabelaMdb> tabelas;
    for (qint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        TabelaMdb t;
        qint64 linhas = 0;
        s >> t.nome >> t.colunas >> linhas;
        // Every value takes at least one byte.
        if (linhas < 0 || linhas > 100000000 ||
            (!t.colunas.isEmpty() && linhas * t.colunas.size() > bytes.size()))
            throw ilegivel;
        t.linhas.reserve(static_cast<size_t>(linhas));
        for (qint64 l = 0; l < linhas && s.status() == QDataStream::Ok; ++l) {
            QVector<QVariant> linha(t.colunas.size());
            for (QVariant& v : linha) {
                quint8 tipo = Nulo;
                s >> tipo;
                switch (tipo) {
                    case Nulo:
                        break;
                    case Inteiro: {
                        qint64 x = 0;
                        s >> x;
                        v = x;
                        break;
                    }
                    case Real: {
                        double x = 0;
                        s >> x;
                        v = x;
                        break;
                    }
                    case Texto: {
                        QString x;
                        s >> x;
                        v = x;
                        break;
                    }
                    case DataHora: {
                        qint64 x = 0;
                        s >> x;
                        v = QDateTime::fromMSecsSinceEpoch(x, QTimeZone::utc());
                        break;
                    }
                    default:
                        throw ilegivel;
                }
            }
            t.linhas.push_back(std::move(linha));
        }
        tabelas.push_back(std::move(t));
    }
    if (s.status() != QDataStream::Ok || !s.atEnd())
        throw ilegivel;
    return tabelas;
}

std::vector<TabelaMdb> LeitorMdbProcesso::lerTabelas(const std::vector<PedidoTabela>& pedidos) {
    const QFileInfo info(arquivo_);
    if (!info.exists())
        throw ErroArquivoMdb(mensagemArquivo(arquivo_, QStringLiteral("não foi encontrado.")));
    if (!info.isFile() || !info.isReadable())
        throw ErroArquivoMdb(mensagemArquivo(arquivo_, QStringLiteral("não pode ser lido.")));
    if (!QFileInfo(executavel_).isExecutable())
        throw ErroArquivoMdb(
            QStringLiteral("O leitor de arquivos Access (%1) não foi encontrado junto ao "
                           "programa: \"%2\".")
                .arg(nomeExecutavel, QDir::toNativeSeparators(executavel_)));

    QProcess processo;
    // libmdb reports what it dislikes on stderr, sometimes without end.
    processo.setStandardErrorFile(QProcess::nullDevice());
    processo.start(executavel_, QStringList(), QIODevice::ReadWrite);
    if (!processo.waitForStarted(espera_))
        throw ErroArquivoMdb(
            QStringLiteral("O leitor de arquivos Access (\"%1\") não pôde ser iniciado.")
                .arg(QDir::toNativeSeparators(executavel_)));
    processo.write(codificarPedido(QFileInfo(arquivo_).absoluteFilePath(), pedidos));
    processo.closeWriteChannel();

    QByteArray saida;
    QElapsedTimer semResposta;
    semResposta.start();
    auto encerrar = [&](const QString& problema) {
        processo.kill();
        processo.waitForFinished(5000);
        throw ErroArquivoMdb(mensagemArquivo(arquivo_, problema));
    };
    for (;;) {
        if (processo.waitForReadyRead(100)) {
            saida += processo.readAllStandardOutput();
            semResposta.restart();
            if (saida.size() > limiteBytes)
                encerrar(
                    QStringLiteral("é grande demais ou está danificado: a leitura foi "
                                   "interrompida."));
            continue;
        }
        if (processo.state() == QProcess::NotRunning)
            break;
        if (semResposta.elapsed() > espera_)
            encerrar(
                QStringLiteral("não pôde ser lido: o leitor de arquivos Access parou de "
                               "responder (o arquivo deve estar danificado)."));
    }
    saida += processo.readAllStandardOutput();
    qsizetype sinais = 0;
    while (sinais < saida.size() && saida[sinais] == sinalVida)
        ++sinais;
    saida.remove(0, sinais);
    if (processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        throw ErroArquivoMdb(mensagemArquivo(
            arquivo_, QStringLiteral("está danificado: o leitor de arquivos Access terminou de "
                                     "forma anormal ao lê-lo.")));
    return decodificarResposta(saida, arquivo_);
}

}  // namespace lumeno
