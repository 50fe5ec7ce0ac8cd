// An SQL statement on the program's database, written line by line with named
// parameters (":est"), in the program's dialect (see Dialeto). A select is read whole
// when opened and browsed as a dataset; other statements are executed.
#pragma once

#include "data/ConjuntoDados.h"

#include <QMap>
#include <QVector>

#include <vector>

namespace lumeno {

class Conexao;

class Consulta : public ConjuntoDados {
    Q_OBJECT
public:
    explicit Consulta(Conexao& conexao, QObject* pai = nullptr);

    // The statement's lines; changing them closes nothing by itself.
    QStringList SQL;
    void adicionarLinha(const QString& linha) { SQL << linha; }
    QString textoSql() const;

    void definirParametro(const QString& nome, const QVariant& valor);
    QVariant parametro(const QString& nome) const;
    void limparParametros() { parametros_.clear(); }

    // Runs the select and reads its rows; the first row becomes current.
    void abrir() override;
    void fechar() override;
    // Closes and opens again (with the current statement and parameters).
    void reabrir();
    // Runs an insert, update or delete; returns the number of rows changed.
    int executar();

    void primeiro() override;
    void anterior() override;
    void proximo() override;
    void ultimo() override;
    int totalRegistros() const override { return static_cast<int>(linhas_.size()); }
    int numeroRegistro() const override { return linhas_.empty() ? 0 : atual_ + 1; }
    // Makes row `numero` (1-based) current.
    void irPara(int numero);
    bool localizar(const QString& campo, const QVariant& valor) override;
    QVariant valor(const QString& campo) const override;
    QVariant valor(int coluna) const;
    QStringList nomesCampos() const override { return colunas_; }
    int indiceCampo(const QString& nome) const;

    Conexao& conexao() { return conexao_; }

private:
    void moverPara(int linha, bool bof, bool eof);

    Conexao& conexao_;
    QMap<QString, QVariant> parametros_;  // by lower-case name
    QStringList colunas_;
    std::vector<QVector<QVariant>> linhas_;
    int atual_ = 0;
};

}  // namespace lumeno
