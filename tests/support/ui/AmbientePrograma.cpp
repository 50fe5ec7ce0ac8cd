#include "AmbientePrograma.h"

#include "support/BancoTeste.h"

#include <QDir>

namespace lumeno::teste {

AmbientePrograma::AmbientePrograma()
    : localizacoes_(dir_.filePath(QStringLiteral("localizacoes.ini"))),
      configuracao_(dir_.filePath(QStringLiteral("lumeno.INI"))),
      dm_(localizacoes_) {
    QDir().mkpath(dir_.filePath(QStringLiteral("dados")));
    configuracao_.gravarPasta(dir_.filePath(QStringLiteral("dados")));
    janela_ = std::make_unique<TInicial>(roteiro, dm_, localizacoes_, configuracao_);
    janela_->show();
}

AmbientePrograma::~AmbientePrograma() {
    janela_.reset();
}

int AmbientePrograma::estacao(int codigo, const QString& descricao) {
    return BancoTeste::inserirEstacaoEm(dm_, codigo, descricao);
}

void AmbientePrograma::medida(int estacao, double numero, double cota, double vazao, QDate data) {
    auto q = dm_.novaConsulta();
    q->SQL << QStringLiteral(
                  "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
                  "ponto_obrigatorio)")
           << QStringLiteral("values (:e, :n, :d, :c, :v, 1, 1, 0)");
    q->definirParametro(QStringLiteral("e"), estacao);
    q->definirParametro(QStringLiteral("n"), numero);
    q->definirParametro(QStringLiteral("d"), data);
    q->definirParametro(QStringLiteral("c"), cota);
    q->definirParametro(QStringLiteral("v"), vazao);
    q->executar();
}

void AmbientePrograma::ponto(int estacao, double x, double y) {
    auto q = dm_.novaConsulta();
    q->SQL << QStringLiteral("insert into ponto (estacao, x, y) values (:e, :x, :y)");
    q->definirParametro(QStringLiteral("e"), estacao);
    q->definirParametro(QStringLiteral("x"), x);
    q->definirParametro(QStringLiteral("y"), y);
    q->executar();
}

QVariant AmbientePrograma::escalar(const QString& sql) {
    auto q = dm_.novaConsulta();
    q->SQL << sql;
    q->abrir();
    return q->vazio() ? QVariant() : q->valor(0);
}

void AmbientePrograma::selecionarEstacao(int idEstacao) {
    dm_.qu_estacao1.fechar();
    dm_.qu_estacao1.abrir();
    dm_.qu_estacao1.localizar(QStringLiteral("IdEstacao"), idEstacao);
}

}  // namespace lumeno::teste
