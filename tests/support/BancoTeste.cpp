#include "BancoTeste.h"

#include <QDir>
#include <QMap>

namespace lumeno::teste {

BancoTeste::BancoTeste() : localizacoes_(dir_.filePath(QStringLiteral("localizacoes.ini"))) {
    const QString dados = dir_.filePath(QStringLiteral("dados"));
    QDir().mkpath(dados);
    localizacoes_.adicionar(QStringLiteral("Lumeno"), QStringLiteral("STANDARD"),
                            {{QStringLiteral("PATH"), dados}});
    dm_ = std::make_unique<TDM>(localizacoes_);
}

int BancoTeste::inserirEstacaoEm(TDM& dm, int codigo, const QString& descricao, QVariant rio) {
    auto q = dm.novaConsulta();
    q->SQL << QStringLiteral("insert into estacao (codigo, descricao, rio) values (:c, :d, :r)");
    q->definirParametro(QStringLiteral("c"), codigo);
    q->definirParametro(QStringLiteral("d"), descricao);
    q->definirParametro(QStringLiteral("r"), rio);
    q->executar();
    auto id = dm.novaConsulta();
    id->SQL << QStringLiteral("select IdEstacao from estacao where codigo = :c");
    id->definirParametro(QStringLiteral("c"), codigo);
    id->abrir();
    return id->campo(QStringLiteral("IdEstacao")).comoInteiro();
}

int BancoTeste::estacao(int codigo, const QString& descricao, QVariant rio) {
    return inserirEstacaoEm(*dm_, codigo, descricao, rio);
}

void BancoTeste::rio(double idRio, const QString& nome) {
    auto q = dm_->novaConsulta();
    q->SQL << QStringLiteral("insert into rio (idrio, nome) values (:i, :n)");
    q->definirParametro(QStringLiteral("i"), idRio);
    q->definirParametro(QStringLiteral("n"), nome);
    q->executar();
}

void BancoTeste::medida(int idEstacao, double numero, double cota, double vazao, QDate data,
                        double area, double velocidade, double pontoObrigatorio) {
    auto q = dm_->novaConsulta();
    q->SQL << QStringLiteral(
                  "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
                  "ponto_obrigatorio)")
           << QStringLiteral("values (:e, :n, :d, :c, :v, :a, :ve, :p)");
    q->definirParametro(QStringLiteral("e"), idEstacao);
    q->definirParametro(QStringLiteral("n"), numero);
    q->definirParametro(QStringLiteral("d"), data);
    q->definirParametro(QStringLiteral("c"), cota);
    q->definirParametro(QStringLiteral("v"), vazao);
    q->definirParametro(QStringLiteral("a"), area);
    q->definirParametro(QStringLiteral("ve"), velocidade);
    q->definirParametro(QStringLiteral("p"), pontoObrigatorio);
    q->executar();
}

void BancoTeste::ponto(int idEstacao, double x, double y, QVariant perfil) {
    auto q = dm_->novaConsulta();
    q->SQL << QStringLiteral("insert into ponto (estacao, x, y, perfil) values (:e, :x, :y, :p)");
    q->definirParametro(QStringLiteral("e"), idEstacao);
    q->definirParametro(QStringLiteral("x"), x);
    q->definirParametro(QStringLiteral("y"), y);
    q->definirParametro(QStringLiteral("p"), perfil);
    q->executar();
}

int BancoTeste::executar(const QString& sql) {
    auto q = dm_->novaConsulta();
    q->SQL << sql;
    return q->executar();
}

QVariant BancoTeste::escalar(const QString& sql) {
    auto q = dm_->novaConsulta();
    q->SQL << sql;
    q->abrir();
    return q->vazio() ? QVariant() : q->valor(0);
}

}  // namespace lumeno::teste
