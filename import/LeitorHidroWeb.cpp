#include "import/LeitorHidroWeb.h"

#include <QFile>
#include <QTimeZone>

#include <minizip/unzip.h>

#include <cmath>
#include <memory>

namespace lumeno {

namespace {

// Larger CSVs than this are not the network's downloads of one station.
constexpr qint64 maiorCsv = qint64(512) << 20;

QString nomeConteudo(ConteudoHidroWeb conteudo) {
    return conteudo == ConteudoHidroWeb::Medicoes
               ? QStringLiteral("resumo de descarga (ResumoDescarga)")
               : QStringLiteral("perfil transversal (PerfilTransversal)");
}

// The columns that identify each kind of download.
QStringList colunasExigidas(ConteudoHidroWeb conteudo) {
    if (conteudo == ConteudoHidroWeb::Medicoes)
        return {QStringLiteral("EstacaoCodigo"), QStringLiteral("NivelConsistencia"),
                QStringLiteral("Data"),          QStringLiteral("Hora"),
                QStringLiteral("NumMedicao"),    QStringLiteral("Cota"),
                QStringLiteral("Vazao"),         QStringLiteral("AreaMolhada"),
                QStringLiteral("VelMedia")};
    return {QStringLiteral("EstacaoCodigo"),
            QStringLiteral("NivelConsistencia"),
            QStringLiteral("Data"),
            QStringLiteral("Hora"),
            QStringLiteral("NumLevantamento"),
            QStringLiteral("NumVerticais"),
            QStringLiteral("Verticais")};
}

QStringList linhasDe(const QByteArray& csv) {
    QString texto = QString::fromLatin1(csv);
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto.split(QLatin1Char('\n'));
}

// Index of the header line; -1 when there is none.
int linhaCabecalho(const QStringList& linhas) {
    for (int i = 0; i < linhas.size(); ++i)
        if (linhas[i].startsWith(QLatin1String("EstacaoCodigo;"), Qt::CaseInsensitive))
            return i;
    return -1;
}

bool ehDoConteudo(const QByteArray& csv, ConteudoHidroWeb conteudo) {
    const QStringList linhas = linhasDe(csv.left(64 * 1024));
    const int cabecalho = linhaCabecalho(linhas);
    if (cabecalho < 0)
        return false;
    const QStringList campos = linhas[cabecalho].split(QLatin1Char(';'));
    for (const QString& exigida : colunasExigidas(conteudo))
        if (!campos.contains(exigida, Qt::CaseInsensitive))
            return false;
    return true;
}

// "dd/mm/yyyy" at the start of `t` (alone or followed by a blank); invalid otherwise.
QDate dataDe(QStringView t) {
    bool ok = t.size() >= 10 && t[2] == QLatin1Char('/') && t[5] == QLatin1Char('/') &&
              (t.size() == 10 || t[10] == QLatin1Char(' '));
    auto digitos = [&](qsizetype de, qsizetype n) {
        int v = 0;
        for (qsizetype i = de; ok && i < de + n; ++i) {
            ok = t[i].isDigit();
            v = v * 10 + t[i].digitValue();
        }
        return v;
    };
    const int dia = digitos(0, 2);
    const int mes = digitos(3, 2);
    const int ano = digitos(6, 4);
    return ok ? QDate(ano, mes, dia) : QDate();
}

// "hh:mm" or "hh:mm:ss"; invalid otherwise.
QTime horaDe(QStringView t) {
    bool ok =
        (t.size() == 5 || (t.size() == 8 && t[5] == QLatin1Char(':'))) && t[2] == QLatin1Char(':');
    int partes[3] = {0, 0, 0};
    for (qsizetype p = 0; ok && p < (t.size() + 1) / 3; ++p) {
        const QChar a = t[p * 3], b = t[p * 3 + 1];
        ok = a.isDigit() && b.isDigit();
        partes[p] = a.digitValue() * 10 + b.digitValue();
    }
    return ok ? QTime(partes[0], partes[1], partes[2]) : QTime();
}

double numeroDe(QString texto, bool* ok) {
    texto.replace(QLatin1Char(','), QLatin1Char('.'));
    const double v = texto.toDouble(ok);
    if (*ok && !std::isfinite(v))
        *ok = false;
    return v;
}

// Reads one data line by the header's columns.
class Linha {
public:
    Linha(const QString& arquivo, int numero, const QStringList& campos,
          const QStringList& cabecalho)
        : arquivo_(arquivo), numero_(numero), campos_(campos), cabecalho_(cabecalho) {}

    [[noreturn]] void falhar(const QString& problema) const {
        throw ErroImportacao(mensagemArquivo(
            arquivo_, QStringLiteral("tem um erro na linha %1: %2").arg(numero_).arg(problema)));
    }

    QString texto(const QString& coluna) const {
        const int i = cabecalho_.indexOf(coluna);
        return i < 0 || i >= campos_.size() ? QString() : campos_[i].trimmed();
    }

    QVariant inteiro(const QString& coluna) const {
        const QString t = texto(coluna);
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const double v = numeroDe(t, &ok);
        if (!ok || v != std::trunc(v) || std::fabs(v) > 9.0e15)
            falhar(QStringLiteral("\"%1\" em %2 não é um número inteiro.").arg(t, coluna));
        return static_cast<qint64>(v);
    }

    // A value of a Single column, as the network's database keeps it.
    QVariant simples(const QString& coluna) const {
        const QString t = texto(coluna);
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const double v = numeroDe(t, &ok);
        if (!ok || std::fabs(v) > 3.0e38)
            falhar(QStringLiteral("\"%1\" em %2 não é um número.").arg(t, coluna));
        return decimalCurto(static_cast<float>(v));
    }

    QVariant data(const QString& coluna) const {
        const QString t = texto(coluna);
        if (t.isEmpty())
            return QVariant();
        const QDate d = dataDe(t);
        if (!d.isValid())
            falhar(QStringLiteral("\"%1\" em %2 não é uma data.").arg(t, coluna));
        return QDateTime(d, QTime(0, 0), QTimeZone::utc());
    }

    // "01/01/1900 hh:mm:ss": the time counts, on the day the network writes.
    QVariant hora(const QString& coluna) const {
        const QString t = texto(coluna);
        if (t.isEmpty())
            return QVariant();
        const QDate d = dataDe(t);
        const QStringView parteHora = QStringView(t).mid(10).trimmed();
        const QTime h = parteHora.isEmpty() ? QTime(0, 0) : horaDe(parteHora);
        if (!d.isValid() || !h.isValid())
            falhar(QStringLiteral("\"%1\" em %2 não é uma hora.").arg(t, coluna));
        return QDateTime(d, h, QTimeZone::utc());
    }

private:
    const QString& arquivo_;
    int numero_;
    const QStringList& campos_;
    const QStringList& cabecalho_;
};

TabelaMdb tabela(const char* nome, const QStringList& colunas) {
    TabelaMdb t;
    t.nome = QString::fromLatin1(nome);
    t.colunas = colunas;
    return t;
}

QByteArray extrairDoZip(const QString& caminho, ConteudoHidroWeb conteudo) {
    const auto danificado = [&](const QString& entrada) {
        return ErroImportacao(mensagemArquivo(
            caminho, QStringLiteral("está danificado: %1 não pode ser extraído.").arg(entrada)));
    };
    unzFile zip = unzOpen64(QFile::encodeName(caminho).constData());
    if (!zip)
        throw ErroImportacao(
            mensagemArquivo(caminho, QStringLiteral("não é um arquivo zip legível.")));
    const std::unique_ptr<void, int (*)(unzFile)> fechar(zip, unzClose);
    int situacao = unzGoToFirstFile(zip);
    for (; situacao == UNZ_OK; situacao = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        char nomeEntrada[1024] = {};
        if (unzGetCurrentFileInfo64(zip, &info, nomeEntrada, sizeof nomeEntrada - 1, nullptr, 0,
                                    nullptr, 0) != UNZ_OK)
            throw danificado(QStringLiteral("o índice"));
        const QString nome = QString::fromUtf8(nomeEntrada);
        if (!nome.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            continue;
        if (info.uncompressed_size > static_cast<ZPOS64_T>(maiorCsv))
            throw ErroImportacao(mensagemArquivo(
                caminho, QStringLiteral("contém um CSV grande demais (%1) para ser um arquivo do "
                                        "HidroWeb.")
                             .arg(nome)));
        if (unzOpenCurrentFile(zip) != UNZ_OK)
            throw danificado(nome);
        // The sizes the zip declares are not trusted: the reading stops at the limit.
        QByteArray csv;
        char bloco[64 * 1024];
        int lidos = 0;
        while ((lidos = unzReadCurrentFile(zip, bloco, sizeof bloco)) > 0) {
            csv.append(bloco, lidos);
            if (csv.size() > maiorCsv)
                break;
        }
        // A wrong checksum shows when the entry is closed.
        const int fim = unzCloseCurrentFile(zip);
        if (lidos < 0 || fim != UNZ_OK || csv.size() > maiorCsv)
            throw danificado(nome);
        if (ehDoConteudo(csv, conteudo))
            return csv;
    }
    if (situacao != UNZ_END_OF_LIST_OF_FILE)
        throw danificado(QStringLiteral("o índice"));
    throw ErroImportacao(mensagemArquivo(
        caminho, QStringLiteral("não contém um arquivo CSV de %1 do HidroWeb; nada foi importado.")
                     .arg(nomeConteudo(conteudo))));
}

}  // namespace

std::vector<TabelaMdb> LeitorHidroWeb::ler(const QString& caminho, ConteudoHidroWeb conteudo) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroImportacao(mensagemArquivo(caminho, arquivo.exists()
                                                          ? QStringLiteral("não pode ser lido.")
                                                          : QStringLiteral("não foi encontrado.")));
    const QByteArray inicio = arquivo.peek(4);
    if (inicio.startsWith("PK\x03\x04") || inicio.startsWith("PK\x05\x06")) {
        arquivo.close();
        return lerCsv(extrairDoZip(caminho, conteudo), caminho, conteudo);
    }
    if (arquivo.size() > maiorCsv)
        throw ErroImportacao(mensagemArquivo(
            caminho, QStringLiteral("é grande demais para ser um arquivo CSV do HidroWeb.")));
    return lerCsv(arquivo.readAll(), caminho, conteudo);
}

std::vector<TabelaMdb> LeitorHidroWeb::lerCsv(const QByteArray& csv, const QString& arquivo,
                                              ConteudoHidroWeb conteudo) {
    const QStringList linhas = linhasDe(csv);
    const int inicio = linhaCabecalho(linhas);
    if (inicio < 0 || !ehDoConteudo(csv, conteudo))
        throw ErroImportacao(mensagemArquivo(
            arquivo, QStringLiteral("não é um arquivo CSV de %1 do HidroWeb (falta a linha de "
                                    "cabeçalho com as colunas %2); nada foi importado.")
                         .arg(nomeConteudo(conteudo),
                              colunasExigidas(conteudo).join(QStringLiteral(", ")))));
    QStringList cabecalho;
    for (const QString& c : linhas[inicio].split(QLatin1Char(';')))
        cabecalho << c.trimmed();
    // Names as the network's tables write them, whatever the case in the header.
    for (QString& c : cabecalho)
        for (const QString& exigida : colunasExigidas(conteudo))
            if (c.compare(exigida, Qt::CaseInsensitive) == 0)
                c = exigida;
    const int colunaVerticais = static_cast<int>(cabecalho.indexOf(QStringLiteral("Verticais")));

    TabelaMdb estacoes = tabela(
        "Estacao", {QStringLiteral("codigo"), QStringLiteral("nome"), QStringLiteral("RioCodigo")});
    QList<qint64> codigos;
    TabelaMdb resumo = tabela(
        "ResumoDescarga",
        {QStringLiteral("Importado"), QStringLiteral("Temporario"), QStringLiteral("Removido"),
         QStringLiteral("ImportadoRepetido"), QStringLiteral("EstacaoCodigo"),
         QStringLiteral("NivelConsistencia"), QStringLiteral("Data"), QStringLiteral("Hora"),
         QStringLiteral("NumMedicao"), QStringLiteral("Cota"), QStringLiteral("Vazao"),
         QStringLiteral("AreaMolhada"), QStringLiteral("VelMedia")});
    TabelaMdb perfis =
        tabela("PerfilTransversal",
               {QStringLiteral("RegistroID"), QStringLiteral("Removido"),
                QStringLiteral("EstacaoCodigo"), QStringLiteral("NivelConsistencia"),
                QStringLiteral("Data"), QStringLiteral("Hora"), QStringLiteral("NumLevantamento")});
    TabelaMdb verticais =
        tabela("PerfilTransversalVert", {QStringLiteral("RegistroID"), QStringLiteral("Distancia"),
                                         QStringLiteral("Cota"), QStringLiteral("Removido")});

    const QVariant zero = qint64(0);
    for (int i = inicio + 1; i < linhas.size(); ++i) {
        if (linhas[i].trimmed().isEmpty())
            continue;
        const QStringList campos = linhas[i].split(QLatin1Char(';'));
        const Linha linha(arquivo, i + 1, campos, cabecalho);
        const int exigidos =
            conteudo == ConteudoHidroWeb::Medicoes
                ? static_cast<int>(cabecalho.indexOf(QStringLiteral("VelMedia"))) + 1
                : colunaVerticais;
        if (campos.size() < exigidos)
            linha.falhar(QStringLiteral("a linha tem só %1 campos.").arg(campos.size()));
        const QVariant codigo = linha.inteiro(QStringLiteral("EstacaoCodigo"));
        if (codigo.isNull())
            linha.falhar(QStringLiteral("falta o código da estação."));
        if (!codigos.contains(codigo.toLongLong()))
            codigos << codigo.toLongLong();
        const QVariant nivel = linha.inteiro(QStringLiteral("NivelConsistencia"));
        const QVariant data = linha.data(QStringLiteral("Data"));
        const QVariant hora = linha.hora(QStringLiteral("Hora"));
        if (conteudo == ConteudoHidroWeb::Medicoes) {
            resumo.linhas.push_back({zero, zero, zero, zero, codigo, nivel, data, hora,
                                     linha.inteiro(QStringLiteral("NumMedicao")),
                                     linha.simples(QStringLiteral("Cota")),
                                     linha.simples(QStringLiteral("Vazao")),
                                     linha.simples(QStringLiteral("AreaMolhada")),
                                     linha.simples(QStringLiteral("VelMedia"))});
            continue;
        }
        const qint64 registro = static_cast<qint64>(perfis.linhas.size()) + 1;
        perfis.linhas.push_back({double(registro), zero, codigo, nivel, data, hora,
                                 linha.inteiro(QStringLiteral("NumLevantamento"))});
        std::vector<VerticalHidro> lista;
        try {
            lista = decodificarVerticais(
                QStringList(campos.mid(colunaVerticais)).join(QLatin1Char(';')));
        } catch (const ErroImportacao& e) {
            linha.falhar(e.mensagem() + QStringLiteral(" Nada foi importado."));
        }
        const QVariant declaradas = linha.inteiro(QStringLiteral("NumVerticais"));
        if (!declaradas.isNull() && declaradas.toLongLong() != static_cast<qint64>(lista.size()))
            linha.falhar(QStringLiteral("NumVerticais diz %1 verticais, mas a lista completa tem "
                                        "%2. Nada foi importado.")
                             .arg(declaradas.toLongLong())
                             .arg(lista.size()));
        for (const VerticalHidro& v : lista)
            verticais.linhas.push_back({double(registro), v.distancia, v.cota, zero});
    }
    for (qint64 c : codigos)
        estacoes.linhas.push_back({c, QVariant(), QVariant()});
    if (conteudo == ConteudoHidroWeb::Medicoes)
        return {estacoes, resumo};
    return {estacoes, perfis, verticais};
}

std::vector<VerticalHidro> LeitorHidroWeb::decodificarVerticais(const QString& campo) {
    std::vector<VerticalHidro> pares;
    for (const QString& grupo : campo.split(QLatin1Char('|'))) {
        QStringList partes = grupo.trimmed().split(QLatin1Char(';'));
        while (!partes.isEmpty() && partes.last().trimmed().isEmpty())
            partes.removeLast();
        if (partes.isEmpty())
            continue;
        bool okX = false, okY = false;
        const double x = partes.size() == 2 ? numeroDe(partes[0].trimmed(), &okX) : 0;
        const double y = partes.size() == 2 ? numeroDe(partes[1].trimmed(), &okY) : 0;
        if (!okX || !okY || std::fabs(x) > 3.0e38 || std::fabs(y) > 3.0e38)
            throw ErroImportacao(
                QStringLiteral("a vertical \"%1\" não é um par distância;cota.").arg(grupo));
        pares.push_back({decimalCurto(static_cast<float>(x)), decimalCurto(static_cast<float>(y))});
    }
    // 1 + 2 + … + n pairs.
    const auto total = static_cast<qint64>(pares.size());
    const auto n = static_cast<qint64>(std::llround((std::sqrt(8.0 * double(total) + 1) - 1) / 2));
    if (n * (n + 1) / 2 != total)
        throw ErroImportacao(
            QStringLiteral("a lista de verticais (%1 pares) não cresce uma vertical a cada passo.")
                .arg(total));
    const qint64 inicioUltimo = total - n;
    for (qint64 passo = 1; passo < n; ++passo) {
        const qint64 inicio = passo * (passo - 1) / 2;
        for (qint64 j = 0; j < passo; ++j) {
            const VerticalHidro& a = pares[static_cast<size_t>(inicio + j)];
            const VerticalHidro& b = pares[static_cast<size_t>(inicioUltimo + j)];
            if (a.distancia != b.distancia || a.cota != b.cota)
                throw ErroImportacao(
                    QStringLiteral("o passo %1 da lista de verticais não repete o início da lista "
                                   "completa (vertical %2).")
                        .arg(passo)
                        .arg(j + 1));
        }
    }
    return std::vector<VerticalHidro>(pares.begin() + inicioUltimo, pares.end());
}

}  // namespace lumeno
