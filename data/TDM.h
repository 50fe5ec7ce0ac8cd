// The data module: the connection to the database "Lumeno" and the tables and
// queries that the windows share. Tables and queries open on demand; opening one
// connects the database through its named location.
#pragma once

#include "data/Conexao.h"
#include "data/Consulta.h"
#include "data/Tabela.h"

#include <memory>

namespace lumeno {

class LocalizacoesBanco;

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(const LocalizacoesBanco& localizacoes, QObject* pai = nullptr);
    ~TDM() override;

    Conexao& conexao() { return conexao_; }

    // A new statement on the database "Lumeno" (the caller owns it).
    std::unique_ptr<Consulta> novaConsulta() { return std::make_unique<Consulta>(conexao_); }

    // Closes the tables and queries that depend on the data directory and disconnects;
    // the next table or query opened connects again.
    void desconectar();

    // Description of a default curve setting, as the list of defaults shows it:
    // "Potencial (Ostrel), h0=120" or "Polinomial, grau 3".
    static QString descricaoAlgoritmo(int algoritmo, double parm);

    Conexao conexao_;

    // Tables. tb_estacao opens on the code order (index "in_codigo"); select the
    // primary order ("") to position it by IdEstacao.
    Tabela tb_estacao;
    Tabela tb_rio;
    Tabela tb_medida;
    Tabela tb_ponto;
    Tabela tbCurvaDefault;  // with the calculated field descricao_algoritmo

    // Shared queries (parameter "est" = IdEstacao where they have one).
    Consulta qu_estacao1;  // station list with total_medida, total_secao, perfil
    Consulta qu_ponto1;
    Consulta qu_medida1;
    Consulta qu_rio1;

    // The base text of qu_medida1 (no exclusion clause).
    static QStringList textoBaseMedida1();
};

}  // namespace lumeno
