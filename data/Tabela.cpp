#include "data/Tabela.h"

#include "app/ErroLumeno.h"
#include "data/Conexao.h"
#include "data/Dialeto.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace lumeno {

namespace {

QSqlQuery preparar(QSqlDatabase banco, const QString& sql, const QVariantList& valores) {
    QSqlQuery q(banco);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErroBanco(dialeto::textoErro(q.lastError()));
    for (int i = 0; i < valores.size(); ++i)
        q.bindValue(i, valores[i]);
    return q;
}

void executar(QSqlQuery& q) {
    if (!q.exec())
        throw ErroBanco(dialeto::textoErro(q.lastError()));
}

QVariant lerValor(const QVariant& v, const QString& tipo) {
    if (tipo.compare(QStringLiteral("DATE"), Qt::CaseInsensitive) == 0 &&
        v.typeId() == QMetaType::QString) {
        const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
        if (d.isValid())
            return d;
    }
    return v;
}

}  // namespace

Tabela::Tabela(Conexao& conexao, QString nomeTabela, QStringList indicePrimario, QObject* pai)
    : ConjuntoDados(pai), conexao_(conexao), nomeTabela_(std::move(nomeTabela)) {
    indices_.insert(QString(), indicePrimario);
}

void Tabela::adicionarIndice(const QString& nome, const QStringList& campos) {
    indices_.insert(nome.toLower(), campos);
}

void Tabela::definirIndice(const QString& nome) {
    if (!indices_.contains(nome.toLower()))
        throw ErroBanco(
            QStringLiteral("Índice \"%1\" não existe na tabela %2.").arg(nome, nomeTabela_));
    indice_ = nome.toLower();
}

void Tabela::adicionarCampoCalculado(const QString& nome,
                                     std::function<QVariant(const Tabela&)> calcular) {
    calculados_.insert(nome.toLower(), std::move(calcular));
}

void Tabela::definirMensagemViolacaoChave(const QString& mensagem, const QString& titulo) {
    mensagemChave_ = mensagem;
    tituloChave_ = titulo;
}

void Tabela::abrir() {
    if (ativo())
        return;
    QSqlQuery q =
        preparar(conexao_.banco(), QStringLiteral("PRAGMA table_info(%1)").arg(nomeTabela_), {});
    executar(q);
    campos_.clear();
    tipos_.clear();
    tamanhos_.clear();
    static const QRegularExpression tamanho(QStringLiteral("\\((\\d+)\\)"));
    while (q.next()) {
        campos_ << q.value(1).toString();
        const QString tipo = q.value(2).toString();
        tipos_ << tipo;
        const auto m = tamanho.match(tipo);
        tamanhos_ << (m.hasMatch() ? m.captured(1).toInt() : 0);
    }
    if (campos_.isEmpty())
        throw ErroBanco(
            QStringLiteral("Tabela \"%1\" não existe no banco de dados.").arg(nomeTabela_));
    definirEstado(Estado::Navegando);
    primeiro();
}

void Tabela::fechar() {
    if (!ativo())
        return;
    buffer_.clear();
    registro_.clear();
    temRegistro_ = false;
    definirLimites(true, true);
    definirEstado(Estado::Inativo);
    Q_EMIT registroMudou();
}

void Tabela::exigirAtivo() const {
    if (!ativo())
        throw ErroBanco(QStringLiteral("Tabela %1 não está aberta.").arg(nomeTabela_));
}

void Tabela::exigirNavegando() {
    exigirAtivo();
    if (estado() == Estado::Inserindo || estado() == Estado::Editando)
        postar();
}

int Tabela::indiceCampo(const QString& nome) const {
    for (int i = 0; i < campos_.size(); ++i)
        if (campos_[i].compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList Tabela::camposOrdem() const {
    return indices_.value(indice_);
}

QString Tabela::clausulaOrdem(bool inversa) const {
    QStringList partes;
    const QString direcao = inversa ? QStringLiteral(" DESC") : QString();
    for (const QString& c : camposOrdem())
        partes << c + direcao;
    partes << QStringLiteral("rowid") + direcao;
    return QStringLiteral(" ORDER BY ") + partes.join(QStringLiteral(", "));
}

QVariantList Tabela::chaveAtual() const {
    QVariantList chave;
    for (const QString& c : camposOrdem())
        chave << registro_.value(indiceCampo(c));
    chave << rowid_;
    return chave;
}

bool Tabela::lerRegistro(const QString& condicao, const QVariantList& valores, bool inversa) {
    QString sql = QStringLiteral("SELECT rowid, * FROM %1").arg(nomeTabela_);
    if (!condicao.isEmpty())
        sql += QStringLiteral(" WHERE ") + condicao;
    sql += clausulaOrdem(inversa) + QStringLiteral(" LIMIT 1");
    QSqlQuery q = preparar(conexao_.banco(), sql, valores);
    executar(q);
    if (!q.next())
        return false;
    rowid_ = q.value(0).toLongLong();
    registro_.resize(campos_.size());
    for (int i = 0; i < campos_.size(); ++i)
        registro_[i] = lerValor(q.value(i + 1), tipos_[i]);
    temRegistro_ = true;
    return true;
}

void Tabela::primeiro() {
    exigirNavegando();
    temRegistro_ = lerRegistro(QString(), {}, false);
    definirLimites(true, !temRegistro_);
    Q_EMIT registroMudou();
}

void Tabela::ultimo() {
    exigirNavegando();
    temRegistro_ = lerRegistro(QString(), {}, true);
    definirLimites(!temRegistro_, true);
    Q_EMIT registroMudou();
}

namespace {
QString tupla(const QStringList& campos) {
    QStringList partes = campos;
    partes << QStringLiteral("rowid");
    return QLatin1Char('(') + partes.join(QStringLiteral(", ")) + QLatin1Char(')');
}
QString marcadores(int n) {
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return QLatin1Char('(') + m.join(QStringLiteral(", ")) + QLatin1Char(')');
}
}  // namespace

void Tabela::proximo() {
    exigirNavegando();
    if (!temRegistro_) {
        definirLimites(true, true);
        return;
    }
    const QVariantList chave = chaveAtual();
    if (lerRegistro(tupla(camposOrdem()) + QStringLiteral(" > ") + marcadores(chave.size()), chave,
                    false))
        definirLimites(false, false);
    else
        definirLimites(false, true);
    Q_EMIT registroMudou();
}

void Tabela::anterior() {
    exigirNavegando();
    if (!temRegistro_) {
        definirLimites(true, true);
        return;
    }
    const QVariantList chave = chaveAtual();
    if (lerRegistro(tupla(camposOrdem()) + QStringLiteral(" < ") + marcadores(chave.size()), chave,
                    true))
        definirLimites(false, false);
    else
        definirLimites(true, false);
    Q_EMIT registroMudou();
}

int Tabela::totalRegistros() const {
    if (!ativo())
        return 0;
    QSqlQuery q = preparar(const_cast<Conexao&>(conexao_).banco(),
                           QStringLiteral("SELECT count(*) FROM %1").arg(nomeTabela_), {});
    executar(q);
    return q.next() ? q.value(0).toInt() : 0;
}

int Tabela::numeroRegistro() const {
    if (!ativo() || !temRegistro_)
        return 0;
    const QVariantList chave = chaveAtual();
    QSqlQuery q = preparar(const_cast<Conexao&>(conexao_).banco(),
                           QStringLiteral("SELECT count(*) FROM %1 WHERE %2 < %3")
                               .arg(nomeTabela_, tupla(camposOrdem()), marcadores(chave.size())),
                           chave);
    executar(q);
    return q.next() ? q.value(0).toInt() + 1 : 0;
}

bool Tabela::localizar(const QString& campo, const QVariant& valor) {
    exigirNavegando();
    const int i = indiceCampo(campo);
    if (i < 0)
        throw ErroBanco(
            QStringLiteral("Campo \"%1\" não encontrado na tabela %2.").arg(campo, nomeTabela_));
    if (!lerRegistro(campos_[i] + QStringLiteral(" = ?"), {valor}, false))
        return false;
    definirLimites(false, false);
    Q_EMIT registroMudou();
    return true;
}

bool Tabela::localizarChave(const QVariantList& chave) {
    exigirNavegando();
    const QStringList campos = camposOrdem();
    QStringList condicoes;
    for (int i = 0; i < campos.size() && i < chave.size(); ++i)
        condicoes << campos[i] + QStringLiteral(" = ?");
    if (!lerRegistro(condicoes.join(QStringLiteral(" AND ")), chave.mid(0, condicoes.size()),
                     false))
        return false;
    definirLimites(false, false);
    Q_EMIT registroMudou();
    return true;
}

QVariant Tabela::valor(const QString& campo) const {
    const auto calculado = calculados_.find(campo.toLower());
    if (calculado != calculados_.end())
        return calculado.value()(*this);
    const int i = indiceCampo(campo);
    if (i < 0) {
        if (!ativo())
            throw ErroBanco(QStringLiteral("Tabela %1 não está aberta.").arg(nomeTabela_));
        throw ErroBanco(
            QStringLiteral("Campo \"%1\" não encontrado na tabela %2.").arg(campo, nomeTabela_));
    }
    if (estado() == Estado::Inserindo || estado() == Estado::Editando)
        return buffer_.value(i);
    return temRegistro_ ? registro_.value(i) : QVariant();
}

void Tabela::anexar() {
    exigirNavegando();
    buffer_ = QVector<QVariant>(campos_.size());
    definirEstado(Estado::Inserindo);
    Q_EMIT registroMudou();
}

void Tabela::editar() {
    exigirAtivo();
    if (estado() == Estado::Editando || estado() == Estado::Inserindo)
        return;
    if (!temRegistro_)
        throw ErroBanco(
            QStringLiteral("Não há registro para editar na tabela %1.").arg(nomeTabela_));
    buffer_ = registro_;
    definirEstado(Estado::Editando);
    Q_EMIT registroMudou();
}

void Tabela::definirValor(const QString& campo, const QVariant& valor) {
    if (estado() != Estado::Inserindo && estado() != Estado::Editando)
        throw ErroBanco(
            QStringLiteral("Tabela %1 não está em inserção ou edição.").arg(nomeTabela_));
    const int i = indiceCampo(campo);
    if (i < 0)
        throw ErroBanco(
            QStringLiteral("Campo \"%1\" não encontrado na tabela %2.").arg(campo, nomeTabela_));
    QVariant v = valor;
    if (tamanhos_[i] > 0 && v.typeId() == QMetaType::QString)
        v = v.toString().left(tamanhos_[i]);
    buffer_[i] = v;
    Q_EMIT registroMudou();
}

void Tabela::postar() {
    const Estado e = estado();
    if (e != Estado::Inserindo && e != Estado::Editando)
        return;
    QStringList nomes;
    QVariantList valores;
    for (int i = 0; i < campos_.size(); ++i) {
        if (e == Estado::Inserindo && (buffer_[i].isNull() || !buffer_[i].isValid()))
            continue;
        nomes << campos_[i];
        valores << buffer_[i];
    }
    QString sql;
    if (e == Estado::Inserindo) {
        if (nomes.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(nomeTabela_);
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                      .arg(nomeTabela_, nomes.join(QStringLiteral(", ")), marcadores(nomes.size()));
    } else {
        QStringList atribuicoes;
        for (const QString& n : nomes)
            atribuicoes << n + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(nomeTabela_, atribuicoes.join(QStringLiteral(", ")));
        valores << rowid_;
    }
    QSqlQuery q = preparar(conexao_.banco(), sql, valores);
    if (!q.exec()) {
        const QSqlError erro = q.lastError();
        if (dialeto::violacaoChave(erro)) {
            cancelar();
            if (!mensagemChave_.isEmpty())
                throw ErroViolacaoChave(mensagemChave_, tituloChave_);
            throw ErroViolacaoChave(dialeto::textoErro(erro));
        }
        if (dialeto::valorObrigatorioAusente(erro)) {
            const QString campo = erro.databaseText().section('.', -1).trimmed();
            throw ErroBanco(QStringLiteral("O campo '%1' deve ter um valor.").arg(campo));
        }
        throw ErroBanco(dialeto::textoErro(erro));
    }
    const qint64 rowid = e == Estado::Inserindo ? q.lastInsertId().toLongLong() : rowid_;
    q.finish();
    buffer_.clear();
    definirEstado(Estado::Navegando);
    temRegistro_ = lerRegistro(QStringLiteral("rowid = ?"), {rowid}, false);
    definirLimites(false, false);
    Q_EMIT registroMudou();
}

void Tabela::cancelar() {
    if (estado() != Estado::Inserindo && estado() != Estado::Editando)
        return;
    buffer_.clear();
    definirEstado(Estado::Navegando);
    Q_EMIT registroMudou();
}

void Tabela::excluir() {
    exigirAtivo();
    if (estado() == Estado::Inserindo) {
        cancelar();
        return;
    }
    if (estado() == Estado::Editando)
        cancelar();
    if (!temRegistro_)
        throw ErroBanco(
            QStringLiteral("Não há registro para excluir na tabela %1.").arg(nomeTabela_));
    const QVariantList chave = chaveAtual();
    QSqlQuery q =
        preparar(conexao_.banco(),
                 QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(nomeTabela_), {rowid_});
    executar(q);
    q.finish();
    const QString depois = tupla(camposOrdem()) + QStringLiteral(" > ") + marcadores(chave.size());
    const QString antes = tupla(camposOrdem()) + QStringLiteral(" < ") + marcadores(chave.size());
    if (lerRegistro(depois, chave, false)) {
        definirLimites(false, false);
    } else if (lerRegistro(antes, chave, true)) {
        definirLimites(false, true);
    } else {
        temRegistro_ = false;
        registro_.clear();
        definirLimites(true, true);
    }
    Q_EMIT registroMudou();
}

void Tabela::atualizar() {
    exigirAtivo();
    if (!temRegistro_)
        return;
    if (!lerRegistro(QStringLiteral("rowid = ?"), {rowid_}, false))
        primeiro();
    else
        Q_EMIT registroMudou();
}

}  // namespace lumeno
