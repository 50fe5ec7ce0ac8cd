#include "components/EscritorPlanilha.h"

#include "app/ErroLumeno.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <glib.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <climits>

namespace lumeno {

namespace {

constexpr int maximoTexto = 255;

// Records of the BIFF5 stream.
class Fluxo {
public:
    void u8(int v) { dados_.append(static_cast<char>(v & 0xFF)); }
    void u16(int v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v) {
        u16(static_cast<int>(v & 0xFFFF));
        u16(static_cast<int>(v >> 16));
    }
    void f64(double v) {
        char b[8];
        qToLittleEndian(v, b);
        dados_.append(b, 8);
    }
    void bytes(const QByteArray& b) { dados_.append(b); }

    // Starts a record; its length is filled by fim().
    void inicio(int id) {
        u16(id);
        inicio_ = dados_.size();
        u16(0);
    }
    void fim() {
        const int tamanho = static_cast<int>(dados_.size() - inicio_ - 2);
        dados_[inicio_] = static_cast<char>(tamanho & 0xFF);
        dados_[inicio_ + 1] = static_cast<char>(tamanho >> 8);
    }
    qsizetype tamanho() const { return dados_.size(); }
    void corrigirU32(qsizetype posicao, quint32 v) {
        for (int i = 0; i < 4; ++i)
            dados_[posicao + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    const QByteArray& dados() const { return dados_; }

private:
    QByteArray dados_;
    qsizetype inicio_ = 0;
};

void bof(Fluxo& f, int tipo) {
    f.inicio(0x0809);
    f.u16(0x0500);
    f.u16(tipo);
    f.u16(0x096C);
    f.u16(0x07C9);
    f.fim();
}

void eof(Fluxo& f) {
    f.inicio(0x000A);
    f.fim();
}

QString erroGlib(GError* erro) {
    if (!erro)
        return QStringLiteral("erro desconhecido");
    const QString t = QString::fromUtf8(erro->message);
    g_error_free(erro);
    return t;
}

}  // namespace

QByteArray textoCp1252(const QString& texto) {
    // Code page 1252 at 0x80–0x9F (0 where the code page has no character).
    static const char16_t faixa80[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray r;
    r.reserve(texto.size());
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            r.append(static_cast<char>(u));
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i)
            if (faixa80[i] == u && u != 0)
                b = static_cast<char>(0x80 + i);
        r.append(b);
    }
    return r;
}

EscritorPlanilha::EscritorPlanilha(QString arquivo, QString nomePlanilha)
    : arquivo_(std::move(arquivo)), nomePlanilha_(std::move(nomePlanilha)) {}

void EscritorPlanilha::escreverTexto(int coluna, int linha, const QString& texto) {
    celulas_[{linha, coluna}] = texto.left(maximoTexto);
}

void EscritorPlanilha::escreverNumero(int coluna, int linha, double valor) {
    celulas_[{linha, coluna}] = valor;
}

void EscritorPlanilha::fechar() {
    if (arquivo_.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        gravarXlsx();
    else
        gravarBiff5();
}

QByteArray EscritorPlanilha::fluxoBiff5() const {
    Fluxo f;
    // Workbook globals.
    bof(f, 0x0005);
    f.inicio(0x0042);
    f.u16(0x04E4);
    f.fim();
    for (int i = 0; i < 5; ++i) {
        f.inicio(0x0031);
        f.u16(200);
        f.u16(0);
        f.u16(0x7FFF);
        f.u16(400);
        f.u16(0);
        f.u8(0);
        f.u8(0);
        f.u8(0);
        f.u8(0);
        const QByteArray nome("Arial");
        f.u8(static_cast<int>(nome.size()));
        f.bytes(nome);
        f.fim();
    }
    for (int i = 0; i < 16; ++i) {
        const bool estilo = i < 15;
        f.inicio(0x00E0);
        f.u16(0);
        f.u16(0);
        f.u16(estilo ? 0xFFF5 : 0x0001);
        f.u8(0x20);
        f.u8(estilo ? 0xF4 : 0x00);
        f.u32(0x000020C0);
        f.u32(0);
        f.fim();
    }
    f.inicio(0x0293);
    f.u16(0x8000);
    f.u8(0);
    f.u8(0xFF);
    f.fim();
    const QByteArray nomePlanilha = textoCp1252(nomePlanilha_).left(31);
    f.inicio(0x0085);
    const qsizetype posicaoDeslocamento = f.tamanho();
    f.u32(0);
    f.u8(0);
    f.u8(0);
    f.u8(static_cast<int>(nomePlanilha.size()));
    f.bytes(nomePlanilha);
    f.fim();
    eof(f);

    // The sheet.
    f.corrigirU32(posicaoDeslocamento, static_cast<quint32>(f.tamanho()));
    bof(f, 0x0010);
    int primeiraLinha = 0, ultimaLinha = -1, primeiraColuna = 0, ultimaColuna = -1;
    if (!celulas_.empty()) {
        primeiraLinha = celulas_.begin()->first.first;
        ultimaLinha = celulas_.rbegin()->first.first;
        primeiraColuna = INT_MAX;
        for (const auto& [posicao, valor] : celulas_) {
            primeiraColuna = std::min(primeiraColuna, posicao.second);
            ultimaColuna = std::max(ultimaColuna, posicao.second);
        }
    }
    f.inicio(0x0200);
    f.u16(primeiraLinha);
    f.u16(ultimaLinha + 1);
    f.u16(primeiraColuna);
    f.u16(ultimaColuna + 1);
    f.u16(0);
    f.fim();
    for (const auto& [posicao, valor] : celulas_) {
        if (const QString* texto = std::get_if<QString>(&valor)) {
            const QByteArray bytes = textoCp1252(*texto).left(maximoTexto);
            f.inicio(0x0204);
            f.u16(posicao.first);
            f.u16(posicao.second);
            f.u16(15);
            f.u16(static_cast<int>(bytes.size()));
            f.bytes(bytes);
            f.fim();
        } else {
            f.inicio(0x0203);
            f.u16(posicao.first);
            f.u16(posicao.second);
            f.u16(15);
            f.f64(std::get<double>(valor));
            f.fim();
        }
    }
    f.inicio(0x023E);
    f.u16(0x06B6);
    f.u16(0);
    f.u16(0);
    f.u32(0);
    f.fim();
    eof(f);
    return f.dados();
}

void EscritorPlanilha::gravarBiff5() {
    for (const auto& [posicao, valor] : celulas_)
        if (posicao.first < 0 || posicao.first > 16383 || posicao.second < 0 ||
            posicao.second > 255)
            throw ErroLumeno(
                QStringLiteral("Célula fora dos limites da planilha (coluna %1, linha %2).")
                    .arg(posicao.second)
                    .arg(posicao.first));
    const QByteArray fluxo = fluxoBiff5();
    const QString nome = QDir::toNativeSeparators(arquivo_);

    gsf_init();
    GError* erro = nullptr;
    GsfOutput* saida = gsf_output_stdio_new(QFile::encodeName(arquivo_).constData(), &erro);
    if (!saida)
        throw ErroLumeno(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(nome, erroGlib(erro)));
    GsfOutfile* ole = gsf_outfile_msole_new(saida);
    GsfOutput* livro = gsf_outfile_new_child(ole, "Book", FALSE);
    bool ok = livro && gsf_output_write(livro, static_cast<size_t>(fluxo.size()),
                                        reinterpret_cast<const guint8*>(fluxo.constData()));
    QString motivo;
    if (livro) {
        ok = gsf_output_close(livro) && ok;
        if (const GError* e = gsf_output_error(livro))
            motivo = QString::fromUtf8(e->message);
        g_object_unref(livro);
    }
    ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    if (const GError* e = gsf_output_error(GSF_OUTPUT(ole)); e && motivo.isEmpty())
        motivo = QString::fromUtf8(e->message);
    g_object_unref(ole);
    if (!gsf_output_is_closed(saida))
        ok = gsf_output_close(saida) && ok;
    if (const GError* e = gsf_output_error(saida); e && motivo.isEmpty())
        motivo = QString::fromUtf8(e->message);
    g_object_unref(saida);
    if (!ok)
        throw ErroLumeno(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                .arg(nome, motivo.isEmpty() ? QStringLiteral("erro de gravação") : motivo));
}

void EscritorPlanilha::gravarXlsx() {
    const QString nome = QDir::toNativeSeparators(arquivo_);
    lxw_workbook* livro = workbook_new(QFile::encodeName(arquivo_).constData());
    if (!livro)
        throw ErroLumeno(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(nome));
    lxw_worksheet* planilha = workbook_add_worksheet(livro, nomePlanilha_.toUtf8().constData());
    for (const auto& [posicao, valor] : celulas_) {
        const auto linha = static_cast<lxw_row_t>(posicao.first);
        const auto coluna = static_cast<lxw_col_t>(posicao.second);
        if (const QString* texto = std::get_if<QString>(&valor))
            worksheet_write_string(planilha, linha, coluna, texto->toUtf8().constData(), nullptr);
        else
            worksheet_write_number(planilha, linha, coluna, std::get<double>(valor), nullptr);
    }
    const lxw_error erro = workbook_close(livro);
    if (erro != LXW_NO_ERROR)
        throw ErroLumeno(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                             .arg(nome, QString::fromUtf8(lxw_strerror(erro))));
}

}  // namespace lumeno
