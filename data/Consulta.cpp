#include "data/Consulta.h"

#include "app/ErroLumeno.h"
#include "data/Conexao.h"
#include "data/Dialeto.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace lumeno {

namespace {

// Names of the ":name" parameters of a statement, outside quoted texts.
QStringList nomesParametros(const QString& sql) {
    QStringList nomes;
    QChar aspas;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
            continue;
        }
        if (c == '\'' || c == '"') {
            aspas = c;
        } else if (c == ':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == '_')) {
            qsizetype j = i + 1;
            while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == '_'))
                ++j;
            nomes << sql.mid(i + 1, j - i - 1);
            i = j - 1;
        }
    }
    return nomes;
}

void prepararEAssociar(QSqlQuery& q, const QString& sql,
                       const QMap<QString, QVariant>& parametros) {
    const QString adaptado = dialeto::adaptar(sql);
    if (!q.prepare(adaptado))
        throw ErroBanco(dialeto::textoErro(q.lastError()));
    const QStringList nomes = nomesParametros(adaptado);
    for (const QString& nome : nomes) {
        const auto it = parametros.find(nome.toLower());
        if (it == parametros.end())
            throw ErroBanco(QStringLiteral("Parâmetro \"%1\" sem valor.").arg(nome));
        q.bindValue(QLatin1Char(':') + nome, it.value());
    }
}

// Dates are stored as ISO text; a column named "data" gives them back as dates.
QVariant lerValor(const QVariant& v, bool colunaData) {
    if (colunaData && v.typeId() == QMetaType::QString) {
        const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
        if (d.isValid())
            return d;
    }
    return v;
}

}  // namespace

Consulta::Consulta(Conexao& conexao, QObject* pai) : ConjuntoDados(pai), conexao_(conexao) {}

QString Consulta::textoSql() const {
    QString t;
    for (const QString& linha : SQL)
        t += linha + QLatin1Char('\n');
    return t;
}

void Consulta::definirParametro(const QString& nome, const QVariant& valor) {
    parametros_.insert(nome.toLower(), valor);
}

QVariant Consulta::parametro(const QString& nome) const {
    return parametros_.value(nome.toLower());
}

void Consulta::abrir() {
    if (ativo())
        return;
    QSqlDatabase banco = conexao_.banco();
    QSqlQuery q(banco);
    q.setForwardOnly(true);
    prepararEAssociar(q, textoSql(), parametros_);
    if (!q.exec()) {
        const QSqlError erro = q.lastError();
        if (dialeto::violacaoChave(erro))
            throw ErroViolacaoChave(dialeto::textoErro(erro));
        throw ErroBanco(dialeto::textoErro(erro));
    }
    const QSqlRecord registro = q.record();
    colunas_.clear();
    std::vector<bool> colunaData;
    for (int i = 0; i < registro.count(); ++i) {
        colunas_ << registro.fieldName(i);
        colunaData.push_back(
            registro.fieldName(i).compare(QStringLiteral("data"), Qt::CaseInsensitive) == 0);
    }
    linhas_.clear();
    const int n = registro.count();
    while (q.next()) {
        QVector<QVariant> linha(n);
        for (int i = 0; i < n; ++i)
            linha[i] = lerValor(q.value(i), colunaData[i]);
        linhas_.push_back(std::move(linha));
    }
    atual_ = 0;
    definirLimites(true, linhas_.empty());
    definirEstado(Estado::Navegando);
    Q_EMIT registroMudou();
}

void Consulta::fechar() {
    if (!ativo())
        return;
    linhas_.clear();
    atual_ = 0;
    definirLimites(true, true);
    definirEstado(Estado::Inativo);
    Q_EMIT registroMudou();
}

void Consulta::reabrir() {
    fechar();
    abrir();
}

int Consulta::executar() {
    QSqlDatabase banco = conexao_.banco();
    QSqlQuery q(banco);
    prepararEAssociar(q, textoSql(), parametros_);
    if (!q.exec()) {
        const QSqlError erro = q.lastError();
        if (dialeto::violacaoChave(erro))
            throw ErroViolacaoChave(dialeto::textoErro(erro));
        throw ErroBanco(dialeto::textoErro(erro));
    }
    return q.numRowsAffected();
}

void Consulta::moverPara(int linha, bool bof, bool eof) {
    atual_ = linha;
    definirLimites(bof, eof);
    Q_EMIT registroMudou();
}

void Consulta::primeiro() {
    moverPara(0, true, linhas_.empty());
}

void Consulta::ultimo() {
    moverPara(linhas_.empty() ? 0 : static_cast<int>(linhas_.size()) - 1, linhas_.empty(), true);
}

void Consulta::proximo() {
    if (atual_ + 1 < static_cast<int>(linhas_.size()))
        moverPara(atual_ + 1, false, false);
    else
        moverPara(atual_, linhas_.empty(), true);
}

void Consulta::anterior() {
    if (atual_ > 0)
        moverPara(atual_ - 1, false, false);
    else
        moverPara(0, true, linhas_.empty());
}

void Consulta::irPara(int numero) {
    if (linhas_.empty())
        return;
    const int i = qBound(0, numero - 1, static_cast<int>(linhas_.size()) - 1);
    moverPara(i, i == 0, false);
}

int Consulta::indiceCampo(const QString& nome) const {
    for (int i = 0; i < colunas_.size(); ++i)
        if (colunas_[i].compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Consulta::localizar(const QString& campo, const QVariant& valor) {
    const int c = indiceCampo(campo);
    if (c < 0)
        throw ErroBanco(QStringLiteral("Campo \"%1\" não encontrado.").arg(campo));
    for (int i = 0; i < static_cast<int>(linhas_.size()); ++i) {
        if (valoresIguais(linhas_[i][c], valor)) {
            moverPara(i, false, false);
            return true;
        }
    }
    return false;
}

QVariant Consulta::valor(const QString& campo) const {
    const int c = indiceCampo(campo);
    if (c < 0)
        throw ErroBanco(QStringLiteral("Campo \"%1\" não encontrado.").arg(campo));
    return valor(c);
}

QVariant Consulta::valor(int coluna) const {
    if (linhas_.empty() || coluna < 0 || coluna >= colunas_.size())
        return QVariant();
    return linhas_[atual_][coluna];
}

}  // namespace lumeno
