// The whole program over temporary files: the main window (with every window it
// creates), a configured data directory and a scripted interaction.
#pragma once

#include "app/Configuracao.h"
#include "app/ui/TInicial.h"
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QDate>
#include <QTemporaryDir>

#include <memory>

namespace lumeno::teste {

class AmbientePrograma {
public:
    AmbientePrograma();
    ~AmbientePrograma();

    InteracaoRoteirizada roteiro;
    TDM& dm() { return dm_; }
    TInicial& janela() { return *janela_; }
    Contexto& ctx() { return janela_->contexto(); }

    int estacao(int codigo, const QString& descricao);
    void medida(int estacao, double numero, double cota, double vazao,
                QDate data = QDate(2000, 1, 1));
    void ponto(int estacao, double x, double y);
    QVariant escalar(const QString& sql);
    // Makes the station the current row of the station list.
    void selecionarEstacao(int idEstacao);

private:
    QTemporaryDir dir_;
    LocalizacoesBanco localizacoes_;
    Configuracao configuracao_;
    TDM dm_;
    std::unique_ptr<TInicial> janela_;
};

}  // namespace lumeno::teste
