// A table of the program's database browsed in the order of one of its indexes, with
// its current row, and edited row by row: append or edit, set field values, post or
// cancel, delete. The cursor is live: each move reads the neighbouring row from the
// database by the index key, so a table of any size opens at once and always shows
// what is stored.
#pragma once

#include "data/ConjuntoDados.h"

#include <QMap>
#include <QVector>

#include <functional>

namespace lumeno {

class Conexao;

class Tabela : public ConjuntoDados {
    Q_OBJECT
public:
    // `indicePrimario`: the fields of the primary order (index name "").
    Tabela(Conexao& conexao, QString nomeTabela, QStringList indicePrimario,
           QObject* pai = nullptr);

    const QString& nomeTabela() const { return nomeTabela_; }

    // Secondary orders by name; the table keeps its current row when the order changes.
    void adicionarIndice(const QString& nome, const QStringList& campos);
    // Selects an order by name ("" for the primary one).
    void definirIndice(const QString& nome);
    const QString& indice() const { return indice_; }

    // A field computed from the row whenever it is read (not stored).
    void adicionarCampoCalculado(const QString& nome,
                                 std::function<QVariant(const Tabela&)> calcular);

    // The message and caption of a duplicate-key error when a row is posted; empty for
    // the plain "Key violation" text.
    void definirMensagemViolacaoChave(const QString& mensagem, const QString& titulo);

    void abrir() override;
    void fechar() override;

    void primeiro() override;
    void anterior() override;
    void proximo() override;
    void ultimo() override;
    int totalRegistros() const override;
    int numeroRegistro() const override;
    bool localizar(const QString& campo, const QVariant& valor) override;
    // Finds the row whose fields of the current order equal `chave` (FindKey).
    bool localizarChave(const QVariantList& chave);

    QVariant valor(const QString& campo) const override;
    QStringList nomesCampos() const override { return campos_; }

    // Editing.
    void anexar();
    void editar();
    void definirValor(const QString& campo, const QVariant& valor);
    // Stores the pending row. A duplicate key cancels it and throws ErroViolacaoChave
    // with the table's message; other refusals throw ErroBanco and keep the row pending.
    void postar();
    void cancelar();
    // Deletes the current row; the next one (or the previous, at the end) becomes current.
    void excluir();
    // Re-reads the current row (after changes made by statements).
    void atualizar();

private:
    int indiceCampo(const QString& nome) const;
    QStringList camposOrdem() const;
    QString clausulaOrdem(bool inversa) const;
    QVariantList chaveAtual() const;
    // Reads one row by `condicao`; true when found (it becomes current).
    bool lerRegistro(const QString& condicao, const QVariantList& valores, bool inversa);
    void exigirAtivo() const;
    // Posts a pending insert or edit before the cursor moves.
    void exigirNavegando();

    Conexao& conexao_;
    QString nomeTabela_;
    QMap<QString, QStringList> indices_;  // by lower-case name; "" is the primary order
    QString indice_;
    QStringList campos_;
    QStringList tipos_;
    QVector<int> tamanhos_;  // text size limits (0 = none)
    QMap<QString, std::function<QVariant(const Tabela&)>> calculados_;  // by lower-case name
    QString mensagemChave_, tituloChave_;

    bool temRegistro_ = false;
    qint64 rowid_ = 0;
    QVector<QVariant> registro_;
    QVector<QVariant> buffer_;
};

}  // namespace lumeno
