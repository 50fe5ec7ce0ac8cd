// A fresh Lumeno database in a temporary data directory, reached through its own
// location list, with helpers to fill it.
#pragma once

#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"

#include <QDate>
#include <QTemporaryDir>

#include <memory>

namespace lumeno::teste {

class BancoTeste {
public:
    BancoTeste();

    QString pasta() const { return dir_.path(); }
    LocalizacoesBanco& localizacoes() { return localizacoes_; }
    TDM& dm() { return *dm_; }

    // Inserts a station into the database of `dm`; returns its IdEstacao.
    static int inserirEstacaoEm(TDM& dm, int codigo, const QString& descricao = QString(),
                                QVariant rio = QVariant());
    // Inserts a station; returns its IdEstacao.
    int estacao(int codigo, const QString& descricao = QString(), QVariant rio = QVariant());
    void rio(double idRio, const QString& nome);
    // Inserts a measurement of station `idEstacao`.
    void medida(int idEstacao, double numero, double cota, double vazao,
                QDate data = QDate(2000, 1, 1), double area = 0, double velocidade = 0,
                double pontoObrigatorio = 0);
    void ponto(int idEstacao, double x, double y, QVariant perfil = QVariant());
    // Runs one statement; returns the number of rows changed.
    int executar(const QString& sql);
    // The first column of the first row of a select.
    QVariant escalar(const QString& sql);

private:
    QTemporaryDir dir_;
    LocalizacoesBanco localizacoes_;
    std::unique_ptr<TDM> dm_;
};

}  // namespace lumeno::teste
